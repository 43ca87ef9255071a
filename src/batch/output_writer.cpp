#include "batch/output_writer.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <set>
#include <system_error>

#include "core/failure_reason.h"
#include "core/folder_path.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

namespace fs = std::filesystem;

Error CannotWriteInto(const std::string& folder, int error) {
  return Error{FormatText(texts::kCannotWriteIntoFolder, folder, FailureReason(error)), ErrorKind::Io};
}

Error CannotWrite(const std::string& path, int error) {
  return Error{FormatText(texts::kCannotWriteFileBecause, path, FailureReason(error)), ErrorKind::Io};
}

// The hidden temporary file; removed unless it was moved to its final name.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  [[nodiscard]] bool Create(const std::string& folder) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string path = folder + ".lumivo-" + std::to_string(::getpid()) + "-" + std::to_string(random()) + ".tmp";
      // 0666 lets the umask decide, as for any file the user's programs create.
      fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
      if (fd_ >= 0) {
        path_ = std::move(path);
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }

  [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written == 0) errno = ENOSPC;
      if (written <= 0) return false;
      bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
  }

  // Network file systems may report a failed write only here.
  [[nodiscard]] bool CloseFile() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

  const std::string& path() const { return path_; }
  void Release() { path_.clear(); }

 private:
  int fd_ = -1;
  std::string path_;
};

enum class Move { kDone, kTaken, kFailed };

bool Unsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP || error == EPERM;
}

Move MoveWithoutReplacing(TemporaryFile& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.path().c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    from.Release();
    return Move::kDone;
  }
  if (errno == EEXIST) return Move::kTaken;
  if (!Unsupported(errno)) return Move::kFailed;
  // A hard link refuses a taken name as well; the temporary name then goes.
  if (::link(from.path().c_str(), to.c_str()) == 0) return Move::kDone;
  if (errno == EEXIST) return Move::kTaken;
  if (!Unsupported(errno)) return Move::kFailed;
  // A file system with neither (rare FUSE mounts): only a narrow race is left.
  if (NameTakenOnDisk(to)) return Move::kTaken;
  if (::rename(from.path().c_str(), to.c_str()) != 0) return Move::kFailed;
  from.Release();
  return Move::kDone;
}

bool ValidFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

}  // namespace

Result<std::string> WriteNewFile(std::string_view folder_text, std::span<const std::uint8_t> bytes,
                                 const NameChooser& choose) {
  const std::string folder = WithTrailingSlash(std::string(folder_text));

  std::error_code error;
  fs::create_directories(fs::path(folder), error);
  if (!fs::is_directory(fs::path(folder))) {
    const int reason = error ? error.value() : ENOTDIR;
    return Error{FormatText(texts::kCannotCreateFolder, std::string(folder_text), FailureReason(reason)), ErrorKind::Io};
  }

  TemporaryFile temporary;
  if (!temporary.Create(folder) || !temporary.Write(bytes) || !temporary.CloseFile())
    return CannotWriteInto(folder, errno);

  std::set<std::string> found_taken;
  const NameTaken taken = [&found_taken](const std::string& path) {
    return found_taken.contains(path) || NameTakenOnDisk(path);
  };
  for (;;) {
    const std::string name = choose(taken);
    const std::string target = folder + name;
    if (!ValidFileName(name) || found_taken.contains(target))
      return Error{FormatText(texts::kCannotWriteFile, target), ErrorKind::Io};
    switch (MoveWithoutReplacing(temporary, target)) {
      case Move::kDone:
        return target;
      case Move::kTaken:
        found_taken.insert(target);
        break;
      case Move::kFailed:
        return CannotWrite(target, errno);
    }
  }
}

Result<std::string> WriteOutputFile(std::string_view source, const OutputPlacement& placement,
                                    std::span<const std::uint8_t> bytes) {
  return WriteNewFile(OutputFolder(source, placement), bytes, [&](const NameTaken& taken) {
    return BuildOutputName(source, placement, taken).name;
  });
}

}  // namespace lumivo
