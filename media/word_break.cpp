#include "media/word_break.h"

namespace kv {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Longest prefix of `word` that fits, but always at least one character so the text advances.
size_t FittingPrefix(std::string_view word, int width,
                     const std::function<int(std::string_view)>& measure) {
  size_t fit = 1;
  while (fit < word.size() && measure(word.substr(0, fit + 1)) <= width) ++fit;
  return fit;
}

void BreakParagraph(std::string_view text, int width,
                    const std::function<int(std::string_view)>& measure,
                    std::vector<std::string_view>& lines) {
  size_t pos = 0;
  bool first = true;
  while (pos < text.size() || first) {
    first = false;
    size_t end = pos;  // end of what the current line has accepted
    for (;;) {
      size_t word_end = end;
      while (word_end < text.size() && IsBlank(text[word_end])) ++word_end;
      while (word_end < text.size() && !IsBlank(text[word_end])) ++word_end;
      if (word_end == end) break;  // nothing more to place
      if (measure(TrimRight(text.substr(pos, word_end - pos))) <= width) {
        end = word_end;
        continue;
      }
      if (end == pos) {
        // The first word alone is too wide: cut it where it must be cut.
        size_t word_begin = pos;
        while (word_begin < word_end && IsBlank(text[word_begin])) ++word_begin;
        const std::string_view word = text.substr(word_begin, word_end - word_begin);
        end = word_begin +
              FittingPrefix(word, width - measure(text.substr(pos, word_begin - pos)), measure);
      }
      break;
    }
    lines.push_back(TrimRight(text.substr(pos, end - pos)));
    pos = end;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
  }
}

}  // namespace

std::vector<std::string_view> BreakLines(std::string_view text, int width,
                                         const std::function<int(std::string_view)>& measure) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (;;) {
    const size_t feed = text.find('\n', start);
    const std::string_view paragraph =
        text.substr(start, feed == std::string_view::npos ? std::string_view::npos : feed - start);
    BreakParagraph(paragraph, width, measure, lines);
    if (feed == std::string_view::npos) break;
    start = feed + 1;
  }
  return lines;
}

}  // namespace kv
