#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace kv {

// A script's lines, read one at a time as they are played: a script or a recording may come
// from anyone, so what one line and the whole file may take is capped, and a line that could
// not be a script's is refused rather than read on.
class ScriptReader {
 public:
  static constexpr size_t kMaxLineBytes = 64 * 1024;
  static constexpr uint64_t kMaxFileBytes = uint64_t{256} << 20;

  enum class Result { kLine, kEnd, kFailed };

  // The script in a regular file; null, with the message in `problem` ("cannot open script
  // FILE"), when it cannot be opened as one or is larger than a script may be.
  static std::unique_ptr<ScriptReader> Open(const std::string& path, std::string& problem);
  // A script held in memory (tests and the fuzzer).
  explicit ScriptReader(std::string text);
  ~ScriptReader();
  ScriptReader(const ScriptReader&) = delete;
  ScriptReader& operator=(const ScriptReader&) = delete;

  // The next line, without its line break; a UTF-8 byte-order mark opening the file is skipped.
  // kFailed, with the reason in `problem`, for a line longer than kMaxLineBytes, one holding a
  // NUL byte, a file grown past kMaxFileBytes or a read that failed; reading then stops.
  Result Next(std::string& line, std::string& problem);
  // The number of the line Next gave last (1 for the first).
  int line_number() const { return line_number_; }
  // Back to the first line.
  void Rewind();

 private:
  explicit ScriptReader(std::FILE* file);
  bool Fill();

  std::FILE* file_ = nullptr;
  std::string memory_;
  size_t memory_read_ = 0;
  std::unique_ptr<char[]> buffer_;
  size_t begin_ = 0;
  size_t end_ = 0;
  uint64_t consumed_ = 0;
  int line_number_ = 0;
  bool read_failed_ = false;
  bool failed_ = false;
};

// The first line of the script that is not blank or a comment, read (nullopt when there is none
// or it is malformed), the reader rewound. A recording says there how the game must start to
// replay it.
struct ScriptCommand;
std::optional<ScriptCommand> FirstScriptCommand(ScriptReader& script);

}  // namespace kv
