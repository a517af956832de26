// Arbitrary bytes as a data folder's texts.txt: never a crash, and what is kept keeps its limits.

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "newgame/texts_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<kv::TextsProblem> problems;
  const kv::GameTexts texts = kv::ParseGameTexts(bytes, problems);
  for (const auto& page : texts.intro) {
    if (page && (page->empty() || page->size() > kv::kIntroTextLimit)) std::abort();
  }
  for (const auto& entry : texts.info) {
    if (entry && (entry->empty() || entry->size() > kv::kInfoTextLimit)) std::abort();
  }
  // A problem names a line of the file: there are no more lines than line feeds, plus one.
  size_t lines = 1;
  for (const char c : bytes) lines += c == '\n';
  for (const kv::TextsProblem& p : problems) {
    if (p.line < 1 || static_cast<size_t>(p.line) > lines) std::abort();
  }
  return 0;
}
