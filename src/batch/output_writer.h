#pragma once
// Writing an output so that it never replaces a file and nothing half-written
// ever carries a final name: the bytes go to a temporary file in the target
// folder, which is then moved to the final name only while that is free.

#include <ctime>
#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <string_view>

#include "batch/output_naming.h"
#include "core/result.h"

namespace lumivo {

// The file name (no folder) to try next. `taken` answers for the file system
// and for every name that a move found taken meanwhile.
using NameChooser = std::function<std::string(const NameTaken& taken)>;

// What the writes of one run share. Before its first write into a folder it
// removes the temporary files that killed runs left there (only ours, only
// older than this session and held by no process). With `sync`, each file
// is on the disk before it gets its final name and Finish flushes every
// folder written into, so that no output reported as written turns out
// empty or truncated after a power loss.
class OutputSession final {
 public:
  explicit OutputSession(bool sync = false);
  OutputSession(const OutputSession&) = delete;
  OutputSession& operator=(const OutputSession&) = delete;

  // Creates the folder with its parents, writes the bytes and moves them to
  // the chosen name, asking again whenever the name turns out to be taken.
  // Returns the final path, or a German error; the temporary file never
  // outlives a failure.
  Result<std::string> WriteNewFile(std::string_view folder, std::span<const std::uint8_t> bytes,
                                   const NameChooser& choose);
  // WriteNewFile into the source's output folder under the naming rule.
  Result<std::string> WriteOutputFile(std::string_view source, const OutputPlacement& placement,
                                      std::span<const std::uint8_t> bytes);
  // With `sync`: flushes the folders written into, each once.
  void Finish();

 private:
  const bool sync_;
  timespec start_{};
  std::set<std::string> cleared_, written_;
};

// The same, each in a session of its own, without syncing.
Result<std::string> WriteNewFile(std::string_view folder, std::span<const std::uint8_t> bytes,
                                 const NameChooser& choose);
Result<std::string> WriteOutputFile(std::string_view source, const OutputPlacement& placement,
                                    std::span<const std::uint8_t> bytes);

}  // namespace lumivo
