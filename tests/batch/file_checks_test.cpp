#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "batch/file_checks.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

enum class LockKind { kFcntlWrite, kFcntlRead, kFlockExclusive, kFlockShared };

// Locks of this process do not show, so another process holds the lock
// until the object goes.
class LockingProcess {
 public:
  LockingProcess(const std::string& path, LockKind kind) {
    int ready[2];
    int release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      ::close(release[1]);
      const int fd = ::open(path.c_str(), O_RDWR);
      struct flock lock {};
      lock.l_whence = SEEK_SET;
      lock.l_type = kind == LockKind::kFcntlRead ? F_RDLCK : F_WRLCK;
      bool locked = false;
      if (kind == LockKind::kFcntlWrite || kind == LockKind::kFcntlRead)
        locked = ::fcntl(fd, F_SETLK, &lock) == 0;
      else
        locked = ::flock(fd, kind == LockKind::kFlockExclusive ? LOCK_EX : LOCK_SH) == 0;
      const char answer = locked ? 'y' : 'n';
      char ignored;
      // Holds the lock until the parent closes its end of the pipe.
      const bool told = ::write(ready[1], &answer, 1) == 1;
      ::_exit(told && ::read(release[0], &ignored, 1) >= 0 ? 0 : 1);
    }
    ::close(ready[1]);
    ::close(release[0]);
    release_ = release[1];
    char answer = 'n';
    locked_ = ::read(ready[0], &answer, 1) == 1 && answer == 'y';
    ::close(ready[0]);
  }
  LockingProcess(const LockingProcess&) = delete;
  LockingProcess& operator=(const LockingProcess&) = delete;
  ~LockingProcess() {
    if (release_ >= 0) ::close(release_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  bool locked() const { return locked_; }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool locked_ = false;
};

TEST(CheckSource, FindsMissingEmptyAndUnreadableSources) {
  test::TempDir dir;
  const auto good = dir.Write("Grüße 😀 a\xCC\x88.jpg", "picture").string();
  const auto empty = dir.Write("empty.jpg", "").string();
  std::filesystem::create_directory(dir / "folder.jpg");
  const auto fifo = (dir / "pipe.jpg").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

  const std::pair<std::string, SourceProblem> cases[] = {
      {good, SourceProblem::None},
      {(dir / "missing.jpg").string(), SourceProblem::Missing},
      {(dir / "folder.jpg").string(), SourceProblem::Missing},
      {fifo, SourceProblem::Missing},
      {empty, SourceProblem::Empty},
  };
  for (const auto& [path, expected] : cases) EXPECT_EQ(CheckSource(path), expected) << path;
  EXPECT_FALSE(IsFileLocked((dir / "missing.jpg").string()));
  EXPECT_FALSE(IsFileLocked(fifo));  // and does not wait for a writer

  if (::geteuid() != 0) {  // root reads everything
    const auto hidden = dir.Write("hidden.jpg", "picture").string();
    std::filesystem::permissions(hidden, std::filesystem::perms::none);
    EXPECT_EQ(CheckSource(hidden), SourceProblem::Locked);
  }
}

TEST(IsFileLocked, SeesWriteLocksOfOtherProcesses) {
  test::TempDir dir;
  const auto path = dir.Write("a.jpg", "picture").string();
  const std::pair<LockKind, bool> cases[] = {
      {LockKind::kFcntlWrite, true},
      {LockKind::kFlockExclusive, true},
      {LockKind::kFcntlRead, false},
      {LockKind::kFlockShared, false},
  };
  for (auto [kind, expected] : cases) {
    {
      LockingProcess other(path, kind);
      ASSERT_TRUE(other.locked());
      EXPECT_EQ(IsFileLocked(path), expected) << static_cast<int>(kind);
      EXPECT_EQ(CheckSource(path), expected ? SourceProblem::Locked : SourceProblem::None);
    }
    EXPECT_FALSE(IsFileLocked(path)) << "after the lock went, " << static_cast<int>(kind);
  }
}

}  // namespace
}  // namespace lumivo
