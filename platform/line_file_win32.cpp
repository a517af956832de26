#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/error.h"
#include "platform/line_file.h"
#include "platform/support_win32.h"

namespace kv {
namespace {

// Which file a handle holds, to tell whether a name still leads to it.
struct FileId {
  DWORD volume = 0;
  DWORD high = 0;
  DWORD low = 0;
  bool operator==(const FileId&) const = default;
};

bool IdOf(HANDLE handle, FileId& id) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info)) return false;
  id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

}  // namespace

LineFile::LineFile(const std::string& path) : path_(path) {
  const std::wstring wide = win32::Widen(path);
  if (wide.empty()) Fail(ENOENT);
  const bool stream = win32::NamesDevice(wide);
  // Exclusive creation refuses a file, a link and a folder alike, so that a recording never
  // takes the place of anything, nor writes through a link planted under its name. Others may
  // read it as it grows, and may remove it, which Close then reports.
  HANDLE handle =
      stream
          ? CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, 0, nullptr)
          : CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    // A folder under the name is refused as "access denied"; the name is what is taken.
    Fail(!stream && GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES
             ? EEXIST
             : win32::ErrnoOf(error));
  }
  win32::Handle owned(handle);
  const DWORD type = GetFileType(owned.get());
  // The name changed hands between the look and the opening: what it leads to now is not ours.
  if (stream && type == FILE_TYPE_DISK) Fail(EEXIST);
  regular_ = type == FILE_TYPE_DISK;
  fd_ = _open_osfhandle(reinterpret_cast<intptr_t>(owned.get()), _O_WRONLY | _O_BINARY);
  if (fd_ < 0) Fail(errno);
  owned.release();
}

LineFile::~LineFile() {
  if (fd_ >= 0) _close(fd_);
}

bool LineFile::WouldReplace(const std::string& path) {
  const std::wstring wide = win32::Widen(path);
  if (wide.empty() || win32::NamesDevice(wide)) return false;
  return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void LineFile::Fail(int error) {
  Fail(std::strerror(error));
}

void LineFile::Fail(const std::string& reason) {
  if (fd_ >= 0) _close(fd_);
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
    const unsigned want = static_cast<unsigned>(std::min<size_t>(left, 1u << 30));
    const int n = _write(fd_, data, want);
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
    const HANDLE open = reinterpret_cast<HANDLE>(_get_osfhandle(fd_));
    FILE_STANDARD_INFO standard{};
    FileId open_id;
    FileId named_id;
    bool kept = GetFileInformationByHandleEx(open, FileStandardInfo, &standard, sizeof standard) &&
                !standard.DeletePending && IdOf(open, open_id);
    if (kept) {
      win32::Handle named(CreateFileW(win32::Widen(path_).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
      kept = named.valid() && IdOf(named.get(), named_id) && named_id == open_id;
    }
    if (!kept) Fail("the file was removed or replaced while it was written");
  }
  const int fd = fd_;
  fd_ = -1;
  if (_close(fd) != 0) {
    const int error = errno;
    throw Error("Cannot write " + path_ + ": " + std::strerror(error));
  }
}

}  // namespace kv
