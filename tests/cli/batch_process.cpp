#include "batch_process.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

extern char** environ;

namespace lumivo::test {

namespace {

std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& extra) {
  std::map<std::string, std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text(*entry);
    const auto equals = text.find('=');
    if (equals != std::string::npos) merged[text.substr(0, equals)] = text.substr(equals + 1);
  }
  for (const auto& [key, value] : extra) merged[key] = value;
  std::vector<std::string> result;
  for (const auto& [key, value] : merged) result.push_back(key + "=" + value);
  return result;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Reads what is there; false at the end (a closed pipe, or EIO on a terminal
// whose other side is gone).
bool ReadSome(int fd, std::string& into) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      into.append(buffer, static_cast<std::size_t>(got));
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    return false;
  }
}

}  // namespace

BatchProcess::BatchProcess(const std::vector<std::string>& arguments,
                           const std::map<std::string, std::string>& environment, bool terminal) {
  std::vector<std::string> argv{LUMIVO_BATCH};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envp = MergedEnvironment(environment);
  auto argvPointers = Pointers(argv);
  auto envpPointers = Pointers(envp);

  int outPipe[2];
  int errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  if (terminal) {
    if (::openpty(&errPipe[0], &errPipe[1], nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty");
    ::fcntl(errPipe[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(errPipe[1], F_SETFD, FD_CLOEXEC);
  } else if (::pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe");
  }
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(outPipe[1], STDOUT_FILENO);
    ::dup2(errPipe[1], STDERR_FILENO);
    const int devNull = ::open("/dev/null", O_RDONLY);
    ::dup2(devNull, STDIN_FILENO);
    ::execve(argvPointers[0], argvPointers.data(), envpPointers.data());
    ::_exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  out_ = outPipe[0];
  err_ = errPipe[0];
}

BatchProcess::~BatchProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) ::close(out_);
  if (err_ >= 0) ::close(err_);
}

std::string BatchProcess::ReadLine() {
  for (;;) {
    const auto end = pendingOut_.find('\n');
    if (end != std::string::npos) {
      std::string line = pendingOut_.substr(0, end);
      readOut_ += pendingOut_.substr(0, end + 1);
      pendingOut_.erase(0, end + 1);
      return line;
    }
    if (!ReadSome(out_, pendingOut_)) return {};
  }
}

void BatchProcess::Signal(int signal) const { ::kill(pid_, signal); }

Outcome BatchProcess::Wait() {
  Outcome outcome;
  outcome.out = readOut_ + pendingOut_;
  pendingOut_.clear();
  bool outOpen = true;
  bool errOpen = true;
  while (outOpen || errOpen) {
    pollfd fds[2] = {{outOpen ? out_ : -1, POLLIN, 0}, {errOpen ? err_ : -1, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (outOpen && fds[0].revents != 0) outOpen = ReadSome(out_, outcome.out);
    if (errOpen && fds[1].revents != 0) errOpen = ReadSome(err_, outcome.err);
  }
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return outcome;
}

}  // namespace lumivo::test
