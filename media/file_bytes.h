#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The whole contents of a data file. Fails with "Cannot open file %s" (the path as passed)
// when the file cannot be opened as a regular file, "Stream read error" when reading fails.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

}  // namespace kv
