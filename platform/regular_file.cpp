#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

namespace kv {

namespace {

std::string KindReason(const struct stat& info) {
  return S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
}

}  // namespace

std::FILE* OpenRegularFile(const std::string& path) {
  std::string reason;
  return OpenRegularFile(path, reason);
}

std::FILE* OpenRegularFile(const std::string& path, std::string& reason) {
  // Looking first keeps devices from being opened at all (opening some has effects of its own);
  // looking again at what was opened closes the gap in which the name may have changed hands.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return reason = std::strerror(errno), nullptr;
  if (!S_ISREG(info.st_mode)) return reason = KindReason(info), nullptr;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return reason = std::strerror(errno), nullptr;
  const int flags = ::fcntl(fd, F_GETFL);
  // Reading a regular file never waits anyway; the descriptor goes on as an ordinary one.
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    reason = S_ISREG(info.st_mode) ? std::strerror(errno) : KindReason(info);
    ::close(fd);
    return nullptr;
  }
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    reason = std::strerror(errno);
    ::close(fd);
  }
  return file;
}

std::optional<uint64_t> RegularFileSize(std::FILE* file) {
  struct stat info {};
  if (file == nullptr || ::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    return std::nullopt;
  }
  return static_cast<uint64_t>(info.st_size);
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
