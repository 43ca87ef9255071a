#pragma once
// Writing a file so that nothing half-written ever carries its final name:
// the bytes go to a hidden temporary file in the target folder, which is then
// moved to the final name. The caller picks the rule of that move. While it
// exists, the file is locked (flock), so that a run clearing up what killed
// runs left behind can tell a temporary file in use from an orphan.

#include <ctime>
#include <cstdint>
#include <span>
#include <string>

#include "core/file_descriptor.h"

namespace lumivo {

class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  // Removes the file unless it was moved to its final name.
  ~TemporaryFile();

  // Creates ".<stem>-<random>.tmp" in the folder (which ends in "/"). Each
  // step answers false with the reason in error() (an errno value).
  [[nodiscard]] bool Create(const std::string& folder, const std::string& stem);
  [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes);
  // `sync`: on the disk before the move, so that a power loss never leaves
  // the final name empty or truncated. The lock stays until the move.
  [[nodiscard]] bool Finish(bool sync);

  enum class Move { Done, Taken, Failed };
  // Moves to the target only while no file of that name exists.
  Move MoveWithoutReplacing(const std::string& target);
  // Moves over the target, replacing it at once.
  [[nodiscard]] bool Replace(const std::string& target);

  const std::string& path() const { return path_; }
  int fd() const { return file_.get(); }
  int error() const { return error_; }

 private:
  bool Failed();

  FileDescriptor file_;
  FileDescriptor lock_;  // shares the file's lock, which outlives Finish's close
  std::string path_;
  int error_ = 0;
};

// Removes the temporary files named ".<stem>-<digits>[-<digits>...].tmp"
// (what Create makes of stems "<stem>-<number>") in the folder that
// were last written before `before` and that no process holds: what a killed
// run left behind. Answers how many went.
int RemoveOrphanedTemporaryFiles(const std::string& folder, const std::string& stem, const timespec& before);

// Flushes the folder's entries (new names) to the disk; false with errno set.
bool SyncFolder(const std::string& folder);

}  // namespace lumivo
