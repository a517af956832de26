#include <string>

#include "platform/program_file.h"
#include "platform/support_win32.h"

namespace kv {

std::filesystem::path RunningProgramFile() {
  // A path longer than the buffer comes back cut short: the buffer grows until it fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::filesystem::path program(path);
  return program.is_absolute() ? program : std::filesystem::path();
}

}  // namespace kv
