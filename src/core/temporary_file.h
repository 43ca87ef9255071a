#pragma once
// Writing a file so that nothing half-written ever carries its final name:
// the bytes go to a hidden temporary file in the target folder, which is then
// moved to the final name. The caller picks the rule of that move.

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
  // `sync`: on the disk before the move, for files that replace others.
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
  std::string path_;
  int error_ = 0;
};

}  // namespace lumivo
