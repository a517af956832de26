#pragma once

#include <string>

namespace kv {

// Writes the default data directory: the eight image collections, sound.dat, the font and an
// empty maps/ folder. Returns the process exit status (0 on success).
int BuildDataDirectory(const std::string& dir);

}  // namespace kv
