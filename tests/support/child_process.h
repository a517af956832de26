#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv::test {

// A program started by a test. Whatever it starts in turn ends with it (a process group on
// POSIX, a job on Windows); the destructor ends them all if the program is still running.
class ChildProcess {
 public:
  struct Options {
    std::vector<std::string> argv;  // argv[0] is the program's path, not looked up
    std::vector<std::string> env;   // "NAME=value" added to (or replacing in) the test's own
    std::vector<std::string> unset_env;
    std::string cwd;
    std::string stdout_path;  // empty: the null device
    std::string stderr_path;  // empty: the null device
    int pass_fd = -1;         // kept open in the child under its own number (POSIX only)
    // Standard output is a pipe whose reading end is already closed: every write to it fails.
    bool stdout_unread = false;
    // No file the program writes may grow beyond this many bytes, as on a full disk (POSIX
    // only; 0: no limit).
    uint64_t file_size_limit = 0;
  };

  explicit ChildProcess(const Options& options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  long long pid() const { return pid_; }
  // Whether the program has not ended yet (reaps it when it has).
  bool Running();
  // Waits for the program to end; its exit status (on POSIX 128 + signal when a signal ended
  // it), or nullopt when it was still running at the deadline.
  std::optional<int> WaitExit(std::chrono::milliseconds timeout);
  // POSIX: sends the signal. Windows has no signals: the program is ended with 128 + signal as
  // its status, as a shell reports a program a signal ended.
  void Signal(int signal);
  // Ends the program and whatever it started: on POSIX SIGTERM, then SIGKILL if it lingers.
  void Stop();

 private:
  long long pid_ = -1;
  void* process_ = nullptr;  // Windows: the process's handle
  void* job_ = nullptr;      // Windows: the job that holds it and its children
  std::optional<int> status_;
};

// Runs a program to its end: its exit status, or -1 when it had to be stopped at `timeout`.
int RunToEnd(const ChildProcess::Options& options,
             std::chrono::milliseconds timeout = std::chrono::seconds(60));

}  // namespace kv::test
