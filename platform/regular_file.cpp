#include "platform/regular_file.h"

#include <algorithm>
#include <memory>

namespace kv {

std::FILE* OpenRegularFile(const std::string& path) {
  std::string reason;
  return OpenRegularFile(path, reason);
}

std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, size_t limit) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenRegularFile(path), &std::fclose);
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  while (bytes.size() < limit) {
    const size_t want = std::min(sizeof chunk, limit - bytes.size());
    const size_t got = std::fread(chunk, 1, want, file.get());
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < want) break;
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

}  // namespace kv
