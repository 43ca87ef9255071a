#pragma once
// The report for scripts: one JSON object per entry and line (JSON Lines),
// in list order.

#include <cstdio>
#include <string>
#include <string_view>

#include "batch/run_interfaces.h"

namespace lumivo::cli {

// The text as a JSON string, quotes included. Quotes, backslashes and
// control characters are escaped; bytes that are no valid UTF-8 (file names
// on Linux are bytes) become U+FFFD each, so the line always parses.
std::string JsonString(std::string_view text);

// {"source":..,"output":..,"ok":..,"reason":..,"width":..,"height":..,
// "bytes":..,"milliseconds":..}; a written entry has no reason (null), a
// failed one no size (null).
std::string JsonLine(const EntryOutcome& outcome);

class JsonLinesReport final {
 public:
  explicit JsonLinesReport(std::FILE* file) : file_(file) {}
  // Each line is flushed at once, so a reader follows the run as it goes.
  void Write(const EntryOutcome& outcome);
  // The errno of the first line that could not be written; 0: none.
  int error() const { return error_; }

 private:
  std::FILE* file_;
  int error_ = 0;
};

}  // namespace lumivo::cli
