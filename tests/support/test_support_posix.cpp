#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <stdexcept>
#include <string>

#include "support/test_support.h"

namespace kv::test {

std::string GameProgram() {
  return KV_BUILD_DIR "/kervana";
}

std::string DataToolProgram() {
  return KV_BUILD_DIR "/kervana-data";
}

void SetEnvironment(const std::string& name, const std::string& value) {
  setenv(name.c_str(), value.c_str(), 1);
}

long ProcessId() {
  return static_cast<long>(getpid());
}

long GoneProcessId() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return static_cast<long>(child);
}

long OtherLiveProcessId() {
  return static_cast<long>(::getppid());
}

FileSizeLimit::FileSizeLimit(uint64_t bytes) {
  old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  old_soft_limit_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = old_soft_limit_;
  setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, old_handler_);
}

void MakeFifo(const std::string& path) {
  if (mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make FIFO " + path);
}

FailingStandardOutput::FailingStandardOutput() {
  std::fflush(stdout);
  saved_ = dup(STDOUT_FILENO);
  const int full = open("/dev/full", O_WRONLY);
  dup2(full, STDOUT_FILENO);
  close(full);
}

FailingStandardOutput::~FailingStandardOutput() {
  std::clearerr(stdout);
  dup2(saved_, STDOUT_FILENO);
  close(saved_);
}

bool ReturnsAtOnce(const std::function<void()>& work, const std::string& fifo) {
  auto done = std::async(std::launch::async, work);
  if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready) {
    done.get();
    return true;
  }
  // A reader waiting in open() goes on once a writer opens; closing again gives it an end of
  // file. Repeated until the work is over, should it open the FIFO more than once.
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (done.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
    const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) close(fd);
    if (std::chrono::steady_clock::now() > give_up) {
      std::fprintf(stderr, "work stuck on %s cannot be set free\n", fifo.c_str());
      std::abort();
    }
  }
  done.get();
  return false;
}

}  // namespace kv::test
