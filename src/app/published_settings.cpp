#include "app/published_settings.h"

namespace lumivo::app {

void PublishedSettings::Publish(const SettingsState& state, std::shared_ptr<const Bitmap> watermarkPicture) {
  std::lock_guard lock(mutex_);
  state_ = state;
  watermarkPicture_ = std::move(watermarkPicture);
}

SettingsState PublishedSettings::Current() const {
  std::lock_guard lock(mutex_);
  return state_;
}

ConversionSettings PublishedSettings::Conversion() {
  std::lock_guard lock(mutex_);
  return state_.Conversion;
}

ProgramOptions PublishedSettings::Options() {
  std::lock_guard lock(mutex_);
  return state_.Options;
}

std::shared_ptr<const Bitmap> PublishedSettings::WatermarkPicture() {
  std::lock_guard lock(mutex_);
  return watermarkPicture_;
}

void PublishedSettings::SetLastOutputFolder(const std::string& folder) {
  std::lock_guard lock(mutex_);
  state_.Options.LastOutputFolder = folder;
}

}  // namespace lumivo::app
