#include "app/script.h"

#include <charconv>
#include <iostream>
#include <span>

#include "app/application.h"
#include "app/main_form.h"
#include "app/state_dump.h"
#include "platform/platform.h"
#include "platform/replace_file.h"

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
  struct Named {
    std::string_view name;
    int key;
  };
  static constexpr Named kNamed[] = {
      {"Escape", vk::kEscape}, {"Enter", vk::kReturn},  {"Space", vk::kSpace},
      {"Up", vk::kUp},         {"Down", vk::kDown},     {"Left", vk::kLeft},
      {"Right", vk::kRight},   {"KP8", vk::kNumpad8},   {"KP2", vk::kNumpad2},
      {"KP4", vk::kNumpad4},   {"KP6", vk::kNumpad6},   {"Backspace", vk::kBack},
      {"Tab", vk::kTab},       {"Delete", vk::kDelete}, {"Home", vk::kHome},
      {"End", vk::kEnd},       {"PageUp", vk::kPrior},  {"PageDown", vk::kNext},
  };
  for (const Named& n : kNamed) {
    if (name == n.name) {
      result.key = n.key;
      return result;
    }
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

ScriptRunner::ScriptRunner(Platform& platform, TMainF& form, Application& app)
    : platform_(platform), form_(form), app_(app) {}

void ScriptRunner::Send(const Event& event) {
  platform_.ApplyInput(event);
  app_.Dispatch(event);
}

void ScriptRunner::Key(const ScriptKey& key, bool down) {
  const EventType type = down ? EventType::kKeyDown : EventType::kKeyUp;
  const std::pair<bool, int> modifiers[] = {
      {key.mods.alt, vk::kMenu}, {key.mods.ctrl, vk::kControl}, {key.mods.shift, vk::kShift}};
  if (down) {
    for (const auto& [held, code] : modifiers) {
      if (held && !platform_.KeyIsDown(code)) Send(Event{type, {}, {}, code, key.mods, {}});
    }
  }
  Send(Event{type, platform_.PointerPosition(), MouseButton::kLeft, key.key, key.mods, {}});
  if (!down) {
    for (const auto& [held, code] : modifiers) {
      if (held) Send(Event{type, {}, {}, code, KeyMods{}, {}});
    }
  }
}

bool ScriptRunner::RunLine(std::string_view line, std::string& problem) {
  std::string_view rest = line;
  const std::string_view command = NextWord(rest);
  const auto point = [&](Point& p) {
    long long x = 0;
    long long y = 0;
    if (!ParseInt(NextWord(rest), x) || !ParseInt(NextWord(rest), y)) return false;
    p = {static_cast<int>(x), static_cast<int>(y)};
    return true;
  };
  const auto mouse = [&](EventType type, MouseButton button) {
    Event e;
    e.type = type;
    e.pos = platform_.PointerPosition();
    e.button = button;
    Send(e);
  };

  if (command == "pointer" || command == "move") {
    Point p;
    if (!point(p)) return problem = "expected X Y", false;
    platform_.SetPointerPosition(p);
    if (command == "move") mouse(EventType::kMouseMove, MouseButton::kLeft);
  } else if (command == "down" || command == "up") {
    MouseButton button;
    if (!ParseButton(NextWord(rest), button)) return problem = "unknown button", false;
    mouse(command == "down" ? EventType::kMouseDown : EventType::kMouseUp, button);
  } else if (command == "click") {
    Point p;
    if (!point(p)) return problem = "expected X Y", false;
    MouseButton button;
    if (!ParseButton(NextWord(rest), button)) return problem = "unknown button", false;
    platform_.SetPointerPosition(p);
    mouse(EventType::kMouseMove, button);
    if (!app_.ended()) mouse(EventType::kMouseDown, button);
    if (!app_.ended()) mouse(EventType::kMouseUp, button);
  } else if (command == "keydown" || command == "keyup" || command == "key") {
    const auto key = ParseScriptKey(NextWord(rest));
    if (!key) return problem = "unknown key", false;
    if (command != "keyup") Key(*key, true);
    if (command != "keydown" && !app_.ended()) Key(*key, false);
  } else if (command == "type") {
    // The rest of the line after one separating blank is the text, blanks included.
    std::string_view text = line.substr(line.find("type") + 4);
    if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    Event e;
    e.type = EventType::kText;
    e.text = std::string(text);
    Send(e);
  } else if (command == "frames") {
    long long n = 0;
    if (!ParseInt(NextWord(rest), n) || n < 0) return problem = "expected a count", false;
    for (long long i = 0; i < n && !app_.ended(); ++i) {
      app_.TakeWindowEvents();
      app_.IdlePass();
    }
  } else if (command == "wait") {
    long long ms = 0;
    if (!ParseInt(NextWord(rest), ms) || ms < 0) return problem = "expected milliseconds", false;
    app_.Wait(static_cast<uint32_t>(ms));
  } else if (command == "deactivate" || command == "activate") {
    Event e;
    e.type = command == "activate" ? EventType::kActivate : EventType::kDeactivate;
    Send(e);
  } else if (command == "clock") {
    long long ms = 0;
    if (!ParseInt(NextWord(rest), ms) || ms < 0) return problem = "expected milliseconds", false;
    platform_.SetUtcMillisOfDay(ms);
  } else if (command == "shot") {
    const std::string file(Trim(rest));
    if (file.empty()) return problem = "expected a file name", false;
    if (!WritePng(file, VisibleScreen(platform_, form_))) {
      return problem = "cannot write " + file, false;
    }
  } else if (command == "state") {
    const std::string file(Trim(rest));
    if (file.empty()) return problem = "expected a file name or -", false;
    const std::string json = StateDump(form_, app_) + "\n";
    if (file == "-") {
      if (!WriteStandardOutput(json)) return problem = "cannot write standard output", false;
    } else if (WriteOutputFile(file, std::span(reinterpret_cast<const uint8_t*>(json.data()),
                                               json.size())) != WriteResult::kWritten) {
      return problem = "cannot write " + file, false;
    }
  } else {
    return problem = "unknown command '" + std::string(command) + "'", false;
  }
  return true;
}

bool ScriptRunner::Run(std::istream& script) {
  std::string line;
  int number = 0;
  while (!app_.ended() && std::getline(script, line)) {
    ++number;
    app_.TakeWindowEvents();
    if (app_.ended()) break;
    std::string_view content = line;
    if (const size_t hash = content.find('#');
        hash != std::string_view::npos && !Trim(content).starts_with("type")) {
      content = content.substr(0, hash);
    }
    if (Trim(content).empty()) continue;
    std::string problem;
    if (!RunLine(content, problem)) {
      std::cerr << "script line " << number << ": " << problem << ": " << line << std::endl;
      return false;
    }
  }
  return true;
}

}  // namespace kv
