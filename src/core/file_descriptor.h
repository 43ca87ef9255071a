#pragma once
// An open file descriptor, closed on every way out.

#include <unistd.h>

namespace lumivo {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { (void)Close(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void Reset(int fd) {
    (void)Close();
    fd_ = fd;
  }
  // Network file systems may report a failed write only here.
  [[nodiscard]] bool Close() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_ = -1;
};

}  // namespace lumivo
