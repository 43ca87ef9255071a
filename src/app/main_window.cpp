#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QStackedLayout>
#include <QUrl>

#include "app/adjustments_page.h"
#include "app/contrast_colour.h"
#include "app/drag_strip.h"
#include "app/hint_switch.h"
#include "app/info_page.h"
#include "app/options_page.h"
#include "app/panel_button.h"
#include "app/profiles_page.h"
#include "app/qt_text.h"
#include "app/start_page.h"
#include "app/tab_strip.h"
#include "app/window_placement.h"
#include "app/window_run.h"
#include "resources/texts.h"

namespace lumivo::app {

namespace {

constexpr int kInnerWidth = 655;
constexpr int kCaptionHeight = 26;
constexpr int kCaptionButton = 25;
constexpr int kPageHeight = 448;

void PaintFace(QWidget* widget, std::uint32_t face) {
  widget->setAutoFillBackground(true);
  QPalette colours = widget->palette();
  colours.setColor(QPalette::Window, ToQColor(face));
  colours.setColor(QPalette::WindowText, ToQColor(ContrastTextColour(face)));
  widget->setPalette(colours);
}

std::vector<QRect> ScreenAreas() {
  std::vector<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas.push_back(screen->availableGeometry());
  return areas;
}

QStringList LocalFiles(const QMimeData* data) {
  QStringList names;
  if (data == nullptr) return names;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) names.push_back(url.toLocalFile());
  return names;
}

}  // namespace

QString WindowTitle() {
  return ToQString(std::string(texts::kTitleName) + std::string(texts::kTitleVersion) +
                   std::string(texts::kTitleDateWord) + std::string(texts::kTitleDate));
}

MainWindow::MainWindow(std::string settingsFolder, WindowDialogs dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      settingsFolder_(std::move(settingsFolder)),
      dialogs_(std::move(dialogs)) {
  setObjectName("Form1");
  const QString title = WindowTitle();
  QGuiApplication::setApplicationDisplayName(title);
  setWindowTitle(title);
  ApplyHintTiming();
  hints_ = new HintSwitch(this);
  // Design pixels: Qt's high-DPI scaling gives the larger size on denser screens.
  setFixedSize(kDesignWidth, kDesignHeight);
  PaintFace(this, kTabBlue);  // the one-pixel border round the holder
  setAcceptDrops(true);

  BuildCaption();
  tabs_ = new TabStrip({{"Panel_Start", ToQString(texts::kTabStart), ToQString(texts::kTabStartHint), 70},
                        {"Panel_Bildanpassungen", ToQString(texts::kTabAdjustments),
                         ToQString(texts::kTabAdjustmentsHint), 130},
                        {"Panel_Optionen", ToQString(texts::kTabOptions), ToQString(texts::kTabOptionsHint), 90},
                        {"Panel_Profilverwaltung", ToQString(texts::kTabProfiles), ToQString(texts::kTabProfilesHint),
                         80},
                        {"Panel_Info", ToQString(texts::kTabInfo), ToQString(texts::kTabInfoHint), 60}},
                       this);
  tabs_->setGeometry(1, 1 + kCaptionHeight + 1 + 4, kInnerWidth, 33);
  connect(tabs_, &TabStrip::pageRequested, this, &MainWindow::ShowPage);

  pageArea_ = new QWidget(this);
  pageArea_->setObjectName("Panel_Main");
  pageArea_->setGeometry(1, 1 + kCaptionHeight + 1 + 4 + 33, kInnerWidth, kPageHeight);
  auto* stack = new QStackedLayout(pageArea_);
  stack->setContentsMargins(0, 0, 0, 0);
  startPage_ = new StartPage(published_, *hints_, dialogs_, pageArea_);
  adjustmentsPage_ = new AdjustmentsPage(dialogs_, pageArea_);
  optionsPage_ = new OptionsPage(pageArea_);
  profilesPage_ = new ProfilesPage(
      settingsFolder_, dialogs_,
      {[this] { return adjustmentsPage_->Conversion(); }, [this] { return startPage_->running(); },
       [this](const ConversionSettings& loaded) { ActivateAdjustments(loaded); }},
      pageArea_);
  infoPage_ = new InfoPage(pageArea_);
  for (QWidget* page : {static_cast<QWidget*>(startPage_), static_cast<QWidget*>(adjustmentsPage_),
                        static_cast<QWidget*>(optionsPage_), static_cast<QWidget*>(profilesPage_),
                        static_cast<QWidget*>(infoPage_)}) {
    PaintFace(page, kWhite);
    stack->addWidget(page);
  }
  connect(startPage_, &StartPage::settingsChanged, this, &MainWindow::PublishSettings);
  connect(adjustmentsPage_, &AdjustmentsPage::settingsChanged, this, &MainWindow::PublishSettings);
  connect(optionsPage_, &OptionsPage::settingsChanged, this, &MainWindow::PublishSettings);
  connect(optionsPage_, &OptionsPage::mouseHintsClicked, this, [this](bool on) { hints_->SetEnabled(on); });
  connect(optionsPage_, &OptionsPage::onlyFileNamesClicked, this,
          [this](bool on) { startPage_->SetOnlyFileNames(on); });
  connect(optionsPage_, &OptionsPage::autoSaveClicked, this,
          [this](bool on) { (void)SaveAutoSaveFlag(settingsFolder_, kSettingsFileName, on); });
  connect(startPage_, &StartPage::runFinished, this, [this] {
    if (closeAfterRun_) close();
  });

  SettingsState state = BuildSettings();
  (void)LoadSettings(settingsFolder_, kSettingsFileName, state);  // a damaged file leaves the built state
  ApplySettings(state);
  hints_->SetEnabled(state.Options.MouseHints);
  RefreshWindow(/*startUp=*/true);
  profilesPage_->DescribeCurrentSettings(state.Conversion);
}

MainWindow::~MainWindow() {
  // The run's thread reads the published settings: it ends before they go.
  startPage_->run().StopAndWait();
}

void MainWindow::BuildCaption() {
  auto* caption = new DragStrip("Panel_Caption", ToQString(texts::kCaptionHint), this);
  caption->setGeometry(1, 1, kInnerWidth, kCaptionHeight);
  PaintFace(caption, kSkyBlue);
  caption->setCursor(Qt::SizeAllCursor);
  caption->setText(WindowTitle());
  caption->setIndent(8);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);

  auto* minimise = new PanelButton("Panel60", ToQString(texts::kMinimise), ToQString(texts::kMinimiseHint), 0, caption);
  minimise->setGeometry(kInnerWidth - 2 * kCaptionButton - 1, 0, kCaptionButton, kCaptionButton);
  auto* separator = new PanelButton("Panel42", QString(), QString(), 0, caption);
  separator->setFrameStyle(QFrame::NoFrame);
  separator->setGeometry(kInnerWidth - kCaptionButton - 1, 0, 1, kCaptionButton);
  auto* close = new PanelButton("Panel_Beenden", ToQString(texts::kClose), ToQString(texts::kCloseHint), 0, caption);
  close->SetBold(true);
  close->setGeometry(kInnerWidth - kCaptionButton, 0, kCaptionButton, kCaptionButton);
  for (PanelButton* button : {minimise, separator, close})
    connect(button, &PanelButton::clicked, this, &MainWindow::OnCaptionButton);

  auto* line = new DragStrip("Panel61", QString(), this);
  line->setGeometry(1, 1 + kCaptionHeight, kInnerWidth, 1);
  PaintFace(line, kTabBlue);
  auto* strip = new DragStrip("Panel59", QString(), this);
  strip->setGeometry(1, 1 + kCaptionHeight + 1, kInnerWidth, 4);
  PaintFace(strip, kWhite);
}

void MainWindow::OnCaptionButton(PanelButton* button) {
  if (button->text() == ToQString(texts::kClose)) {
    close();
  } else if (button->text() == ToQString(texts::kMinimise)) {
    if (isMinimized()) {
      showNormal();
    } else {
      showMinimized();
    }
  }
}

void MainWindow::ShowPage(const QString& pageName) {
  if (auto* page = pageArea_->findChild<QWidget*>(pageName, Qt::FindDirectChildrenOnly)) {
    static_cast<QStackedLayout*>(pageArea_->layout())->setCurrentWidget(page);
    page->setVisible(true);
  }
  profilesPage_->ClearSelection();
  SettingsState state = BuildSettings();
  profilesPage_->DescribeCurrentSettings(state.Conversion);
}

QWidget* MainWindow::currentPage() const {
  return static_cast<QStackedLayout*>(pageArea_->layout())->currentWidget();
}

SettingsState MainWindow::BuildSettings() const {
  SettingsState state;
  adjustmentsPage_->BuildConversion(state.Conversion);
  optionsPage_->BuildOptions(state.Options);
  startPage_->BuildOptions(state.Options);
  state.Window = {pos().x(), pos().y()};
  profilesPage_->BuildProfiles(state.Profiles);
  return state;
}

void MainWindow::ApplySettings(const SettingsState& state) {
  applying_ = true;
  adjustmentsPage_->ApplyConversion(state.Conversion);
  optionsPage_->ApplyOptions(state.Options);
  startPage_->ApplyOptions(state.Options);
  startPage_->SetOnlyFileNames(state.Options.OnlyFileNames);
  hints_->SetEnabled(state.Options.MouseHints);
  profilesPage_->ApplyProfiles(state.Profiles);
  move(PlaceOnScreen({state.Window.Left, state.Window.Top}, size(), ScreenAreas()));
  applying_ = false;
  PublishSettings();
}

void MainWindow::RefreshWindow(bool startUp) {
  startPage_->ClearList();
  if (startUp) tabs_->Select("Panel_Start");
  const SettingsState state = BuildSettings();
  startPage_->SetOnlyFileNames(state.Options.OnlyFileNames);
  startPage_->ShowSelectedEntry();
  adjustmentsPage_->RefreshAdjustmentsPage(startUp);
  infoPage_->FillTexts();
  PublishSettings();
}

void MainWindow::ActivateAdjustments(const ConversionSettings& loaded) {
  applying_ = true;
  adjustmentsPage_->ApplyConversion(loaded);
  applying_ = false;
  RefreshWindow(/*startUp=*/false);
}

void MainWindow::PublishSettings() {
  if (applying_) return;
  published_.Publish(BuildSettings(), adjustmentsPage_->WatermarkBitmap());
}

void MainWindow::AddNames(const QStringList& names) { startPage_->AddNames(names); }

void MainWindow::closeEvent(QCloseEvent* event) {
  if (startPage_->running()) {
    // The entries in progress are finished first; the window closes after.
    closeAfterRun_ = true;
    startPage_->RequestStop();
    event->ignore();
    return;
  }
  const SettingsState state = BuildSettings();
  if (state.Options.AutoSave) (void)SaveSettings(settingsFolder_, kSettingsFileName, state);
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QStringList names = LocalFiles(event->mimeData());
  if (names.isEmpty()) return;
  event->acceptProposedAction();
  startPage_->AddDroppedFiles(names);
}

}  // namespace lumivo::app
