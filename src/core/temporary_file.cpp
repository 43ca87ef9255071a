#include "core/temporary_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <random>
#include <string_view>

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
  // Only now: a clearing run that takes the lock finds the name gone.
  (void)lock_.Close();
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
      // A file system without locks (some network mounts) writes unlocked;
      // its orphans then stay, as they would without any clearing.
      if (::flock(fd, LOCK_EX | LOCK_NB) == 0) lock_.Reset(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
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

namespace {

// ".<stem>-<digits and dashes>.tmp", as Create names it for a stem that
// ends in a number (the writer's process id).
bool IsTemporaryName(std::string_view name, std::string_view stem) {
  constexpr std::string_view kSuffix = ".tmp";
  if (!name.starts_with('.') || !name.ends_with(kSuffix)) return false;
  name.remove_prefix(1);
  name.remove_suffix(kSuffix.size());
  if (!name.starts_with(stem) || name.size() <= stem.size() + 1 || name[stem.size()] != '-') return false;
  name.remove_prefix(stem.size() + 1);
  return name.find_first_not_of("0123456789-") == std::string_view::npos;
}

bool Before(const timespec& time, const timespec& limit) {
  return time.tv_sec < limit.tv_sec || (time.tv_sec == limit.tv_sec && time.tv_nsec < limit.tv_nsec);
}

struct FolderCloser {
  void operator()(DIR* folder) const { ::closedir(folder); }
};

}  // namespace

int RemoveOrphanedTemporaryFiles(const std::string& folder, const std::string& stem, const timespec& before) {
  const std::unique_ptr<DIR, FolderCloser> listing(::opendir(folder.c_str()));
  if (!listing) return 0;
  const int folderFd = ::dirfd(listing.get());
  int removed = 0;
  while (const dirent* entry = ::readdir(listing.get())) {
    if (!IsTemporaryName(entry->d_name, stem)) continue;
    FileDescriptor file(::openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened {}, named {};
    if (!file.valid() || ::fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        !Before(opened.st_mtim, before))
      continue;
    // A writer holds its lock until its file has its final name or is gone.
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) continue;
    if (::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_ino != opened.st_ino ||
        named.st_dev != opened.st_dev)
      continue;
    if (::unlinkat(folderFd, entry->d_name, 0) == 0) ++removed;
  }
  return removed;
}

bool SyncFolder(const std::string& folder) {
  FileDescriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!handle.valid()) return false;
  return ::fsync(handle.get()) == 0 || errno == EINVAL;  // EINVAL: a file system that cannot sync folders
}

}  // namespace lumivo
