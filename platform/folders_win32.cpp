#include <string>
#include <system_error>

#include "platform/folders.h"
#include "platform/support_win32.h"

namespace kv {

bool CanMakeFilesIn(const std::filesystem::path& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return false;
  // Windows grants files through lists of rights that only an attempt reads as the open that
  // makes a file will: a file that removes itself once closed is made and let go.
  const std::wstring stem = L".kervana-probe-" + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (int n = 0; n < 4; ++n) {
    const std::filesystem::path probe = folder / (stem + std::to_wstring(n));
    const HANDLE handle = CreateFileW(
        probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      CloseHandle(handle);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

bool MakePrivateFolders(const std::filesystem::path& folder) {
  // The new folders take the rights of the folder they are made in, which under the player's
  // profile (where the game keeps its files) are the player's alone.
  std::filesystem::path made = folder.root_path();
  for (const std::filesystem::path& part : folder.relative_path()) {
    made /= part;
    if (!CreateDirectoryW(made.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
  }
  std::error_code error;
  return std::filesystem::is_directory(folder, error);
}

}  // namespace kv
