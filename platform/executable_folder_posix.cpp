#include <filesystem>
#include <system_error>

#include "platform/executable_folder.h"

namespace kv {

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.is_absolute()) return {};
  return program.parent_path().string();
}

}  // namespace kv
