#pragma once
// The window's settings as a run reads them: a copy the window publishes
// whenever a control changes, read by the run's thread once per entry.

#include <memory>
#include <mutex>

#include "batch/run_interfaces.h"
#include "settings/settings_file.h"

namespace lumivo::app {

class PublishedSettings final : public SettingsSource {
 public:
  void Publish(const SettingsState& state, std::shared_ptr<const Bitmap> watermarkPicture);
  SettingsState Current() const;

  ConversionSettings Conversion() override;
  ProgramOptions Options() override;
  std::shared_ptr<const Bitmap> WatermarkPicture() override;
  // The window remembers the folder itself before the run starts.
  void SetLastOutputFolder(const std::string& folder) override;

 private:
  mutable std::mutex mutex_;
  SettingsState state_;
  std::shared_ptr<const Bitmap> watermarkPicture_;
};

}  // namespace lumivo::app
