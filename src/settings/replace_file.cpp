#include "settings/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

#include "resources/texts.h"

namespace lumivo {

namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  bool Close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A link is followed, so that the file it names gets the new content.
std::filesystem::path ResolvedTarget(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(file, ec)) return file;
  auto resolved = std::filesystem::weakly_canonical(file, ec);
  return ec ? file : resolved;
}

}  // namespace

Status ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes) {
  const Error failure{FormatText(texts::kCannotWriteFile, file.string()), ErrorKind::Io};
  const auto target = ResolvedTarget(file);
  const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");

  std::random_device random;
  std::filesystem::path temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = folder / ("." + target.filename().string() + ".tmp" + std::to_string(random()));
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return failure;
  }
  if (fd < 0) return failure;
  FileDescriptor out(fd);

  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) ::fchmod(out.get(), existing.st_mode & 07777);

  const bool written = WriteAll(out.get(), bytes) && ::fsync(out.get()) == 0;
  if (!out.Close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return failure;
  }
  return Status::Ok();
}

}  // namespace lumivo
