#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kv {

namespace {

std::string KindReason(const struct stat& info) {
  return S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
}

}  // namespace

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

}  // namespace kv
