#pragma once

#include <filesystem>
#include <string>

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

// The whole of a text file; empty when it cannot be read.
std::string ReadText(const std::string& path);

}  // namespace kv::test
