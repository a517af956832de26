#include "platform/support_win32.h"
// After windows.h, which the shell's header needs first.
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/user_folders.h"

namespace kv {
namespace {

// The folder the system keeps for `id` (made if the profile lacks it); empty when it has none,
// as a roaming or stripped-down profile may.
std::filesystem::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR wide = nullptr;
  std::filesystem::path folder;
  if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &wide)) && wide != nullptr) {
    folder = std::filesystem::path(std::wstring(wide));
  }
  CoTaskMemFree(wide);
  return folder;
}

}  // namespace

std::filesystem::path PlayerMapFolder() {
  const std::filesystem::path local = KnownFolder(FOLDERID_LocalAppData);
  return local.empty() ? local : local / L"Kervana" / L"maps";
}

std::filesystem::path PlayerScreenshotFolder() {
  const std::filesystem::path pictures = KnownFolder(FOLDERID_Pictures);
  return pictures.empty() ? pictures : pictures / L"Kervana";
}

}  // namespace kv
