#include <filesystem>

#include "platform/executable_folder.h"
#include "platform/support_win32.h"

namespace kv {

std::string ExecutableFolder() {
  // The name may be longer than MAX_PATH; the system says so only by filling the buffer.
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (got == 0) return {};
    if (got < name.size()) {
      name.resize(got);
      break;
    }
    if (name.size() >= 32768) return {};
    name.resize(name.size() * 2);
  }
  return win32::Narrow(std::filesystem::path(name).parent_path().native());
}

}  // namespace kv
