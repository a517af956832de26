#include "platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string_view>

namespace kv {
namespace {

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  const uint8_t* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

// Opens without waiting for a reader, then lets writes wait as usual: a FIFO nobody reads is
// refused at once, one that is read is filled as fast as it is read.
int OpenForWriting(const std::string& path, int flags, mode_t mode) {
  const int fd = ::open(path.c_str(), flags | O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, mode);
  if (fd < 0) return -1;
  const int status = ::fcntl(fd, F_GETFL);
  if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

WriteResult WriteInto(const std::string& path, std::span<const uint8_t> bytes) {
  const int fd = OpenForWriting(path, 0, 0);
  if (fd < 0) return WriteResult::kCannotCreate;
  bool ok = WriteAll(fd, bytes);
  ok = ::close(fd) == 0 && ok;
  return ok ? WriteResult::kWritten : WriteResult::kWriteFailed;
}

}  // namespace

WriteResult ReplaceFile(const std::string& path, std::span<const uint8_t> bytes) {
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  const int fd = OpenForWriting(temp, O_CREAT | O_TRUNC | O_NOFOLLOW, 0666);
  if (fd < 0) return WriteResult::kCannotCreate;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    // Something else sits under the temporary name; it is not ours to remove.
    ::close(fd);
    return WriteResult::kCannotCreate;
  }
  // A file replaced keeps who may read and write it.
  struct stat old {};
  bool ok = ::stat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode) ||
            ::fchmod(fd, old.st_mode & 07777) == 0;
  // On the disk before the rename: after a crash the name holds the old file or the new one.
  ok = ok && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok) {
    ::unlink(temp.c_str());
    return WriteResult::kWriteFailed;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return WriteResult::kCannotCreate;
  }
  return WriteResult::kWritten;
}

WriteResult WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return ReplaceFile(path, bytes);
  if (S_ISDIR(info.st_mode)) return WriteResult::kCannotCreate;
  if (!S_ISREG(info.st_mode)) return WriteInto(path, bytes);
  std::unique_ptr<char, void (*)(void*)> real(::realpath(path.c_str(), nullptr), &std::free);
  return ReplaceFile(real ? std::string(real.get()) : path, bytes);
}

bool WriteStandardOutput(std::string_view text) {
  // Whatever went through std::cout before goes first.
  std::cout.flush();
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  return std::fflush(stdout) == 0 && written && std::cout.good();
}

bool FinishStandardOutput() {
  std::cout.flush();
  bool ok = std::cout.good();
  ok = std::fflush(stdout) == 0 && ok;
  ok = !std::ferror(stdout) && ok;
  // Some file systems report a lost write only when the file is closed. The stream stays open
  // with an empty buffer, so nothing that runs after this has anything to write. A program
  // started without standard output has lost nothing unless it printed, which ferror saw.
  if (::close(STDOUT_FILENO) != 0 && errno != EBADF) ok = false;
  return ok;
}

}  // namespace kv
