#include "platform/line_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/error.h"

namespace kv {
namespace {

bool IsStream(mode_t mode) {
  return S_ISFIFO(mode) || S_ISCHR(mode);
}

// A device or a FIFO under the name, links followed (/dev/stdout is one), is written into.
bool NamesStream(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && IsStream(info.st_mode);
}

}  // namespace

LineFile::LineFile(const std::string& path) : path_(path) {
  constexpr int kFlags = O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  const bool stream = NamesStream(path);
  // Exclusive creation refuses a file, a link and a folder alike, so that a recording never
  // takes the place of anything, nor writes through a link planted under its name.
  fd_ = stream ? ::open(path.c_str(), kFlags)
               : ::open(path.c_str(), kFlags | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
  if (fd_ < 0) Fail(errno);
  struct stat info {};
  if (::fstat(fd_, &info) != 0) Fail(errno);
  // The name changed hands between the look and the opening: what it leads to now is not ours.
  if (stream && !IsStream(info.st_mode)) Fail(EEXIST);
  regular_ = S_ISREG(info.st_mode);
  // Opened without waiting for a reader; the writes may wait for one as usual.
  const int status = ::fcntl(fd_, F_GETFL);
  if (status < 0 || ::fcntl(fd_, F_SETFL, status & ~O_NONBLOCK) != 0) Fail(errno);
}

LineFile::~LineFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool LineFile::WouldReplace(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return false;
  return !IsStream(info.st_mode) && !(S_ISLNK(info.st_mode) && NamesStream(path));
}

void LineFile::Fail(int error) {
  Fail(std::strerror(error));
}

void LineFile::Fail(const std::string& reason) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  throw Error("Cannot write " + path_ + ": " + reason);
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
  if (regular_) {
    // A file removed, or its name (or its folder's) given to another, holds lines nobody will
    // find under the name the player was told.
    struct stat open {};
    struct stat named {};
    const bool kept = ::fstat(fd_, &open) == 0 && open.st_nlink > 0 &&
                      ::stat(path_.c_str(), &named) == 0 && named.st_dev == open.st_dev &&
                      named.st_ino == open.st_ino;
    if (!kept) Fail("the file was removed or replaced while it was written");
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && errno != EINTR) {
    const int error = errno;
    throw Error("Cannot write " + path_ + ": " + std::strerror(error));
  }
}

}  // namespace kv
