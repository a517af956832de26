#include "media/file_source.h"

#include "platform/error.h"
#include "platform/regular_file.h"

namespace kv {

FileSource::FileSource(const std::string& path) : file_(nullptr, &std::fclose) {
  std::string reason;
  file_.reset(OpenRegularFile(path, reason));
  const std::optional<uint64_t> size = RegularFileSize(file_.get());
  if (file_ && !size) {
    reason = "Not a regular file";
    file_.reset();
  }
  // The reason goes below the message, which keeps its words.
  if (!file_) throw Error(Format("Cannot open file %s", path.c_str()), reason);
  size_ = *size;
}

size_t FileSource::Read(uint8_t* into, size_t n) {
  return std::fread(into, 1, n, file_.get());
}

}  // namespace kv
