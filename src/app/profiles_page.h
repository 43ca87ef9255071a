#pragma once
// The page "Profilverwaltung": the profile list and the overview. Its
// controls come with the profile work; until then it keeps the list.

#include <QWidget>

#include <string>
#include <vector>

#include "settings/conversion_settings.h"

namespace lumivo::app {

class ProfilesPage final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ProfilesPage)

 public:
  explicit ProfilesPage(QWidget* parent = nullptr);

  void ApplyProfiles(const std::vector<std::string>& profiles);
  void BuildProfiles(std::vector<std::string>& profiles) const;
  // Every page change: no profile selected, the overview of the current adjustments.
  void ClearSelection();
  void DescribeCurrentSettings(const ConversionSettings& settings);

 signals:
  void settingsChanged();

 private:
  std::vector<std::string> profiles_;
};

}  // namespace lumivo::app
