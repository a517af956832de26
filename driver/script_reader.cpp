#include "driver/script_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "driver/printable.h"
#include "driver/script_line.h"
#include "platform/regular_file.h"

namespace kv {
namespace {

constexpr size_t kBufferBytes = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

std::unique_ptr<ScriptReader> ScriptReader::Open(const std::string& path, std::string& problem) {
  const std::string name = Printable(path);
  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return problem = "cannot open script " + name, nullptr;
  std::unique_ptr<ScriptReader> reader(new ScriptReader(file));
  // A file already too large is refused before the game starts, not half-way through it.
  const std::optional<uint64_t> size = RegularFileSize(file);
  if (!size) return problem = "cannot read script " + name, nullptr;
  if (*size > kMaxFileBytes) {
    return problem = "script " + name + " is larger than " + std::to_string(kMaxFileBytes) +
                     " bytes, more than a script may be",
           nullptr;
  }
  return reader;
}

ScriptReader::ScriptReader(std::FILE* file)
    : file_(file), buffer_(std::make_unique<char[]>(kBufferBytes)) {}

ScriptReader::ScriptReader(std::string text)
    : memory_(std::move(text)), buffer_(std::make_unique<char[]>(kBufferBytes)) {}

ScriptReader::~ScriptReader() {
  if (file_ != nullptr) std::fclose(file_);
}

void ScriptReader::Rewind() {
  if (file_ != nullptr) {
    std::clearerr(file_);
    if (std::fseek(file_, 0, SEEK_SET) != 0) read_failed_ = true;
  }
  memory_read_ = 0;
  begin_ = end_ = 0;
  consumed_ = 0;
  line_number_ = 0;
  failed_ = false;
}

bool ScriptReader::Fill() {
  begin_ = 0;
  if (file_ != nullptr) {
    end_ = std::fread(buffer_.get(), 1, kBufferBytes, file_);
    if (end_ == 0 && std::ferror(file_)) read_failed_ = true;
  } else {
    end_ = std::min(kBufferBytes, memory_.size() - memory_read_);
    std::memcpy(buffer_.get(), memory_.data() + memory_read_, end_);
    memory_read_ += end_;
  }
  return end_ > 0;
}

ScriptReader::Result ScriptReader::Next(std::string& line, std::string& problem) {
  if (failed_) return Result::kEnd;
  line.clear();
  bool any = false;
  for (;;) {
    if (begin_ == end_ && !Fill()) break;
    any = true;
    const std::string_view chunk(buffer_.get() + begin_, end_ - begin_);
    const size_t newline = chunk.find('\n');
    const std::string_view part = chunk.substr(0, newline);
    const size_t taken = newline == std::string_view::npos ? part.size() : part.size() + 1;
    begin_ += taken;
    consumed_ += taken;
    if (line.size() + part.size() > kMaxLineBytes) {
      failed_ = true;
      ++line_number_;
      problem = "longer than " + std::to_string(kMaxLineBytes) + " bytes";
      return Result::kFailed;
    }
    line.append(part);
    if (consumed_ > kMaxFileBytes) {
      failed_ = true;
      ++line_number_;
      problem = "the script grew larger than " + std::to_string(kMaxFileBytes) + " bytes";
      return Result::kFailed;
    }
    if (newline != std::string_view::npos) break;
  }
  if (read_failed_) {
    failed_ = true;
    problem = "the script could not be read on";
    return Result::kFailed;
  }
  if (!any) return Result::kEnd;
  ++line_number_;
  if (line_number_ == 1 && std::string_view(line).starts_with(kByteOrderMark)) {
    line.erase(0, kByteOrderMark.size());
  }
  if (line.find('\0') != std::string::npos) {
    failed_ = true;
    problem = "a NUL byte";
    return Result::kFailed;
  }
  return Result::kLine;
}

std::optional<ScriptCommand> FirstScriptCommand(ScriptReader& script) {
  std::optional<ScriptCommand> first;
  std::string line;
  std::string problem;
  while (script.Next(line, problem) == ScriptReader::Result::kLine) {
    const std::string_view content = ScriptLineContent(line);
    if (content.empty()) continue;
    first = ParseScriptLine(content, problem);
    break;
  }
  script.Rewind();
  return first;
}

}  // namespace kv
