#include "newgame/texts_file.h"

#include <charconv>
#include <filesystem>
#include <map>

#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/regular_file.h"

namespace kv {
namespace {

// Where a section's text goes, and what its header reads (for messages).
struct Section {
  bool intro = false;
  int slot = 0;  // index into GameTexts::intro or GameTexts::info
  std::string header;
  size_t Limit() const { return intro ? kIntroTextLimit : kInfoTextLimit; }
};

struct Kind {
  const char* word;
  int first, last;  // the numbers the header may carry
  bool intro;
  int slot_base;  // slot of the first number
};

constexpr Kind kKinds[] = {
    {"intro", 1, kIntroPageCount, true, -1},
    {"profession", 0, 5, false, 0},
    {"race", 0, 4, false, 6},
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF. False at the first
// byte that breaks the rules.
bool NextCodePoint(std::string_view s, size_t& i, char32_t& out) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
  const uint8_t lead = byte(i);
  int extra = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    out = lead;
    ++i;
    return true;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return false;
  }
  if (s.size() - i <= static_cast<size_t>(extra)) return false;
  for (int k = 1; k <= extra; ++k) {
    const uint8_t b = byte(i + static_cast<size_t>(k));
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3F);
  }
  if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
      (cp >= 0xD800 && cp <= 0xDFFF)) {
    return false;
  }
  out = cp;
  i += static_cast<size_t>(extra) + 1;
  return true;
}

// One line of the file in code page 1250, or the reason it cannot be.
bool ConvertLine(std::string_view utf8, std::string& out, std::string& reason) {
  out.clear();
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    if (!NextCodePoint(utf8, i, cp)) {
      reason = "not valid UTF-8";
      return false;
    }
    if (cp == '\t') cp = ' ';
    if (cp < 0x20 || cp == 0x7F) {
      reason = Format("control character U+%04X", static_cast<unsigned>(cp));
      return false;
    }
    const int b = cp1250::FromUnicode(cp);
    if (b < 0) {
      reason = Format("character U+%04X is not in code page 1250", static_cast<unsigned>(cp));
      return false;
    }
    out.push_back(static_cast<char>(b));
  }
  return true;
}

// A header line ("[race 2]") to its section; nullopt for one the game does not know.
std::optional<Section> ParseHeader(std::string_view line) {
  const std::string_view inner = line.substr(1, line.size() - 2);
  const size_t blank = inner.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::string_view word = inner.substr(0, blank);
  const std::string_view digits = inner.substr(blank + 1);
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() ||
      digits.front() == '+' || digits.front() == '-') {
    return std::nullopt;
  }
  for (const Kind& kind : kKinds) {
    if (word != kind.word || number < kind.first || number > kind.last) continue;
    return Section{kind.intro, kind.slot_base + number, std::string(line)};
  }
  return std::nullopt;
}

// Shortened for messages, so that a runaway line does not flood the error box.
std::string Quoted(std::string_view text) {
  constexpr size_t kShown = 40;
  return text.size() <= kShown ? std::string(text) : std::string(text.substr(0, kShown)) + "...";
}

class Parser {
 public:
  explicit Parser(std::vector<TextsProblem>& problems) : problems_(problems) {}

  GameTexts Run(std::string_view bytes) {
    // Editors elsewhere like to begin UTF-8 files with a byte order mark.
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    int number = 0;
    while (!bytes.empty() || number == 0) {
      const size_t feed = bytes.find('\n');
      std::string_view line = bytes.substr(0, feed);
      bytes.remove_prefix(feed == std::string_view::npos ? bytes.size() : feed + 1);
      if (line.ends_with('\r')) line.remove_suffix(1);
      Line(++number, line);
      if (bytes.empty()) break;
    }
    Close();
    return texts_;
  }

 private:
  void Problem(int line, std::string reason) { problems_.push_back({line, std::move(reason)}); }

  void Line(int number, std::string_view utf8) {
    std::string line, reason;
    if (!ConvertLine(utf8, line, reason)) {
      Problem(number, reason);
      spoilt_ = true;
      return;
    }
    const std::string_view text = Trim(line);
    if (text.starts_with('#')) return;
    if (text.starts_with('[') && text.ends_with(']') && text.size() >= 2) {
      Header(number, text);
      return;
    }
    if (state_ == State::kOutside) {
      if (!text.empty()) Problem(number, "text outside a section");
      return;
    }
    if (state_ == State::kSkipping) return;
    if (text.empty()) {
      paragraph_ = !text_.empty();
      return;
    }
    if (!text_.empty()) text_ += paragraph_ ? '\n' : ' ';
    text_ += text;
    paragraph_ = false;
  }

  void Header(int number, std::string_view text) {
    Close();
    const std::optional<Section> section = ParseHeader(text);
    if (!section) {
      Problem(number, "unknown section " + Quoted(text));
      state_ = State::kSkipping;
      return;
    }
    const int key = (section->intro ? 100 : 0) + section->slot;
    if (const auto seen = first_line_.find(key); seen != first_line_.end()) {
      Problem(number, Format("section %s appears twice (first at line %d)", section->header.c_str(),
                             seen->second));
      state_ = State::kSkipping;
      return;
    }
    first_line_[key] = number;
    section_ = *section;
    section_line_ = number;
    state_ = State::kInside;
    text_.clear();
    paragraph_ = false;
    spoilt_ = false;
  }

  // Ends the section being read: its text is kept only when all of it was sound.
  void Close() {
    if (state_ != State::kInside) return;
    state_ = State::kOutside;
    if (spoilt_) return;
    if (text_.empty()) {
      Problem(section_line_, "section " + section_.header + " has no text");
      return;
    }
    if (text_.size() > section_.Limit()) {
      Problem(section_line_, "section " + section_.header + " is " + std::to_string(text_.size()) +
                                 " characters long (at most " + std::to_string(section_.Limit()) +
                                 ")");
      return;
    }
    auto& slot = section_.intro ? texts_.intro[static_cast<size_t>(section_.slot)]
                                : texts_.info[static_cast<size_t>(section_.slot)];
    slot = text_;
  }

  enum class State { kOutside, kInside, kSkipping };

  std::vector<TextsProblem>& problems_;
  GameTexts texts_;
  State state_ = State::kOutside;
  Section section_;
  int section_line_ = 0;
  std::string text_;
  bool paragraph_ = false;
  bool spoilt_ = false;
  std::map<int, int> first_line_;
};

}  // namespace

std::string TextsProblem::Message() const {
  return line > 0 ? Format("Line %d: %s", line, reason.c_str()) : reason;
}

GameTexts ParseGameTexts(std::string_view bytes, std::vector<TextsProblem>& problems) {
  return Parser(problems).Run(bytes);
}

std::optional<GameTexts> ReadGameTexts(const std::string& path,
                                       std::vector<TextsProblem>& problems) {
  const auto bytes = ReadRegularFile(path, kTextsFileLimit + 1);
  if (!bytes) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    if (ec || status.type() == std::filesystem::file_type::not_found) return std::nullopt;
    problems.push_back({0, "Cannot read the file"});
    return GameTexts{};
  }
  if (bytes->size() > kTextsFileLimit) {
    problems.push_back(
        {0, "The file is larger than " + std::to_string(kTextsFileLimit) + " bytes"});
    return GameTexts{};
  }
  return ParseGameTexts(
      std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), problems);
}

std::optional<GameTexts> LoadGameTexts(const std::string& path) {
  std::vector<TextsProblem> problems;
  std::optional<GameTexts> texts = ReadGameTexts(path, problems);
  if (!problems.empty()) throw FileError(path, problems.front().Message());
  return texts;
}

}  // namespace kv
