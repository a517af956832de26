#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kv::test {

// A program started by a test. It runs in a process group of its own, so that whatever it
// starts in turn ends with it; the destructor ends the group if the program is still running.
class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> argv;
    std::vector<std::string> env;  // "NAME=value" added to (or replacing in) the test's own
    std::vector<std::string> unset_env;
    std::string cwd;
    std::string stdout_path;  // empty: /dev/null
    std::string stderr_path;  // empty: /dev/null
    int pass_fd = -1;         // kept open in the child under its own number
  };

  explicit ChildProcess(const Options& options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Whether the program has not ended yet (reaps it when it has).
  bool Running();
  // Waits for the program to end; its exit status (128 + signal when a signal ended it), or
  // nullopt when it was still running at the deadline.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout);
  void Signal(int signal);
  // Ends the program and its group: SIGTERM, then SIGKILL if it lingers.
  void Stop();

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

}  // namespace kv::test
