#include <io.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "platform/replace_file.h"
#include "platform/support_win32.h"
#include "platform/temporary_name.h"

namespace kv {
namespace {

bool WriteAll(HANDLE handle, std::span<const uint8_t> bytes) {
  const uint8_t* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(left, 1u << 30));
    DWORD wrote = 0;
    if (!WriteFile(handle, data, want, &wrote, nullptr)) {
      errno = win32::ErrnoOf(GetLastError());
      return false;
    }
    if (wrote == 0) {
      errno = ENOSPC;
      return false;
    }
    data += wrote;
    left -= wrote;
  }
  return true;
}

// Tidying up after a failure must not lose the reason the caller reports.
void RemoveKeepingReason(const std::wstring& temp) {
  const int error = errno;
  DeleteFileW(temp.c_str());
  errno = error;
}

bool ProcessRuns(DWORD pid) {
  win32::Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  // No such process is the only sure sign; one we may not look at still runs.
  if (!process.valid()) return GetLastError() != ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  return !GetExitCodeProcess(process.get(), &code) || code == STILL_ACTIVE;
}

// A program killed while it wrote `path` left its temporary beside it. One whose program is gone
// is removed, being ours and nobody's any more; one whose program runs may be in use.
void RemoveStaleTemporaries(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const std::wstring wide_folder = win32::Widen(folder);
  if (name.empty() || (!folder.empty() && wide_folder.empty())) return;
  WIN32_FIND_DATAW entry{};
  const HANDLE search = FindFirstFileW((wide_folder + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const long pid = TemporaryPid(win32::Narrow(entry.cFileName), name);
    if (pid <= 0 || static_cast<DWORD>(pid) == GetCurrentProcessId() || pid > INT32_MAX ||
        ProcessRuns(static_cast<DWORD>(pid))) {
      continue;
    }
    if ((entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0) {
      DeleteFileW((wide_folder + entry.cFileName).c_str());
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

// A device already under the name (a console, a pipe) is written into; a pipe nobody serves
// fails at once.
WriteResult WriteInto(const std::wstring& path, std::span<const uint8_t> bytes) {
  win32::Handle handle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
  if (!handle.valid()) {
    errno = win32::ErrnoOf(GetLastError());
    return WriteResult::kCannotCreate;
  }
  bool ok = WriteAll(handle.get(), bytes);
  ok = CloseHandle(handle.release()) && ok;
  return ok ? WriteResult::kWritten : WriteResult::kWriteFailed;
}

// What a link under the name leads to; the name itself when it is no link or leads nowhere.
std::string LinkTarget(const std::wstring& wide, const std::string& path) {
  win32::Handle handle(CreateFileW(wide.c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle.valid()) return path;
  std::wstring target(MAX_PATH, L'\0');
  DWORD size = GetFinalPathNameByHandleW(handle.get(), target.data(),
                                         static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
  if (size >= target.size()) {
    target.resize(size);
    size = GetFinalPathNameByHandleW(handle.get(), target.data(), static_cast<DWORD>(target.size()),
                                     FILE_NAME_NORMALIZED);
  }
  if (size == 0 || size >= target.size()) return path;
  target.resize(size);
  return win32::Narrow(target);
}

}  // namespace

WriteResult ReplaceFile(const std::string& path, std::span<const uint8_t> bytes) {
  RemoveStaleTemporaries(path);
  const std::wstring wide = win32::Widen(path);
  const std::wstring temp = win32::Widen(path + ".tmp" + std::to_string(GetCurrentProcessId()));
  if (wide.empty() || temp.empty()) {
    errno = ENOENT;
    return WriteResult::kCannotCreate;
  }
  // Only a new file is written: a plain file left under the temporary name by this same
  // process id is ours and goes, anything else there is not ours to touch.
  HANDLE created = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (created == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS) {
    const DWORD there = GetFileAttributesW(temp.c_str());
    if (there != INVALID_FILE_ATTRIBUTES &&
        (there & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
        DeleteFileW(temp.c_str())) {
      created = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    } else {
      SetLastError(ERROR_FILE_EXISTS);
    }
  }
  win32::Handle handle(created);
  if (!handle.valid()) {
    errno = win32::ErrnoOf(GetLastError());
    return WriteResult::kCannotCreate;
  }
  // On the disk before the rename: after a crash the name holds the old file or the new one.
  bool ok = WriteAll(handle.get(), bytes);
  if (ok && !FlushFileBuffers(handle.get())) {
    errno = win32::ErrnoOf(GetLastError());
    ok = false;
  }
  if (!CloseHandle(handle.release()) && ok) {
    errno = win32::ErrnoOf(GetLastError());
    ok = false;
  }
  if (!ok) {
    RemoveKeepingReason(temp);
    return WriteResult::kWriteFailed;
  }
  if (!MoveFileExW(temp.c_str(), wide.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    errno = win32::ErrnoOf(GetLastError());
    RemoveKeepingReason(temp);
    return WriteResult::kCannotCreate;
  }
  return WriteResult::kWritten;
}

WriteResult WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes) {
  const std::wstring wide = win32::Widen(path);
  if (win32::NamesDevice(wide)) return WriteInto(wide, bytes);
  const DWORD attributes =
      wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ReplaceFile(path, bytes);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    errno = EISDIR;
    return WriteResult::kCannotCreate;
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ReplaceFile(LinkTarget(wide, path), bytes);
  return ReplaceFile(path, bytes);
}

bool FinishStandardOutput() {
  std::cout.flush();
  bool ok = std::cout.good();
  ok = std::fflush(stdout) == 0 && ok;
  ok = !std::ferror(stdout) && ok;
  // Some file systems report a lost write only when the file is closed. The stream stays open
  // with an empty buffer, so nothing that runs after this has anything to write. A program
  // started without standard output has no descriptor for it, and has lost nothing unless it
  // printed, which ferror saw.
  const int fd = _fileno(stdout);
  if (fd >= 0 && _get_osfhandle(fd) != -1 && _close(fd) != 0 && errno != EBADF) ok = false;
  return ok;
}

}  // namespace kv
