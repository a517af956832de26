#pragma once

#include <string>
#include <string_view>

namespace kv {

// A file written a line at a time, each line handed to the system whole as it comes, so that a
// program that crashes or is killed leaves every line written before. It is always a new file:
// whatever already has the name (a file, a link, a folder) is refused and left as it was. Only
// a device or a FIFO already there is written into (one that nobody reads fails at once instead
// of waiting for a reader).
class LineFile {
 public:
  // Throws kv::Error("Cannot write FILE: reason") when the file cannot be made, "File exists"
  // being the reason when the name is taken.
  explicit LineFile(const std::string& path);
  ~LineFile();
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;

  // Whether making a LineFile under `path` would be refused because the name is taken by
  // something other than a device or a FIFO: known before the program starts its work.
  static bool WouldReplace(const std::string& path);

  // Writes `line` and a line break. Throws kv::Error("Cannot write FILE: reason") when not all
  // of it was written; the file is then closed and takes no more.
  void Append(std::string_view line);
  // Closes the file, throwing as Append does when the system reports a write lost at the end,
  // or when the file was removed or replaced by another while it was written.
  void Close();

  const std::string& path() const { return path_; }

 private:
  [[noreturn]] void Fail(int error);
  [[noreturn]] void Fail(const std::string& reason);

  std::string path_;
  int fd_ = -1;
  bool regular_ = false;
};

}  // namespace kv
