#include "media/file_source.h"

#include <sys/stat.h>

#include "platform/error.h"
#include "platform/regular_file.h"

namespace kv {

FileSource::FileSource(const std::string& path) : file_(OpenRegularFile(path), &std::fclose) {
  struct stat info {};
  if (!file_ || fstat(fileno(file_.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
    throw Error(Format("Cannot open file %s", path.c_str()));
  }
  size_ = static_cast<uint64_t>(info.st_size);
}

size_t FileSource::Read(uint8_t* into, size_t n) {
  return std::fread(into, 1, n, file_.get());
}

}  // namespace kv
