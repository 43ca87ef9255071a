#pragma once
// Runs the built lumivo-batch as a child process with its output captured.

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace lumivo::test {

struct Outcome {
  int status = -1;  // the exit code, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

class BatchProcess {
 public:
  // `environment` is added to (and overrides) this process's environment.
  // With `terminal`, standard error is a pseudo-terminal.
  BatchProcess(const std::vector<std::string>& arguments, const std::map<std::string, std::string>& environment,
               bool terminal = false);
  ~BatchProcess();
  BatchProcess(const BatchProcess&) = delete;
  BatchProcess& operator=(const BatchProcess&) = delete;

  // The next line of standard output without its line end; empty at its end.
  std::string ReadLine();
  void Signal(int signal) const;
  // Reads both outputs to their end and reaps the child.
  Outcome Wait();

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
  std::string pendingOut_;
  std::string readOut_;
};

}  // namespace lumivo::test
