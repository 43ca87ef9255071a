#pragma once
// The page "Profilverwaltung": the profile list with its commands (create,
// delete, activate) and the overview of the current adjustments or of a
// stored profile.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "app/window_dialogs.h"
#include "settings/conversion_settings.h"

class QListWidget;

namespace lumivo::app {

// The command numbers of the page's controls.
enum ProfileCommandTag : int {
  kDeleteProfileCommand = 10,
  kCreateProfileCommand = 20,
  kActivateProfileCommand = 30,
  kShowProfileCommand = 40,
};

class ProfilesPage final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ProfilesPage)

 public:
  // What the page asks of the window.
  struct Host {
    std::function<ConversionSettings()> current;
    std::function<bool()> running;
    // Takes loaded adjustments into the controls and refreshes the window
    // without its start-up steps.
    std::function<void(const ConversionSettings&)> activate;
  };

  ProfilesPage(std::string folder, const WindowDialogs& dialogs, Host host, QWidget* parent = nullptr);

  void ApplyProfiles(const std::vector<std::string>& profiles);
  void BuildProfiles(std::vector<std::string>& profiles) const;
  // Every page change: no profile selected.
  void ClearSelection();
  void SelectProfile(const QString& name);
  void DescribeCurrentSettings(const ConversionSettings& settings);
  QStringList OverviewRows() const;

  // ProfileCommand: one handler for the page's controls, by their tag.
  void ProfileCommand(int commandTag);

 private:
  std::optional<std::string> SelectedName() const;
  std::vector<std::string> Profiles() const;
  void ShowRows(const std::vector<std::string>& rows);
  void Message(const QString& text);
  void CreateProfile();
  void DeleteProfile();
  void ActivateProfile();
  void ShowProfile();

  std::string folder_;
  const WindowDialogs& dialogs_;
  Host host_;
  QListWidget* list_ = nullptr;
  QListWidget* overview_ = nullptr;
};

}  // namespace lumivo::app
