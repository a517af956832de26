#include "driver/script_line.h"

#include <charconv>
#include <cstdint>

#include "driver/printable.h"
#include "platform/keys.h"

namespace kv {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

// Splits off the first blank-separated word.
std::string_view NextWord(std::string_view& rest) {
  rest = Trim(rest);
  const size_t end = rest.find_first_of(" \t");
  std::string_view word = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  return word;
}

bool ParseInt(std::string_view text, long long& value) {
  if (text.empty()) return false;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool ParseButton(std::string_view word, MouseButton& button) {
  if (word.empty() || word == "left") {
    button = MouseButton::kLeft;
  } else if (word == "right") {
    button = MouseButton::kRight;
  } else if (word == "middle") {
    button = MouseButton::kMiddle;
  } else {
    return false;
  }
  return true;
}

struct NamedCommand {
  std::string_view name;
  ScriptCommand::Kind kind;
};

using Kind = ScriptCommand::Kind;
constexpr NamedCommand kCommands[] = {
    {"pointer", Kind::kPointer},
    {"move", Kind::kMove},
    {"down", Kind::kDown},
    {"up", Kind::kUp},
    {"click", Kind::kClick},
    {"keydown", Kind::kKeyDown},
    {"keyup", Kind::kKeyUp},
    {"key", Kind::kKey},
    {"type", Kind::kType},
    {"text", Kind::kText},
    {"frames", Kind::kFrames},
    {"wait", Kind::kWait},
    {"deactivate", Kind::kDeactivate},
    {"activate", Kind::kActivate},
    {"clock", Kind::kClock},
    {"shot", Kind::kShot},
    {"state", Kind::kState},
    {"pad", Kind::kPad},
    {"recorded", Kind::kRecorded},
    {"timer", Kind::kTimer},
    {"ticks", Kind::kTicks},
    {"ms", Kind::kMs},
    {"check", Kind::kCheck},
    {"end", Kind::kEnd},
};

struct NamedKey {
  std::string_view name;
  int key;
};
constexpr NamedKey kNamedKeys[] = {
    {"Escape", vk::kEscape}, {"Enter", vk::kReturn},   {"Space", vk::kSpace},
    {"Up", vk::kUp},         {"Down", vk::kDown},      {"Left", vk::kLeft},
    {"Right", vk::kRight},   {"Backspace", vk::kBack}, {"Tab", vk::kTab},
    {"Delete", vk::kDelete}, {"Insert", vk::kInsert},  {"Home", vk::kHome},
    {"End", vk::kEnd},       {"PageUp", vk::kPrior},   {"PageDown", vk::kNext},
    {"Alt", vk::kMenu},      {"Ctrl", vk::kControl},   {"Shift", vk::kShift},
};

// "connect", "disconnect", "axis NAME VALUE", "button NAME down|up".
std::optional<PadCommand> ParsePad(std::string_view rest, std::string& problem) {
  PadCommand pad;
  const std::string_view what = NextWord(rest);
  if (what == "connect" || what == "disconnect") {
    pad.kind = what == "connect" ? PadCommand::Kind::kConnect : PadCommand::Kind::kDisconnect;
  } else if (what == "axis") {
    pad.kind = PadCommand::Kind::kAxis;
    const auto axis = pad::AxisFromName(NextWord(rest));
    if (!axis) return problem = "unknown axis", std::nullopt;
    long long value = 0;
    if (!ParseInt(NextWord(rest), value) || value < pad::kAxisMin || value > pad::kAxisMax) {
      return problem = "expected a value from -32768 to 32767", std::nullopt;
    }
    pad.index = *axis;
    pad.value = static_cast<int>(value);
  } else if (what == "button") {
    pad.kind = PadCommand::Kind::kButton;
    const auto button = pad::ButtonFromName(NextWord(rest));
    if (!button) return problem = "unknown pad button", std::nullopt;
    const std::string_view state = NextWord(rest);
    if (state != "down" && state != "up") return problem = "expected down or up", std::nullopt;
    pad.index = *button;
    pad.value = state == "down" ? 1 : 0;
  } else {
    return problem = "expected connect, disconnect, axis or button", std::nullopt;
  }
  if (!Trim(rest).empty()) return problem = "unexpected words at the end", std::nullopt;
  return pad;
}

// Where a text line's quoted text ends: the index of its closing quote in `line`, npos when
// the line has no opening or no closing quote.
size_t ClosingQuote(std::string_view line) {
  const size_t open = line.find('"');
  if (open == std::string_view::npos) return open;
  for (size_t i = open + 1; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      return i;
    }
  }
  return std::string_view::npos;
}

// The quoted text of a text line, its escapes undone; `rest` starts at the opening quote.
std::optional<std::string> Unquote(std::string_view& rest, std::string& problem) {
  if (rest.empty() || rest.front() != '"') return problem = "expected text in quotes", std::nullopt;
  std::string text;
  for (size_t i = 1; i < rest.size(); ++i) {
    const char ch = rest[i];
    if (ch == '"') {
      rest.remove_prefix(i + 1);
      return text;
    }
    if (ch != '\\') {
      text.push_back(ch);
      continue;
    }
    if (++i == rest.size()) break;
    switch (rest[i]) {
      case '"':
      case '\\':
        text.push_back(rest[i]);
        break;
      case 't':
        text.push_back('\t');
        break;
      default:
        return problem = "unknown escape '\\" + Printable(rest.substr(i, 1)) + "'", std::nullopt;
    }
  }
  return problem = "the closing quote is missing", std::nullopt;
}

}  // namespace

std::optional<ScriptKey> ParseScriptKey(std::string_view name) {
  ScriptKey result;
  for (;;) {
    if (name.starts_with("Alt+")) {
      result.mods.alt = true;
      name.remove_prefix(4);
    } else if (name.starts_with("Ctrl+")) {
      result.mods.ctrl = true;
      name.remove_prefix(5);
    } else if (name.starts_with("Shift+")) {
      result.mods.shift = true;
      name.remove_prefix(6);
    } else {
      break;
    }
  }
  for (const NamedKey& n : kNamedKeys) {
    if (name == n.name) {
      result.key = n.key;
      return result;
    }
  }
  if (name.size() == 3 && name.starts_with("KP") && name[2] >= '0' && name[2] <= '9') {
    result.key = vk::kNumpad0 + (name[2] - '0');
    return result;
  }
  if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
    result.key = vk::kA + (name[0] - 'A');
    return result;
  }
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
    result.key = vk::k0 + (name[0] - '0');
    return result;
  }
  long long number = 0;
  if (name.size() >= 2 && name[0] == 'F' && ParseInt(name.substr(1), number) && number >= 1 &&
      number <= 12) {
    result.key = vk::kF1 + static_cast<int>(number) - 1;
    return result;
  }
  return std::nullopt;
}

std::optional<std::string> ScriptKeyName(const ScriptKey& key) {
  std::string name;
  const int code = key.key;
  for (const NamedKey& n : kNamedKeys) {
    if (code == n.key) name = n.name;
  }
  if (code >= vk::kA && code <= vk::kA + 25) name = std::string(1, static_cast<char>(code));
  if (code >= vk::k0 && code <= vk::k0 + 9) name = std::string(1, static_cast<char>(code));
  if (code >= vk::kNumpad0 && code <= vk::kNumpad0 + 9) {
    name = "KP" + std::to_string(code - vk::kNumpad0);
  }
  if (code >= vk::kF1 && code < vk::kF1 + 12) name = "F" + std::to_string(code - vk::kF1 + 1);
  if (name.empty()) return std::nullopt;
  if (key.mods.shift) name = "Shift+" + name;
  if (key.mods.ctrl) name = "Ctrl+" + name;
  if (key.mods.alt) name = "Alt+" + name;
  return name;
}

std::string_view ScriptLineContent(std::string_view line) {
  std::string_view words = line;
  const std::string_view first = NextWord(words);
  // A text line's comment can start only after its closing quote.
  size_t from = 0;
  if (first == "text") {
    const size_t closing = ClosingQuote(line);
    from = closing == std::string_view::npos ? line.size() : closing;
  }
  if (const size_t hash = line.find('#', from);
      hash != std::string_view::npos && !Trim(line).starts_with("type")) {
    line = line.substr(0, hash);
  }
  return Trim(line).empty() ? std::string_view{} : line;
}

std::optional<ScriptCommand> ParseScriptLine(std::string_view line, std::string& problem) {
  if (line.find('\0') != std::string_view::npos) return problem = "a NUL byte", std::nullopt;
  std::string_view rest = line;
  const std::string_view word = NextWord(rest);
  ScriptCommand c;
  bool known = false;
  for (const NamedCommand& named : kCommands) {
    if (word == named.name) {
      c.kind = named.kind;
      known = true;
    }
  }
  if (!known) return problem = "unknown command '" + Printable(word) + "'", std::nullopt;

  const auto number_in = [&](long long least, long long most, long long& value) {
    return ParseInt(NextWord(rest), value) && value >= least && value <= most;
  };
  const auto point = [&] {
    long long x = 0;
    long long y = 0;
    if (!number_in(-kMaxCoordinate, kMaxCoordinate, x) ||
        !number_in(-kMaxCoordinate, kMaxCoordinate, y)) {
      return false;
    }
    c.point = {static_cast<int>(x), static_cast<int>(y)};
    return true;
  };
  const std::string expected_point = "expected X Y from -" + std::to_string(kMaxCoordinate) +
                                     " to " + std::to_string(kMaxCoordinate);
  const auto up_to = [](long long most) { return " from 0 to " + std::to_string(most); };

  switch (c.kind) {
    case Kind::kPointer:
    case Kind::kMove:
      if (!point()) return problem = expected_point, std::nullopt;
      break;
    case Kind::kDown:
    case Kind::kUp:
      if (!ParseButton(NextWord(rest), c.button)) return problem = "unknown button", std::nullopt;
      break;
    case Kind::kClick:
      if (!point()) return problem = expected_point, std::nullopt;
      if (!ParseButton(NextWord(rest), c.button)) return problem = "unknown button", std::nullopt;
      break;
    case Kind::kKeyDown:
    case Kind::kKeyUp:
    case Kind::kKey: {
      const auto key = ParseScriptKey(NextWord(rest));
      if (!key) return problem = "unknown key", std::nullopt;
      c.key = *key;
      break;
    }
    case Kind::kType: {
      // The rest of the line after one separating blank is the text, blanks included.
      std::string_view text = line.substr(line.find("type") + 4);
      if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
      while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
      if (text.empty()) return problem = "expected text to type", std::nullopt;
      if (!IsUtf8(text)) return problem = "the text is not UTF-8", std::nullopt;
      c.text = std::string(text);
      return c;
    }
    case Kind::kText: {
      rest = Trim(rest);
      std::optional<std::string> text = Unquote(rest, problem);
      if (!text) return std::nullopt;
      if (const std::string_view after = Trim(rest); !after.empty()) {
        problem = "unexpected words after the closing quote: '" + Printable(after) + "'";
        return std::nullopt;
      }
      if (text->empty()) return problem = "expected text to type", std::nullopt;
      if (!IsUtf8(*text)) return problem = "the text is not UTF-8", std::nullopt;
      c.text = std::move(*text);
      return c;
    }
    case Kind::kFrames:
    case Kind::kTicks:
      if (!number_in(0, kMaxCountPerLine, c.number)) {
        return problem = "expected a count" + up_to(kMaxCountPerLine), std::nullopt;
      }
      break;
    case Kind::kWait:
      if (!number_in(0, kMaxWaitMsPerLine, c.number)) {
        return problem = "expected milliseconds" + up_to(kMaxWaitMsPerLine), std::nullopt;
      }
      break;
    case Kind::kClock:
      if (!number_in(0, kMillisPerDay - 1, c.number)) {
        return problem = "expected milliseconds" + up_to(kMillisPerDay - 1), std::nullopt;
      }
      break;
    case Kind::kMs:
      if (!number_in(0, kMaxClockMs, c.number)) {
        return problem = "expected milliseconds" + up_to(kMaxClockMs), std::nullopt;
      }
      break;
    case Kind::kDeactivate:
    case Kind::kActivate:
    case Kind::kTimer:
    case Kind::kEnd:
      break;
    case Kind::kPad: {
      const auto pad = ParsePad(rest, problem);
      if (!pad) return std::nullopt;
      c.pad = *pad;
      return c;
    }
    case Kind::kRecorded: {
      const std::string_view mode = NextWord(rest);
      if (mode == "windowed") {
        c.windowed = true;
      } else if (!mode.empty() && mode != "fullscreen") {
        return problem = "expected windowed or fullscreen", std::nullopt;
      }
      break;
    }
    case Kind::kCheck: {
      const std::optional<SessionCheck> check = ParseCheck(rest, problem);
      if (!check) return std::nullopt;
      c.check = *check;
      return c;
    }
    case Kind::kShot:
    case Kind::kState:
      // The file's name is the rest of the line: it may hold blanks.
      c.text = std::string(Trim(rest));
      if (c.text.empty()) {
        return problem =
                   c.kind == Kind::kShot ? "expected a file name" : "expected a file name or -",
               std::nullopt;
      }
      return c;
  }
  if (!Trim(rest).empty()) {
    return problem = "unexpected words at the end: '" + Printable(Trim(rest)) + "'", std::nullopt;
  }
  return c;
}

std::string TextLine(std::string_view utf8) {
  std::string line = "text \"";
  for (char ch : utf8) {
    if (ch == '"' || ch == '\\') {
      line += '\\';
      line += ch;
    } else if (ch == '\t') {
      line += "\\t";
    } else {
      line += ch;
    }
  }
  return line + '"';
}

}  // namespace kv
