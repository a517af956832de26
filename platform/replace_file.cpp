#include "platform/replace_file.h"

#include <cstdio>
#include <iostream>

#include "platform/temporary_name.h"

namespace kv {

long TemporaryPid(std::string_view entry, std::string_view name) {
  const std::string_view tag = ".tmp";
  if (entry.size() <= name.size() + tag.size() || !entry.starts_with(name) ||
      entry.substr(name.size(), tag.size()) != tag) {
    return 0;
  }
  const std::string_view digits = entry.substr(name.size() + tag.size());
  long pid = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9' || pid > 1'000'000'000) return 0;
    pid = pid * 10 + (c - '0');
  }
  return digits.front() == '0' ? 0 : pid;
}

bool WriteStandardOutput(std::string_view text) {
  // Whatever went through std::cout before goes first.
  std::cout.flush();
  const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  return std::fflush(stdout) == 0 && written && std::cout.good();
}

}  // namespace kv
