#include "platform/replace_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string_view>

#include "platform/temporary_name.h"

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

// Tidying up after a failure must not lose the reason the caller reports.
void RemoveKeepingReason(const std::string& temp) {
  const int error = errno;
  ::unlink(temp.c_str());
  errno = error;
}

// A program killed while it wrote `path` left its temporary beside it. One whose program is gone
// is removed, being ours and nobody's any more; one whose program runs may be in use.
void RemoveStaleTemporaries(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir || name.empty()) return;
  while (const dirent* entry = ::readdir(dir.get())) {
    const long pid = TemporaryPid(entry->d_name, name);
    if (pid <= 0 || pid == ::getpid() || pid > INT32_MAX) continue;
    if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(info.st_mode)) {
      ::unlinkat(::dirfd(dir.get()), entry->d_name, 0);
    }
  }
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
  RemoveStaleTemporaries(path);
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  const int fd = OpenForWriting(temp, O_CREAT | O_TRUNC | O_NOFOLLOW, 0666);
  if (fd < 0) return WriteResult::kCannotCreate;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    // Something else sits under the temporary name; it is not ours to remove.
    ::close(fd);
    errno = EEXIST;
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
    RemoveKeepingReason(temp);
    return WriteResult::kWriteFailed;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    RemoveKeepingReason(temp);
    return WriteResult::kCannotCreate;
  }
  return WriteResult::kWritten;
}

WriteResult WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return ReplaceFile(path, bytes);
  if (S_ISDIR(info.st_mode)) {
    errno = EISDIR;
    return WriteResult::kCannotCreate;
  }
  if (!S_ISREG(info.st_mode)) return WriteInto(path, bytes);
  std::unique_ptr<char, void (*)(void*)> real(::realpath(path.c_str(), nullptr), &std::free);
  return ReplaceFile(real ? std::string(real.get()) : path, bytes);
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
