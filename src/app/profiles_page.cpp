#include "app/profiles_page.h"

#include <QLabel>
#include <QListWidget>

#include "app/panel_button.h"
#include "app/qt_text.h"
#include "core/text_format.h"
#include "resources/texts.h"
#include "settings/profiles.h"
#include "settings/settings_overview.h"

namespace lumivo::app {

ProfilesPage::ProfilesPage(std::string folder, const WindowDialogs& dialogs, Host host, QWidget* parent)
    : QWidget(parent), folder_(std::move(folder)), dialogs_(dialogs), host_(std::move(host)) {
  setObjectName("Panel_Main_Profilverwaltung");
  setAutoFillBackground(true);

  auto* title = new QLabel(ToQString(texts::kProfilesTitle), this);
  QFont big = title->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  title->setFont(big);
  title->setGeometry(16, 8, 400, 24);

  list_ = new QListWidget(this);
  list_->setObjectName("ListBox_Profile");
  list_->setProperty("Tag", static_cast<int>(kShowProfileCommand));
  list_->setToolTip(ToQString(texts::kProfileListHint));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setGeometry(16, 40, 240, 250);
  connect(list_, &QListWidget::itemClicked, this, [this] { ProfileCommand(kShowProfileCommand); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { ProfileCommand(kShowProfileCommand); });

  struct Button {
    const char* name;
    const char* arrowName;
    std::string_view caption, hint;
    int tag, y;
  };
  const Button buttons[] = {
      {"Panel25", "Panel56", texts::kCreateProfile, texts::kCreateProfileHint, kCreateProfileCommand, 298},
      {"Panel24", "Panel55", texts::kDeleteProfile, texts::kDeleteProfileHint, kDeleteProfileCommand, 332},
      {"Panel57", nullptr, texts::kActivateProfile, texts::kActivateProfileHint, kActivateProfileCommand, 382},
  };
  for (const Button& button : buttons) {
    auto* panel = new PanelButton(button.name, ToQString(button.caption), ToQString(button.hint), button.tag, this);
    panel->setGeometry(16, button.y, 240, 28);
    connect(panel, &PanelButton::clicked, this, [this](PanelButton* clicked) { ProfileCommand(clicked->commandTag()); });
    if (button.arrowName == nullptr) {
      panel->SetBold(true);
      continue;
    }
    panel->setIndent(24);
    auto* arrow = new PanelButton(button.arrowName, ToQString(texts::kProfileArrow), ToQString(button.hint),
                                  button.tag, panel);
    arrow->setFrameStyle(QFrame::NoFrame);
    arrow->SetBold(true);
    arrow->setGeometry(4, 2, 24, 24);
    connect(arrow, &PanelButton::clicked, this, [this](PanelButton* clicked) { ProfileCommand(clicked->commandTag()); });
  }

  overview_ = new QListWidget(this);
  overview_->setObjectName("ListBox_ProfilUebersicht");
  overview_->setToolTip(ToQString(texts::kProfileOverviewHint));
  overview_->setSelectionMode(QAbstractItemView::NoSelection);
  overview_->setFocusPolicy(Qt::NoFocus);
  overview_->setGeometry(268, 40, 379, 370);
}

void ProfilesPage::ApplyProfiles(const std::vector<std::string>& profiles) {
  list_->clear();
  for (const std::string& name : profiles) list_->addItem(ToQString(name));
}

void ProfilesPage::BuildProfiles(std::vector<std::string>& profiles) const { profiles = Profiles(); }

std::vector<std::string> ProfilesPage::Profiles() const {
  std::vector<std::string> profiles;
  for (int row = 0; row < list_->count(); ++row) profiles.push_back(ToUtf8(list_->item(row)->text()));
  return profiles;
}

void ProfilesPage::ClearSelection() {
  list_->clearSelection();
  list_->setCurrentRow(-1);
}

void ProfilesPage::SelectProfile(const QString& name) {
  const QList<QListWidgetItem*> found = list_->findItems(name, Qt::MatchExactly);
  if (!found.isEmpty()) list_->setCurrentItem(found.front());
}

std::optional<std::string> ProfilesPage::SelectedName() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return ToUtf8(selected.front()->text());
}

void ProfilesPage::ShowRows(const std::vector<std::string>& rows) {
  overview_->clear();
  for (const std::string& row : rows) overview_->addItem(ToQString(row));
}

QStringList ProfilesPage::OverviewRows() const {
  QStringList rows;
  for (int row = 0; row < overview_->count(); ++row) rows.push_back(overview_->item(row)->text());
  return rows;
}

void ProfilesPage::DescribeCurrentSettings(const ConversionSettings& settings) {
  const QFontMetrics metrics(overview_->font());
  const TextMeasure measure = [&metrics](std::string_view text) { return metrics.horizontalAdvance(ToQString(text)); };
  const std::optional<std::string> selected = SelectedName();
  const std::optional<std::string_view> header = selected ? std::optional<std::string_view>(*selected) : std::nullopt;
  ShowRows(lumivo::DescribeCurrentSettings(settings, header, measure, overview_->contentsRect().width()));
}

void ProfilesPage::Message(const QString& text) {
  if (dialogs_.message) dialogs_.message(this, text);
}

void ProfilesPage::ProfileCommand(int commandTag) {
  switch (commandTag) {
    case kCreateProfileCommand:
      CreateProfile();
      break;
    case kDeleteProfileCommand:
      DeleteProfile();
      break;
    case kActivateProfileCommand:
      ActivateProfile();
      break;
    case kShowProfileCommand:
      ShowProfile();
      break;
    default:
      break;
  }
}

void ProfilesPage::CreateProfile() {
  if (!dialogs_.askText) return;
  const std::optional<QString> name =
      dialogs_.askText(this, ToQString(texts::kNewProfileTitle), ToQString(texts::kNewProfilePrompt));
  if (!name) return;
  std::vector<std::string> profiles = Profiles();
  if (Status created = lumivo::CreateProfile(folder_, profiles, ToUtf8(*name), host_.current()); !created) {
    Message(ToQString(created.message()));
    return;
  }
  list_->addItem(*name);
}

void ProfilesPage::DeleteProfile() {
  const std::optional<std::string> name = SelectedName();
  if (!name) return;
  std::vector<std::string> profiles = Profiles();
  const ProfileDeletion outcome = lumivo::DeleteProfile(folder_, profiles, *name);
  if (outcome == ProfileDeletion::Kept) return;
  if (outcome == ProfileDeletion::Deleted) Message(ToQString(texts::kProfileDeleted));
  ApplyProfiles(profiles);
}

void ProfilesPage::ActivateProfile() {
  const std::optional<std::string> name = SelectedName();
  if (!name) return;
  if (host_.running()) {
    // The run must not have its file list emptied under it.
    Message(ToQString(texts::kProfileWhileRunning));
    return;
  }
  ConversionSettings settings = host_.current();
  if (LoadProfile(folder_, *name, settings)) Message(ToQString(FormatText(texts::kProfileLoaded, *name)));
  host_.activate(settings);
  DescribeCurrentSettings(host_.current());
}

void ProfilesPage::ShowProfile() {
  const std::optional<std::string> name = SelectedName();
  if (!name || !IsProfileFile(folder_, *name)) return;
  const QFontMetrics metrics(overview_->font());
  const TextMeasure measure = [&metrics](std::string_view text) { return metrics.horizontalAdvance(ToQString(text)); };
  auto rows = DescribeProfile(folder_, *name, host_.current(), measure, overview_->contentsRect().width());
  if (rows) ShowRows(*rows);
}

}  // namespace lumivo::app
