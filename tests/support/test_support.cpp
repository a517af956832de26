#include "support/test_support.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <string>

namespace kv::test {

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("kervana-test-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++));
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

std::string ReadOutput(const std::string& path) {
  std::string text = ReadText(path);
#ifdef _WIN32
  std::string lines;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) lines += text[i];
  }
  text = lines;
#endif
  return text;
}

std::string StandInFaceFolder() {
  return (std::filesystem::absolute(KV_BUILD_DIR) / "tests/fonts").string();
}

std::string TestFont(const std::string& file) {
  return (std::filesystem::path(StandInFaceFolder()) / file).string();
}

}  // namespace kv::test
