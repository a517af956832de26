#include "media/file_source.h"

#include <sys/stat.h>

#include "platform/error.h"
#include "platform/regular_file.h"

namespace kv {

FileSource::FileSource(const std::string& path) : file_(nullptr, &std::fclose) {
  std::string reason;
  file_.reset(OpenRegularFile(path, reason));
  struct stat info {};
  if (file_ && (fstat(fileno(file_.get()), &info) != 0 || !S_ISREG(info.st_mode))) {
    reason = "Not a regular file";
    file_.reset();
  }
  // The reason goes below the message, which keeps its words.
  if (!file_) throw Error(Format("Cannot open file %s", path.c_str()), reason);
  size_ = static_cast<uint64_t>(info.st_size);
}

size_t FileSource::Read(uint8_t* into, size_t n) {
  return std::fread(into, 1, n, file_.get());
}

}  // namespace kv
