#pragma once
// The run as lumivo-batch prints it: report lines on standard output as they
// happen, reasons and messages on standard error, and on a terminal a
// progress line that is rewritten in place and kept below everything else.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "batch/run_interfaces.h"
#include "cli/json_report.h"

namespace lumivo::cli {

class ConsoleObserver final : public RunObserver {
 public:
  // `poll` runs at every callback, so that a stop asked for by a signal
  // reaches the run between entries.
  ConsoleObserver(std::FILE* out, std::FILE* err, bool showProgress, std::function<void()> poll = {});

  void Message(std::string_view text) override;
  void EntryShown(int index, int count, std::string_view source) override;
  void EntryFailed(std::string_view source, std::string_view reason) override;
  void ReportLine(std::string_view line) override;
  void EntryDone(const EntryOutcome& outcome) override;
  void Progress(int done, int count, std::string_view progress, std::string_view timeLine) override;

  // Every entry's result and time on standard error, also on success.
  void SetVerbose(bool verbose) { verbose_ = verbose; }
  // Where each entry's JSON line goes; none: no such report.
  void SetJsonReport(JsonLinesReport* report) { jsonReport_ = report; }

  // "lumivo-batch: text" on standard error, below the progress line.
  void PrintError(std::string_view text);
  // Leaves the last progress line standing and ends it.
  void Finish();

  int done() const { return done_; }
  // The errno of the first report line that could not be written; 0: none.
  int outputError() const { return outputError_; }

 private:
  void Poll() const;
  void ClearProgress();
  void DrawProgress();

  std::FILE* out_;
  std::FILE* err_;
  bool showProgress_;
  std::function<void()> poll_;
  std::string progressLine_;
  bool progressShown_ = false;
  bool verbose_ = false;
  JsonLinesReport* jsonReport_ = nullptr;
  int done_ = 0;
  int outputError_ = 0;
};

}  // namespace lumivo::cli
