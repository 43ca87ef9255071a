#pragma once
// The first stage of an entry: from source path to compressed output. A pure
// function of the source and the settings, so that it may run ahead on
// worker threads while entries are committed in list order.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/bitmap.h"
#include "imaging/jpeg_output.h"
#include "imaging/sizing.h"
#include "settings/conversion_settings.h"

namespace lumivo {

// What an entry is converted with; size and quality are the run's.
struct EntrySettings {
  ConversionSettings conversion;
  SizeRequest size;
  int quality = 50;
  std::shared_ptr<const Bitmap> watermarkPicture;
};

// The bitmaps and the output object one preparing thread reuses for all its
// entries.
struct PreparationWorkspace {
  Bitmap working;
  Bitmap source;
  JpegImage jpeg;
};

struct PreparedEntry {
  enum class Outcome {
    Ready,   // compressed output in `stream`
    Failed,  // a check or the load failed, or the output is empty: a failure line
    Error,   // an adjustment raised an error: a failure line, or the end of the run under ShowErrors
  };
  Outcome outcome = Outcome::Failed;
  bool loaded = false;
  std::string message;
  ErrorKind kind = ErrorKind::Broken;  // of a failure
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> stream;
  double milliseconds = 0;  // the preparation's own time, from PrepareTimed
};

// The colouring of the settings (sepia, own colour or none), as every entry
// and the window's colouring preview apply it.
void ApplyColouring(Bitmap& working, const ConversionSettings& settings);

// `loaded` is called once the picture has loaded, before the adjustments.
PreparedEntry PrepareEntry(const std::string& source, const EntrySettings& settings,
                           PreparationWorkspace& workspace, const std::function<void()>& loaded = {});

// PrepareEntry with its time taken, as the run prepares.
PreparedEntry PrepareTimed(const std::string& source, const EntrySettings& settings,
                           PreparationWorkspace& workspace, const std::function<void()>& loaded = {});

}  // namespace lumivo
