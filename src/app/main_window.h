#pragma once
// The one window: the caption strip, the page tabs and the five pages on top
// of each other. It is built from the settings file and saved into it.

#include <QWidget>

#include <string>

#include "app/published_settings.h"
#include "app/window_dialogs.h"
#include "settings/settings_file.h"

namespace lumivo::app {

class AdjustmentsPage;
class DragStrip;
class HintSwitch;
class InfoPage;
class OptionsPage;
class PanelButton;
class ProfilesPage;
class StartPage;
class TabStrip;

inline constexpr int kDesignWidth = 657;
inline constexpr int kDesignHeight = 513;

// "Lumivo 2.0.2 vom 10. Oktober 2011"
QString WindowTitle();

class MainWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(MainWindow)

 public:
  // `settingsFolder` holds "setup.xml" and ends in "/".
  explicit MainWindow(std::string settingsFolder, WindowDialogs dialogs = PlatformDialogs(),
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  // Every control's state, and every page set from a state (without the
  // refresh that follows a load).
  SettingsState BuildSettings() const;
  void ApplySettings(const SettingsState& state);
  // Brings every page in line with the settings just applied; at start-up
  // also brings the Start page to the front.
  void RefreshWindow(bool startUp);
  // A profile's adjustments into the controls, then RefreshWindow without
  // its start-up steps.
  void ActivateAdjustments(const ConversionSettings& loaded);
  // Hands the run a copy of the controls' state.
  void PublishSettings();
  // Files and folders given to the program or handed over by a second start.
  void AddNames(const QStringList& names);

  // The caption buttons "__" and "X" (Panel60Click).
  void OnCaptionButton(PanelButton* button);

  StartPage* startPage() const { return startPage_; }
  AdjustmentsPage* adjustmentsPage() const { return adjustmentsPage_; }
  OptionsPage* optionsPage() const { return optionsPage_; }
  ProfilesPage* profilesPage() const { return profilesPage_; }
  InfoPage* infoPage() const { return infoPage_; }
  TabStrip* tabs() const { return tabs_; }
  QWidget* currentPage() const;
  HintSwitch& hints() { return *hints_; }
  const PublishedSettings& publishedSettings() const { return published_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildCaption();
  void ShowPage(const QString& pageName);

  std::string settingsFolder_;
  WindowDialogs dialogs_;
  PublishedSettings published_;
  HintSwitch* hints_ = nullptr;
  TabStrip* tabs_ = nullptr;
  QWidget* pageArea_ = nullptr;
  StartPage* startPage_ = nullptr;
  AdjustmentsPage* adjustmentsPage_ = nullptr;
  OptionsPage* optionsPage_ = nullptr;
  ProfilesPage* profilesPage_ = nullptr;
  InfoPage* infoPage_ = nullptr;
  bool closeAfterRun_ = false;
  bool applying_ = false;
};

}  // namespace lumivo::app
