#include "app/profiles_page.h"

namespace lumivo::app {

ProfilesPage::ProfilesPage(QWidget* parent) : QWidget(parent) {
  setObjectName("Panel_Main_Profilverwaltung");
  setAutoFillBackground(true);
}

void ProfilesPage::ApplyProfiles(const std::vector<std::string>& profiles) { profiles_ = profiles; }

void ProfilesPage::BuildProfiles(std::vector<std::string>& profiles) const { profiles = profiles_; }

void ProfilesPage::ClearSelection() {}

void ProfilesPage::DescribeCurrentSettings(const ConversionSettings& /*settings*/) {}

}  // namespace lumivo::app
