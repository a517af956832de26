#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kv {

// How writing a whole file ended.
enum class WriteResult {
  kWritten,
  kCannotCreate,  // the file could not be made (no such directory, no permission, a directory
                  // in its place): nothing was written
  kWriteFailed,   // the bytes did not all reach the disk (disk full, an I/O error)
};

// Writes `bytes` as the file `path`: into a temporary file beside it, every byte checked,
// flushed to the disk and closed, then renamed over the old one. However it ends, `path` is the
// old file (or none) or the whole new one, never a part of it, and nothing else is left behind;
// a temporary that an earlier writer of `path` left when it was killed is cleared away. When it
// fails, errno holds the system's reason.
WriteResult ReplaceFile(const std::string& path, std::span<const uint8_t> bytes);

// A file the user names for output (a shot, a state dump, an export). As ReplaceFile, with two
// differences: a link to a file replaces the file it leads to, and a device or FIFO already there
// (/dev/stdout, a pipe) is written into, there being no file to keep; one that nobody reads
// fails at once instead of waiting for a reader.
WriteResult WriteOutputFile(const std::string& path, std::span<const uint8_t> bytes);

// What the programs print on standard output goes through here: false when it could not all be
// written. FinishStandardOutput flushes and closes it, as the last thing a program does, and says
// whether everything printed arrived.
bool WriteStandardOutput(std::string_view text);
bool FinishStandardOutput();

}  // namespace kv
