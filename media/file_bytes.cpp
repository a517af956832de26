#include "media/file_bytes.h"

#include <sys/stat.h>
#include <cstdio>
#include <memory>

#include "media/byte_reader.h"
#include "platform/error.h"
#include "platform/regular_file.h"

namespace kv {

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  // Only a regular file opens, and at once: a FIFO in a data file's place would hang start-up.
  std::unique_ptr<FILE, int (*)(FILE*)> file(OpenRegularFile(path), &std::fclose);
  struct stat info {};
  if (!file || fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
    throw Error(Format("Cannot open file %s", path.c_str()));
  }
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(info.st_size));
  uint8_t chunk[65536];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) throw Error(kStreamReadError);
  return bytes;
}

}  // namespace kv
