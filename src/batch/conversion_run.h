#pragma once
// The run: every entry of the list into a JPEG, in list order, with
// progress, time line, stop and report. Knows nothing of widgets.

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "batch/output_naming.h"
#include "batch/run_interfaces.h"
#include "imaging/sizing.h"
#include "metadata/exif_transfer.h"

namespace lumivo {

struct RunOptions {
  // Entries prepared at once. 1 is the plain single-thread run; more prepare
  // ahead on worker threads with identical files, names and report.
  int jobs = 1;
  std::string decimalSeparator = ",";
  MetadataTransfer transferMetadata = TransferExif;  // used when KeepExif is on; empty: plain save
  // Each output on the disk before its final name, each folder flushed at
  // the end: no output reported as written is lost to a power loss. Costs
  // little beside the conversion of photos; much for thousands of tiny files.
  bool sync = true;
  // In place of the size settings for the whole run (lumivo-batch --fit).
  std::optional<SizeRequest> size;
  // Per entry, in list order: the folder whose tree below it is rebuilt in
  // the chosen folder, in place of KeepFolderStructure. Empty: none.
  std::vector<std::string> structureRoots;
  // Everything but the writing: names are chosen against the folders as they
  // are and against the names planned before; no file or folder is made.
  bool dryRun = false;
};

struct RunResult {
  bool started = false;  // false: empty list, missing folder or bad own size
  int converted = 0;
  int failures = 0;
  bool stopped = false;  // by a stop request, a write error under ShowErrors, or an error passed on
  std::string passedOnError;  // under ShowErrors: the error that ended the run at once

  bool ok() const { return started && failures == 0 && passedOnError.empty(); }
};

class ConversionRun {
 public:
  // `folder`: the picked folder for ChosenFolder; ignored beside the sources.
  RunResult ConvertList(const std::vector<std::string>& entries, DestinationMode mode, const std::string& folder,
                        SettingsSource& settings, RunObserver& observer, const RunOptions& options = {});

  // Honoured after the entry in progress. A request made while no run is in
  // progress is discarded when the next run starts.
  void RequestStop() { stopRequested_ = true; }
  bool running() const { return running_; }

 private:
  std::atomic<bool> stopRequested_ = false;
  std::atomic<bool> running_ = false;
};

}  // namespace lumivo
