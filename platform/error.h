#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <utility>

namespace kv {

// Every failure of the game travels as this exception, carrying the exact text the player
// sees. It is caught once, by the message loop, which reports it and goes on.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
  // `detail` (UTF-8) helps the player further: the error box and standard error show it below
  // the message, while the list of errors keeps the message alone.
  Error(const std::string& message, std::string detail)
      : std::runtime_error(message), detail_(std::move(detail)) {}
  const std::string& detail() const { return detail_; }

 private:
  std::string detail_;
};

// A data file that failed to load: the loader's message unchanged, and the file's path, which
// the error box shows above it.
class FileError : public Error {
 public:
  FileError(std::string path, const std::string& message, std::string detail = {})
      : Error(message, std::move(detail)), path_(std::move(path)) {}
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// printf-style formatting for the game's messages ("Image '%s' not found"). Checked against the
// printf the program calls: on Windows the C library's standard one, not the system's.
#ifdef __MINGW_PRINTF_FORMAT
std::string Format(const char* pattern, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)));
#else
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
#endif

}  // namespace kv
