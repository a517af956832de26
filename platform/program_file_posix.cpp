#include <system_error>

#include "platform/program_file.h"

namespace kv {

std::filesystem::path RunningProgramFile() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.is_absolute()) return {};
  return program;
}

}  // namespace kv
