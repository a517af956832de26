#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

namespace kv::test {
namespace {

int StatusOf(int raw) {
  if (WIFEXITED(raw)) return WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) return 128 + WTERMSIG(raw);
  return -1;
}

void Redirect(const std::string& path, int fd) {
  const int out =
      open(path.empty() ? "/dev/null" : path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out >= 0) {
    dup2(out, fd);
    close(out);
  }
}

// The test's own environment with the options' changes.
std::vector<std::string> EnvironmentFor(const ChildProcess::Options& options) {
  const auto name_of = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
  const auto replaced = [&](const std::string& name) {
    for (const std::string& e : options.env) {
      if (name_of(e) == name) return true;
    }
    for (const std::string& u : options.unset_env) {
      if (u == name) return true;
    }
    return false;
  };
  std::vector<std::string> result;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (!replaced(name_of(entry))) result.push_back(entry);
  }
  result.insert(result.end(), options.env.begin(), options.env.end());
  return result;
}

}  // namespace

ChildProcess::ChildProcess(const Options& options) {
  // Everything the child needs is prepared before fork: after it only async-signal-safe calls.
  std::vector<char*> argv;
  for (const std::string& a : options.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> env_entries = EnvironmentFor(options);
  std::vector<char*> envp;
  for (std::string& e : env_entries) envp.push_back(e.data());
  envp.push_back(nullptr);

  int unread[2] = {-1, -1};
  if (options.stdout_unread) {
    if (pipe(unread) != 0) throw std::runtime_error("pipe failed");
    close(unread[0]);
  }

  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    setpgid(0, 0);
    if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0) _exit(126);
    Redirect(options.stdout_path, STDOUT_FILENO);
    if (options.stdout_unread) {
      // Written into, such a pipe raises SIGPIPE: ignored, so that the write fails instead.
      signal(SIGPIPE, SIG_IGN);
      dup2(unread[1], STDOUT_FILENO);
      close(unread[1]);
    }
    if (options.file_size_limit > 0) {
      signal(SIGXFSZ, SIG_IGN);
      rlimit limit{};
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = options.file_size_limit;
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    Redirect(options.stderr_path, STDERR_FILENO);
    if (options.pass_fd >= 0) {
      const int flags = fcntl(options.pass_fd, F_GETFD);
      fcntl(options.pass_fd, F_SETFD, flags & ~FD_CLOEXEC);
    }
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  pid_ = pid;
  if (options.stdout_unread) close(unread[1]);
  // Set the group from both sides, so that it exists before anyone signals it.
  setpgid(static_cast<pid_t>(pid_), static_cast<pid_t>(pid_));
}

ChildProcess::~ChildProcess() {
  Stop();
}

bool ChildProcess::Running() {
  if (status_) return false;
  int raw = 0;
  const pid_t done = waitpid(static_cast<pid_t>(pid_), &raw, WNOHANG);
  if (done == pid_) {
    status_ = StatusOf(raw);
    // Whatever the program left behind in its group ends with it.
    kill(-static_cast<pid_t>(pid_), SIGKILL);
    return false;
  }
  return true;
}

std::optional<int> ChildProcess::WaitExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (Running()) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return status_;
}

void ChildProcess::Signal(int signal) {
  if (Running()) kill(static_cast<pid_t>(pid_), signal);
}

void ChildProcess::Stop() {
  if (pid_ <= 0 || !Running()) return;
  kill(-static_cast<pid_t>(pid_), SIGTERM);
  if (!WaitExit(std::chrono::milliseconds(2000))) {
    kill(-static_cast<pid_t>(pid_), SIGKILL);
    int raw = 0;
    if (waitpid(static_cast<pid_t>(pid_), &raw, 0) == pid_) status_ = StatusOf(raw);
  }
}

}  // namespace kv::test

namespace kv::test {

int RunToEnd(const ChildProcess::Options& options, std::chrono::milliseconds timeout) {
  ChildProcess program(options);
  return program.WaitExit(timeout).value_or(-1);
}

}  // namespace kv::test
