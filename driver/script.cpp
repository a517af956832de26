#include "driver/script.h"

#include <iostream>
#include <span>

#include "app/application.h"
#include "app/main_form.h"
#include "driver/session_check.h"
#include "app/visible_screen.h"
#include "driver/state_dump.h"
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
  if (recorded_) {
    // A recording holds the modifier keys' own lines.
    Send(Event{type, platform_.PointerPosition(), MouseButton::kLeft, key.key, key.mods, {}});
    return;
  }
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

void ScriptRunner::PaceTo(uint32_t ms) {
  if (platform_.headless()) return;
  const uint64_t now = platform_.Micros();
  if (!pace_start_) {
    pace_start_ = {now, ms};
    return;
  }
  if (ms <= pace_start_->second) return;
  const uint64_t due = pace_start_->first + uint64_t{ms - pace_start_->second} * 1000;
  while (!app_.ended()) {
    app_.TakeWindowEvents();
    const uint64_t at = platform_.Micros();
    if (at >= due) break;
    platform_.WaitEvent(static_cast<uint32_t>((due - at) / 1000 + 1));
  }
}

bool ScriptRunner::Execute(const ScriptCommand& c, std::string& problem) {
  using Kind = ScriptCommand::Kind;
  const bool of_time = c.kind == Kind::kTimer || c.kind == Kind::kTicks || c.kind == Kind::kMs;
  if (of_time && !recorded_) return problem = "only in a recording (after 'recorded')", false;
  if ((c.kind == Kind::kFrames || c.kind == Kind::kWait) && recorded_) {
    return problem = "a recording makes no time of its own (ticks, timer and ms give it)", false;
  }
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
      if (recorded_) {
        platform_.GiveTimeOfDay(c.number);
      } else {
        platform_.SetUtcMillisOfDay(c.number);
      }
      break;
    case Kind::kRecorded:
      recorded_ = true;
      app_.SetReplaying();
      form_.DXDraw_.doFullScreen = !c.windowed;
      break;
    case Kind::kTimer:
      app_.FireGlobalTimer();
      break;
    case Kind::kTicks:
      for (long long i = 0; i < c.number && !app_.ended(); ++i) {
        app_.TakeWindowEvents();
        if (!app_.ended() && !app_.Tick()) {
          throw ReplayDiverged("frame timer: expected running, found stopped");
        }
      }
      break;
    case Kind::kMs:
      PaceTo(static_cast<uint32_t>(c.number));
      platform_.GiveMillis(static_cast<uint32_t>(c.number));
      break;
    case Kind::kCheck:
      if (const auto mismatch = FirstMismatch(c.check, CheckOf(form_))) {
        throw ReplayDiverged(mismatch->field + ": expected " + mismatch->expected + ", found " +
                             mismatch->found);
      }
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

int ScriptRunner::Run(std::istream& script) {
  std::string line;
  int number = 0;
  while (!app_.ended() && std::getline(script, line)) {
    ++number;
    app_.TakeWindowEvents();
    if (app_.ended()) break;
    const std::string_view content = ScriptLineContent(line);
    if (content.empty()) continue;
    std::string problem;
    try {
      if (!RunLine(content, problem)) {
        std::cerr << "script line " << number << ": " << problem << ": " << line << std::endl;
        return kScriptFailed;
      }
    } catch (const ReplayDiverged& diverged) {
      std::cerr << "script line " << number << ": the replay diverged: " << diverged.what()
                << std::endl;
      return kScriptDiverged;
    }
  }
  return kScriptPlayed;
}

std::optional<ScriptCommand> FirstScriptCommand(std::string_view script) {
  while (!script.empty()) {
    const size_t end = script.find('\n');
    const std::string_view content = ScriptLineContent(script.substr(0, end));
    script = end == std::string_view::npos ? std::string_view{} : script.substr(end + 1);
    if (content.empty()) continue;
    std::string problem;
    return ParseScriptLine(content, problem);
  }
  return std::nullopt;
}

}  // namespace kv
