#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstring>

#include "platform/regular_file.h"
#include "platform/support_win32.h"

namespace kv {

std::FILE* OpenRegularFile(const std::string& path, std::string& reason) {
  // Looking first keeps devices from being opened at all (opening some has effects of its own);
  // looking again at what was opened closes the gap in which the name may have changed hands.
  const std::wstring wide = win32::Widen(path);
  if (win32::NamesDevice(wide)) return reason = "Not a regular file", nullptr;
  const DWORD attributes =
      wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return reason = std::strerror(wide.empty() ? ENOENT : win32::ErrnoOf(GetLastError())), nullptr;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return reason = std::strerror(EISDIR), nullptr;
  // Shared for writing and removal too: a reader never keeps the game's files from being
  // replaced.
  win32::Handle handle(CreateFileW(wide.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) return reason = std::strerror(win32::ErrnoOf(GetLastError())), nullptr;
  BY_HANDLE_FILE_INFORMATION info{};
  if (GetFileType(handle.get()) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(handle.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return reason = "Not a regular file", nullptr;
  }
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_RDONLY | _O_BINARY);
  if (fd < 0) return reason = std::strerror(errno), nullptr;
  handle.release();
  std::FILE* file = _fdopen(fd, "rb");
  if (file == nullptr) {
    reason = std::strerror(errno);
    _close(fd);
  }
  return file;
}

std::optional<uint64_t> RegularFileSize(std::FILE* file) {
  if (file == nullptr) return std::nullopt;
  const intptr_t os = _get_osfhandle(_fileno(file));
  if (os == -1) return std::nullopt;
  const HANDLE handle = reinterpret_cast<HANDLE>(os);
  BY_HANDLE_FILE_INFORMATION info{};
  LARGE_INTEGER size{};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !GetFileSizeEx(handle, &size)) {
    return std::nullopt;
  }
  return static_cast<uint64_t>(size.QuadPart);
}

}  // namespace kv
