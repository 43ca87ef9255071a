#include "batch/file_checks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/file_descriptor.h"

namespace lumivo {

namespace {

bool HasWriteLockOfOthers(int fd) {
  struct flock probe {};
  probe.l_type = F_RDLCK;  // only a write lock stands against a read lock
  probe.l_whence = SEEK_SET;
  probe.l_start = 0;
  probe.l_len = 0;
  if (::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK) return true;
  int result;
  do result = ::flock(fd, LOCK_SH | LOCK_NB);
  while (result != 0 && errno == EINTR);
  if (result != 0) return errno == EWOULDBLOCK;
  ::flock(fd, LOCK_UN);
  return false;
}

}  // namespace

bool SourceExists(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::uint64_t SourceFileSize(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || status.st_size < 0) return 0;
  return static_cast<std::uint64_t>(status.st_size);
}

bool IsFileLocked(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return false;
  // Non-blocking, so that a named pipe in the list cannot hang the run.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.get() < 0) return true;
  return HasWriteLockOfOthers(file.get());
}

SourceProblem CheckSource(const std::string& path) {
  if (!SourceExists(path)) return SourceProblem::Missing;
  if (SourceFileSize(path) == 0) return SourceProblem::Empty;
  if (IsFileLocked(path)) return SourceProblem::Locked;
  return SourceProblem::None;
}

}  // namespace lumivo
