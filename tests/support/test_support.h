#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/error.h"

namespace kv::test {

// A fresh directory under the system's temporary directory, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The message of the kv::Error that `action` throws, or "no error".
inline std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

// The whole of a text file; empty when it cannot be read.
std::string ReadText(const std::string& path);

// While it exists, no file of this process may grow beyond `bytes`: a write past that point
// fails as on a full disk (EFBIG, the signal that comes with it ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(uint64_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  uint64_t old_soft_limit_ = 0;
  void (*old_handler_)(int) = nullptr;
};

// Makes a FIFO at `path`.
void MakeFifo(const std::string& path);

// Runs `work` and says whether it returned within a few seconds. Work stuck opening the FIFO at
// `fifo` is then set free by opening the FIFO's other end, so that a hang fails the test
// instead of holding it for ever.
bool ReturnsAtOnce(const std::function<void()>& work, const std::string& fifo);

}  // namespace kv::test
