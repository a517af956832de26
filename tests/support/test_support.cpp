#include "support/test_support.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <future>
#include <sstream>
#include <stdexcept>
#include <string>

namespace kv::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("kervana-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
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
