#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// Opens a file for reading, but only a regular file, and without waiting on the way: opened the
// usual way, a FIFO under a data file's name holds the program until something writes into it,
// and a device or a directory is no data file either. Null when the file is missing, unreadable
// or of another kind; the caller closes what it gets.
std::FILE* OpenRegularFile(const std::string& path);
// The same, saying why a file could not be opened ("No such file or directory", "Is a
// directory", "Not a regular file", ...).
std::FILE* OpenRegularFile(const std::string& path, std::string& reason);

// The size of a regular file opened for reading; nullopt when it is no longer one or the system
// does not say.
std::optional<uint64_t> RegularFileSize(std::FILE* file);

// The first `limit` bytes of a regular file (all of it when shorter); nullopt when the file
// cannot be opened as one or a read fails.
std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, size_t limit);

}  // namespace kv
