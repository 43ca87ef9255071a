#include "core/temporary_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <random>

namespace lumivo {

namespace {

bool Unsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP || error == EPERM;
}

bool Exists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

}  // namespace

TemporaryFile::~TemporaryFile() {
  (void)file_.Close();
  if (!path_.empty()) ::unlink(path_.c_str());
}

bool TemporaryFile::Failed() {
  error_ = errno != 0 ? errno : EIO;
  return false;
}

bool TemporaryFile::Create(const std::string& folder, const std::string& stem) {
  thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string path = folder + "." + stem + "-" + std::to_string(random()) + ".tmp";
    // 0666 lets the umask decide, as for any file the user's programs create.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      file_.Reset(fd);
      path_ = std::move(path);
      return true;
    }
    if (errno != EEXIST) return Failed();
  }
  return Failed();
}

bool TemporaryFile::Write(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(file_.get(), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written == 0) errno = ENOSPC;
    if (written <= 0) return Failed();
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

bool TemporaryFile::Finish(bool sync) {
  errno = 0;
  if (sync && ::fsync(file_.get()) != 0) return Failed();
  if (!file_.Close()) return Failed();
  return true;
}

TemporaryFile::Move TemporaryFile::MoveWithoutReplacing(const std::string& target) {
  const auto failed = [this] {
    Failed();
    return Move::Failed;
  };
  if (::renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    path_.clear();
    return Move::Done;
  }
  if (errno == EEXIST) return Move::Taken;
  if (!Unsupported(errno)) return failed();
  // A hard link refuses a taken name as well; the temporary name then goes.
  if (::link(path_.c_str(), target.c_str()) == 0) return Move::Done;
  if (errno == EEXIST) return Move::Taken;
  if (!Unsupported(errno)) return failed();
  // A file system with neither (rare FUSE mounts): only a narrow race is left.
  if (Exists(target)) return Move::Taken;
  if (::rename(path_.c_str(), target.c_str()) != 0) return failed();
  path_.clear();
  return Move::Done;
}

bool TemporaryFile::Replace(const std::string& target) {
  if (::rename(path_.c_str(), target.c_str()) != 0) return Failed();
  path_.clear();
  return true;
}

}  // namespace lumivo
