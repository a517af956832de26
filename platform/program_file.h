#pragma once

#include <filesystem>

namespace kv {

// The file of the program that runs, as an absolute path; empty when the system does not say.
std::filesystem::path RunningProgramFile();

}  // namespace kv
