#include "app/script.h"

#include <iostream>
#include <span>

#include "app/application.h"
#include "app/main_form.h"
#include "app/state_dump.h"
#include "platform/platform.h"
#include "platform/replace_file.h"

namespace kv {

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

void ScriptRunner::Mouse(EventType type, MouseButton button) {
  Event e;
  e.type = type;
  e.pos = platform_.PointerPosition();
  e.button = button;
  Send(e);
}

bool ScriptRunner::RunLine(std::string_view line, std::string& problem) {
  const std::optional<ScriptCommand> command = ParseScriptLine(line, problem);
  return command && Execute(*command, problem);
}

bool ScriptRunner::Execute(const ScriptCommand& c, std::string& problem) {
  using Kind = ScriptCommand::Kind;
  switch (c.kind) {
    case Kind::kPointer:
    case Kind::kMove:
      platform_.SetPointerPosition(c.point);
      if (c.kind == Kind::kMove) Mouse(EventType::kMouseMove, MouseButton::kLeft);
      break;
    case Kind::kDown:
    case Kind::kUp:
      Mouse(c.kind == Kind::kDown ? EventType::kMouseDown : EventType::kMouseUp, c.button);
      break;
    case Kind::kClick:
      platform_.SetPointerPosition(c.point);
      Mouse(EventType::kMouseMove, c.button);
      if (!app_.ended()) Mouse(EventType::kMouseDown, c.button);
      if (!app_.ended()) Mouse(EventType::kMouseUp, c.button);
      break;
    case Kind::kKeyDown:
    case Kind::kKeyUp:
    case Kind::kKey:
      if (c.kind != Kind::kKeyUp) Key(c.key, true);
      if (c.kind != Kind::kKeyDown && !app_.ended()) Key(c.key, false);
      break;
    case Kind::kType: {
      Event e;
      e.type = EventType::kText;
      e.text = c.text;
      Send(e);
      break;
    }
    case Kind::kFrames:
      for (long long i = 0; i < c.number && !app_.ended(); ++i) {
        app_.TakeWindowEvents();
        app_.IdlePass();
      }
      break;
    case Kind::kWait:
      app_.Wait(static_cast<uint32_t>(c.number));
      break;
    case Kind::kDeactivate:
    case Kind::kActivate: {
      Event e;
      e.type = c.kind == Kind::kActivate ? EventType::kActivate : EventType::kDeactivate;
      Send(e);
      break;
    }
    case Kind::kClock:
      platform_.SetUtcMillisOfDay(c.number);
      break;
    case Kind::kPad:
      if (!platform_.DrivePad(c.pad, problem)) return false;
      // The controller's events come as a real one's do, before the next line.
      app_.TakeWindowEvents();
      break;
    case Kind::kShot:
      if (!WritePng(c.text, VisibleScreen(platform_, form_))) {
        return problem = "cannot write " + c.text, false;
      }
      break;
    case Kind::kState: {
      const std::string json = StateDump(form_, app_) + "\n";
      if (c.text == "-") {
        if (!WriteStandardOutput(json)) return problem = "cannot write standard output", false;
      } else if (WriteOutputFile(c.text, std::span(reinterpret_cast<const uint8_t*>(json.data()),
                                                   json.size())) != WriteResult::kWritten) {
        return problem = "cannot write " + c.text, false;
      }
      break;
    }
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
    const std::string_view content = ScriptLineContent(line);
    if (content.empty()) continue;
    std::string problem;
    if (!RunLine(content, problem)) {
      std::cerr << "script line " << number << ": " << problem << ": " << line << std::endl;
      return false;
    }
  }
  return true;
}

}  // namespace kv
