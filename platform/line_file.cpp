#include "platform/line_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/error.h"

namespace kv {

LineFile::LineFile(const std::string& path) : path_(path) {
  fd_ =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  if (fd_ < 0) Fail(errno);
  // Opened without waiting for a reader; the writes may wait for one as usual.
  const int status = ::fcntl(fd_, F_GETFL);
  if (status < 0 || ::fcntl(fd_, F_SETFL, status & ~O_NONBLOCK) != 0) Fail(errno);
}

LineFile::~LineFile() {
  if (fd_ >= 0) ::close(fd_);
}

void LineFile::Fail(int error) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  throw Error("Cannot write " + path_ + ": " + std::strerror(error));
}

void LineFile::Append(std::string_view line) {
  if (fd_ < 0) throw Error("Cannot write " + path_ + ": the file is closed");
  std::string text(line);
  text += '\n';
  const char* data = text.data();
  size_t left = text.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail(n < 0 ? errno : ENOSPC);
    data += n;
    left -= static_cast<size_t>(n);
  }
}

void LineFile::Close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) {
    const int error = errno;
    throw Error("Cannot write " + path_ + ": " + std::strerror(error));
  }
}

}  // namespace kv
