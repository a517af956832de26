#pragma once

#include <string>
#include <string_view>

namespace kv {

// A file written a line at a time, each line handed to the system whole as it comes, so that a
// program that crashes or is killed leaves every line written before. A file of that name is
// emptied first; a device or a FIFO already there is written into (one that nobody reads fails
// at once instead of waiting for a reader).
class LineFile {
 public:
  // Throws kv::Error("Cannot write FILE: reason") when the file cannot be made.
  explicit LineFile(const std::string& path);
  ~LineFile();
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;

  // Writes `line` and a line break. Throws kv::Error("Cannot write FILE: reason") when not all
  // of it was written; the file is then closed and takes no more.
  void Append(std::string_view line);
  // Closes the file, throwing as Append does when the system reports a write lost at the end.
  void Close();

  const std::string& path() const { return path_; }

 private:
  [[noreturn]] void Fail(int error);

  std::string path_;
  int fd_ = -1;
};

}  // namespace kv
