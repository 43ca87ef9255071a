#include "app/start_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QToolTip>

#include <filesystem>
#include <thread>

#include "app/contrast_colour.h"
#include "app/file_list_box.h"
#include "app/hint_switch.h"
#include "app/panel_button.h"
#include "app/picture_view.h"
#include "app/preview_image.h"
#include "app/published_settings.h"
#include "app/qt_text.h"
#include "app/window_run.h"
#include "core/builtin_pictures.h"
#include "core/folder_path.h"
#include "core/text_format.h"
#include "filelist/file_collection.h"
#include "filelist/file_type_table.h"
#include "filelist/path_fitting.h"
#include "platform/qt_image.h"
#include "resources/texts.h"

namespace lumivo::app {

namespace fs = std::filesystem;

namespace {

QImage ToImage(Bitmap bitmap) {
  if (bitmap.format() != PixelFormat::Bgr24 && bitmap.format() != PixelFormat::Bgra32 && !bitmap.ConvertToBgr24())
    return {};
  return platform::WrapBitmap(bitmap).copy();
}

QImage LogoImage() { return ToImage(ProgramLogoBitmap()); }

QImage FailureImage() { return ToImage(FailurePictureBitmap()); }

void SetTextColour(QWidget* widget, std::uint32_t colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, ToQColor(colour));
  widget->setPalette(palette);
}

std::vector<std::string> MarkedExtensions(const FileTypeChecks& checked) {
  std::vector<std::string> marked;
  for (std::size_t row = 0; row < FileTypeTable.size(); ++row)
    if (checked[row]) marked.emplace_back(FileTypeTable[row].extension);
  return marked;
}

// A wait pointer for the length of a scope.
class BusyPointer {
 public:
  BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { QApplication::restoreOverrideCursor(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
};

int CoreCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

}  // namespace

StartPage::StartPage(PublishedSettings& settings, HintSwitch& hints, const WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent), settings_(settings), hints_(hints), dialogs_(dialogs) {
  setObjectName("Panel_Main_Start");
  setAutoFillBackground(true);
  setMouseTracking(true);
  run_ = new WindowRun(settings_, this);

  open_ = AddCommand("Panel16", texts::kOpen, texts::kOpenHint, kOpenCommand, {8, 4, 97, 25});
  AddCommand("Panel3", texts::kSaveToFolder, texts::kSaveToFolderHint, kSaveToFolderCommand, {112, 4, 145, 25});
  AddCommand("Panel6", texts::kSaveBeside, texts::kSaveBesideHint, kSaveBesideCommand, {264, 4, 105, 25});
  AddCommand("Panel_Stopp", texts::kStop, texts::kStopHint, kStopCommand, {384, 4, 89, 25});
  AddCommand("Panel8", texts::kLog, texts::kLogHint, kLogCommand, {584, 4, 65, 25});
  AddCommand("Panel17", texts::kClearList, texts::kClearListHint, kClearListCommand, {200, 400, 97, 25});
  connect(open_, &PanelButton::released, this, [this](PanelButton*, Qt::MouseButton button) {
    if (button == Qt::LeftButton) OpenFiles();
    if (button == Qt::RightButton) OpenFolderTree();
  });

  previewSwitch_ = new QCheckBox(ToQString(texts::kPreviewSwitch), this);
  previewSwitch_->setObjectName("CheckBox_Start_Vorschau");
  previewSwitch_->setToolTip(ToQString(texts::kPreviewSwitchHint));
  previewSwitch_->setGeometry(480, 8, 97, 17);
  connect(previewSwitch_, &QCheckBox::clicked, this, [this] {
    emit settingsChanged();
    ShowSelectedEntry();
  });

  list_ = new FileListBox(this);
  list_->setGeometry(8, 32, 289, 361);
  list_->setToolTip(ToQString(texts::kFileListHint));
  connect(list_, &QListWidget::currentRowChanged, this, [this] { ShowSelectedEntry(); });
  connect(list_, &FileListBox::deletePressed, this, &StartPage::DeleteSelectedEntry);
  connect(list_, &FileListBox::pointerOverRow, this, &StartPage::OnPointerOverList);

  previewFrame_ = new QWidget(this);
  previewFrame_->setObjectName("Panel_Start_Vorschau");
  previewFrame_->setAutoFillBackground(true);
  QPalette sky = previewFrame_->palette();
  sky.setColor(QPalette::Window, ToQColor(kSkyBlue));
  previewFrame_->setPalette(sky);
  previewFrame_->setGeometry(304, 32, 345, 361);
  preview_ = new PictureView("Image_Start_Vorschau", ToQString(texts::kPreviewHint), PictureView::Fit::ScaleDown,
                             previewFrame_);
  preview_->setGeometry(2, 2, 341, 357);
  preview_->SetPicture(LogoImage());

  timeLine_ = AddTextPanel("Panel_Dauer", texts::kTimeLineHint, {8, 400, 185, 25});
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("ProgressBar_Start");
  progressBar_->setToolTip(ToQString(texts::kProgressBarHint));
  progressBar_->setGeometry(304, 404, 193, 17);
  progressBar_->setTextVisible(false);
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressText_ = AddTextPanel("Panel_Start_Progress", texts::kProgressHint, {504, 400, 145, 25});
  progressText_->setText(ToQString(texts::kProgressStart));
  QFont bold = progressText_->font();
  bold.setBold(true);
  progressText_->setFont(bold);
  counter_ = AddTextPanel("Panel_Start_CurrentPic", texts::kCounterHint, {8, 427, 153, 17});
  counter_->setFrameStyle(QFrame::NoFrame);
  counter_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  SetTextColour(counter_, kSteelBlue);
  nameLine_ = AddTextPanel("Panel_Start_CurrentPic_Name", texts::kNameLineHint, {168, 427, 481, 17});
  nameLine_->setFrameStyle(QFrame::NoFrame);
  nameLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  report_ = new QPlainTextEdit(this);
  report_->setObjectName("Memo_ErrorReport");
  report_->setReadOnly(true);
  report_->setLineWrapMode(QPlainTextEdit::NoWrap);
  report_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  report_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  report_->setGeometry(8, 32, 641, 417);
  report_->hide();

  // Panel_Hints_MouseMove: leaving the list for these gives hints back their switch.
  for (QWidget* watched : {static_cast<QWidget*>(this), static_cast<QWidget*>(preview_), previewFrame_,
                           static_cast<QWidget*>(progressBar_)}) {
    watched->setMouseTracking(true);
    watched->installEventFilter(this);
  }

  connect(run_, &WindowRun::message, this, &StartPage::Message);
  connect(run_, &WindowRun::entryShown, this, &StartPage::OnEntryShown);
  connect(run_, &WindowRun::reportLine, this, [this](const QString& line) { report_->appendPlainText(line); });
  connect(run_, &WindowRun::progress, this, &StartPage::OnProgress);
  connect(run_, &WindowRun::preview, this, [this](const QImage& picture) {
    if (!picture.isNull()) preview_->SetPicture(picture);
  });
  connect(run_, &WindowRun::reportWanted, this, [this] {
    report_->raise();
    if (report_->isHidden()) ShowReport(/*toggle=*/true);
  });
  connect(run_, &WindowRun::finished, this, &StartPage::OnFinished);
}

StartPage::~StartPage() {
  // Ends a run in progress while the controls it reports to still stand.
  if (run_->running()) QApplication::restoreOverrideCursor();
  run_->StopAndWait();
}

PanelButton* StartPage::AddCommand(const char* name, std::string_view caption, std::string_view hint, int tag,
                                   const QRect& geometry) {
  auto* button = new PanelButton(name, ToQString(caption), ToQString(hint), tag, this);
  button->setGeometry(geometry);
  connect(button, &PanelButton::clicked, this, [this](PanelButton* clicked) { OnCommand(clicked->commandTag()); });
  return button;
}

QLabel* StartPage::AddTextPanel(const char* name, std::string_view hint, const QRect& geometry) {
  auto* panel = new QLabel(this);
  panel->setObjectName(name);
  panel->setToolTip(ToQString(hint));
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setAlignment(Qt::AlignCenter);
  panel->setGeometry(geometry);
  return panel;
}

void StartPage::ApplyOptions(const ProgramOptions& options) {
  previewSwitch_->setChecked(options.StartPreview);
  lastOutputFolder_ = options.LastOutputFolder;
}

void StartPage::BuildOptions(ProgramOptions& options) const {
  options.StartPreview = previewSwitch_->isChecked();
  options.LastOutputFolder = lastOutputFolder_;
}

void StartPage::SetOnlyFileNames(bool onlyFileNames) { list_->SetOnlyFileNames(onlyFileNames); }

void StartPage::OnCommand(int commandTag) {
  switch (commandTag) {
    case kOpenCommand:
      break;  // the open button acts on the release of a mouse button
    case kClearListCommand:
      ClearList();
      break;
    case kSaveToFolderCommand:
      ConvertList(DestinationMode::ChosenFolder);
      break;
    case kSaveBesideCommand:
      ConvertList(DestinationMode::BesideSource);
      break;
    case kLogCommand:
      ShowReport(/*toggle=*/true);
      break;
    case kStopCommand:
      RequestStop();
      break;
    default:
      break;
  }
}

void StartPage::ShowCounter() {
  counter_->setText(ToQString(FormatText(texts::kCounter, texts::kCounterWord, list_->currentRow() + 1,
                                         list_->count())));
}

void StartPage::ShowSelectedEntry() {
  ShowCounter();
  const int row = list_->currentRow();
  if (row < 0 || row >= list_->count()) return;
  const QString entry = list_->Entry(row);
  QString prefix;
  if (settings_.Options().StartPreview) {
    BusyPointer busy;
    // Upright, as the run converts it.
    const auto loaded = LoadPreview(fs::path(ToUtf8(entry)), preview_->size());
    if (loaded && !loaded->isNull()) {
      preview_->SetPicture(*loaded);
      SetTextColour(counter_, kSteelBlue);
    } else {
      preview_->SetPicture(FailureImage());
      SetTextColour(counter_, kPureRed);
      prefix = ToQString(texts::kFileError);
    }
  }
  nameLine_->setText(prefix + FileNamePart(entry));
  nameLine_->setToolTip(FolderPart(entry));
}

void StartPage::Message(const QString& text) {
  if (dialogs_.message) dialogs_.message(window(), text);
}

bool StartPage::RefuseWhileRunning() {
  if (!running()) return false;
  Message(ToQString(texts::kRunInProgress));
  return true;
}

void StartPage::ClearList() {
  if (RefuseWhileRunning()) return;
  list_->clear();
  preview_->SetPicture(LogoImage());
  ShowSelectedEntry();
  counter_->clear();
}

void StartPage::DeleteSelectedEntry() {
  const int row = list_->currentRow();
  if (row < 0 || !list_->item(row)->isSelected()) return;
  if (RefuseWhileRunning()) return;
  const QSignalBlocker quiet(list_);  // the counter, name line and preview stay as they are
  delete list_->takeItem(row);
}

void StartPage::Append(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  list_->setUpdatesEnabled(false);
  for (const std::string& path : paths) list_->addItem(ToQString(path));
  list_->setUpdatesEnabled(true);
  ShowCounter();
}

void StartPage::CollectTree(const std::string& folder, std::vector<std::string>& paths) const {
  const FileTypeChecks checked = settings_.Options().FileTypeChecked;
  const std::string base = WithTrailingSlash(folder);
  for (std::size_t row = 0; row < FileTypeTable.size(); ++row)
    if (checked[row]) CollectFiles(base, FileTypeTable[row].mask, paths);
}

void StartPage::OpenFiles() {
  if (!dialogs_.openFiles) return;
  QStringList filters;
  for (const std::string& filter : OpenDialogNameFilters(settings_.Options().FileTypeChecked))
    filters.push_back(ToQString(filter));
  const QStringList picked = dialogs_.openFiles(window(), lastDialogFolder_, filters);
  if (picked.isEmpty()) return;
  QApplication::processEvents();
  BusyPointer busy;
  lastDialogFolder_ = FolderPart(picked.front());
  std::vector<std::string> paths;
  std::error_code error;
  for (const QString& file : picked) {
    const std::string path = ToUtf8(file);
    if (fs::is_regular_file(path, error)) paths.push_back(path);
  }
  Append(paths);
}

void StartPage::OpenFolderTree() {
  if (!dialogs_.pickFolder) return;
  std::error_code error;
  const QString start = fs::is_directory(ToUtf8(lastTreeFolder_), error) ? lastTreeFolder_ : lastDialogFolder_;
  const auto folder = dialogs_.pickFolder(window(), ToQString(texts::kOpenFolderTitle), start);
  if (folder) {
    QApplication::processEvents();
    BusyPointer busy;
    std::vector<std::string> paths;
    CollectTree(ToUtf8(*folder), paths);
    Append(paths);
    lastTreeFolder_ = *folder;
  }
  window()->raise();
  window()->activateWindow();
}

void StartPage::AddDroppedFiles(const QStringList& names) {
  QApplication::processEvents();
  BusyPointer busy;
  Append(CollectNames(names, /*checkFileTypes=*/true));
  QApplication::processEvents();
  ShowCounter();
}

void StartPage::AddNames(const QStringList& names) { Append(CollectNames(names, /*checkFileTypes=*/false)); }

std::vector<std::string> StartPage::CollectNames(const QStringList& names, bool checkFileTypes) const {
  const std::vector<std::string> marked = MarkedExtensions(settings_.Options().FileTypeChecked);
  std::vector<std::string> paths;
  std::error_code error;
  for (const QString& name : names) {
    const std::string path = ToUtf8(name);
    if (fs::is_directory(path, error)) {
      CollectTree(path, paths);
    } else if ((!checkFileTypes || MatchesMarkedFileType(path, marked)) && fs::is_regular_file(path, error)) {
      paths.push_back(path);
    }
  }
  return paths;
}

void StartPage::ConvertList(DestinationMode mode) {
  if (RefuseWhileRunning()) return;
  if (list_->count() == 0) {
    Message(ToQString(texts::kNoFiles));
    return;
  }
  std::string folder;
  if (mode == DestinationMode::ChosenFolder) {
    if (!dialogs_.pickFolder) return;
    const auto picked =
        dialogs_.pickFolder(window(), ToQString(texts::kSaveFolderTitle), ToQString(lastOutputFolder_));
    window()->raise();
    window()->activateWindow();
    if (!picked) return;
    folder = ToUtf8(*picked);
    lastOutputFolder_ = WithTrailingSlash(folder);
    emit settingsChanged();
  }
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(list_->count()));
  for (const QString& entry : list_->Entries()) entries.push_back(ToUtf8(entry));
  RunOptions options;
  options.jobs = jobs_ > 0 ? jobs_ : CoreCount();
  options.decimalSeparator = ToUtf8(QLocale().decimalPoint());
  progressBar_->setRange(0, list_->count());
  progressBar_->setValue(0);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  if (!run_->Start(std::move(entries), mode, std::move(folder), std::move(options), preview_->size()))
    QApplication::restoreOverrideCursor();
}

bool StartPage::running() const { return run_->running(); }

void StartPage::RequestStop() { run_->RequestStop(); }

QStringList StartPage::Entries() const { return list_->Entries(); }

void StartPage::OnEntryShown(int index, int count, const QString& source) {
  Q_UNUSED(count);
  counter_->setText(ToQString(FormatText(texts::kEntryCounter, index + 1, list_->count())));
  const QFontMetrics metrics(nameLine_->font());
  const TextMeasure measure = [&metrics](std::string_view text) { return metrics.horizontalAdvance(ToQString(text)); };
  nameLine_->setText(ToQString(FitPathToWidth(ToUtf8(source), measure, nameLine_->width())));
  if (index < list_->count()) {
    const QSignalBlocker quiet(list_);  // selecting for the run loads no preview
    list_->setCurrentRow(index);
  }
}

void StartPage::OnProgress(int done, int count, const QString& progressText, const QString& timeLine) {
  progressBar_->setMaximum(count);
  progressBar_->setValue(done);
  progressText_->setText(progressText);
  timeLine_->setText(timeLine);
}

void StartPage::OnFinished() {
  QApplication::restoreOverrideCursor();
  emit runFinished();
}

void StartPage::ShowReport(bool toggle) {
  if (toggle) report_->setVisible(report_->isHidden());
  report_->raise();
}

void StartPage::OnPointerOverList(int row, const QPoint& globalPosition) {
  const ProgramOptions options = settings_.Options();
  if (row >= 0) {
    if (!options.MouseHints && !options.FileListHints) return;
    const QString path = list_->Entry(row);
    list_->setToolTip(path);
    hints_.SetEnabled(true);
    QToolTip::showText(globalPosition, path, list_, {}, kHintDisplayMs);
    return;
  }
  list_->setToolTip(ToQString(texts::kFileListHint));
  hints_.SetEnabled(options.MouseHints);
  if (options.MouseHints) QToolTip::showText(globalPosition, list_->toolTip(), list_, {}, kHintDisplayMs);
}

bool StartPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) hints_.SetEnabled(settings_.Options().MouseHints);
  return QWidget::eventFilter(watched, event);
}

}  // namespace lumivo::app
