#pragma once
// What the run engine asks of a front end: the settings at the moment of
// use, and someone to tell what happens.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/bitmap.h"
#include "settings/conversion_settings.h"
#include "settings/program_options.h"

namespace lumivo {

// Read on the thread that runs ConvertList, once per entry (size and quality
// once per run). In the window these read the controls.
class SettingsSource {
 public:
  virtual ~SettingsSource() = default;
  virtual ConversionSettings Conversion() = 0;
  virtual ProgramOptions Options() = 0;
  // The picture the picture watermark stamps (the logo or the chosen file).
  virtual std::shared_ptr<const Bitmap> WatermarkPicture() = 0;
  // A run into a chosen folder remembers it before anything else happens.
  virtual void SetLastOutputFolder(const std::string& folder) = 0;
};

// What became of one entry, for reports that scripts read.
struct EntryOutcome {
  int index = 0;
  std::string_view source;
  std::string_view output;  // the written file; for a failure what its failure line names
  bool ok = false;
  std::string_view reason;  // why it failed; empty when written
  int width = 0;            // of the output; 0 for a failure
  int height = 0;
  std::uint64_t bytes = 0;  // written (or, in a dry run, that would be written)
  double milliseconds = 0;  // preparing and writing this entry
};

// Called on the thread that runs ConvertList, in list order.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // A message box's text: the empty list, a bad own size, a write error.
  virtual void Message(std::string_view /*text*/) {}
  // The entry being converted: its 0-based index, the entry count and path.
  virtual void EntryShown(int /*index*/, int /*count*/, std::string_view /*source*/) {}
  // Why an entry failed; its failure line follows at the end of the run.
  virtual void EntryFailed(std::string_view /*source*/, std::string_view /*reason*/) {}
  // One addition to the report, which ends in a line break; the additions
  // that set off the summary are line breaks themselves ("\n\n").
  virtual void ReportLine(std::string_view /*line*/) {}
  // After every entry: handled entries, all entries, "Fertig 33,33 %" and the time line.
  virtual void Progress(int /*done*/, int /*count*/, std::string_view /*progress*/, std::string_view /*timeLine*/) {}
  // Every entry that was handled, written or failed, before its progress.
  virtual void EntryDone(const EntryOutcome& /*outcome*/) {}
  // The compressed output of a converted entry, for the preview.
  virtual void Preview(std::span<const std::uint8_t> /*jpeg*/) {}
  // The report holds failures and should come to the front.
  virtual void ShowReport() {}
};

// Carries a source's metadata into the output: given the compressed output
// and the source path, the bytes to write, or nothing to write it plainly.
using MetadataTransfer = std::function<std::optional<std::vector<std::uint8_t>>(
    std::span<const std::uint8_t> jpeg, int width, int height, const std::string& source)>;

}  // namespace lumivo
