#include "driver/script.h"

#include <iostream>
#include <span>

#include "app/application.h"
#include "app/main_form.h"
#include "driver/printable.h"
#include "driver/script_reader.h"
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

bool ScriptRunner::Spend(long long& spent, long long amount, long long most,
                         std::string_view what, std::string& problem) {
  if (amount > most - spent) {
    problem = "the run would make more than " + std::to_string(most) + " " + std::string(what) +
              ", as much as one run may";
    return false;
  }
  spent += amount;
  return true;
}

bool ScriptRunner::PaceTo(uint32_t ms, std::string& problem) {
  if (platform_.headless()) return true;
  const uint64_t now = platform_.Micros();
  if (!pace_start_) {
    pace_start_ = {now, ms};
    return true;
  }
  if (ms <= pace_start_->second) return true;
  // The pace is kept from the recording's first time on: the whole wait is the time it spans.
  const long long spans = ms - pace_start_->second;
  if (spans > kMaxWaitMsPerRun) {
    problem = "the recording's time spans more than " + std::to_string(kMaxWaitMsPerRun) +
              " ms, as much as one run may wait";
    return false;
  }
  const uint64_t due = pace_start_->first + uint64_t(spans) * 1000;
  while (!app_.ended()) {
    app_.TakeWindowEvents();
    const uint64_t at = platform_.Micros();
    if (at >= due) break;
    platform_.WaitEvent(static_cast<uint32_t>((due - at) / 1000 + 1));
  }
  return true;
}

bool ScriptRunner::Execute(const ScriptCommand& c, std::string& problem) {
  using Kind = ScriptCommand::Kind;
  const bool of_time = c.kind == Kind::kTimer || c.kind == Kind::kTicks || c.kind == Kind::kMs;
  if (of_time && !recorded_) return problem = "only in a recording (after 'recorded')", false;
  if ((c.kind == Kind::kFrames || c.kind == Kind::kWait) && recorded_) {
    return problem = "a recording makes no time of its own (ticks, timer and ms give it)", false;
  }
  // Whoever plays a recording may not know where it comes from: it writes nothing.
  if ((c.kind == Kind::kShot || c.kind == Kind::kState) && recorded_) {
    return problem = "a recording writes no files", false;
  }
  if (c.kind == Kind::kRecorded && !first_line_) {
    return problem = "only as the first line: the game starts as the recording says", false;
  }
  first_line_ = false;
  if ((c.kind == Kind::kFrames || c.kind == Kind::kTicks) &&
      !Spend(ticks_spent_, c.number, kMaxTicksPerRun, "frame ticks", problem)) {
    return false;
  }
  if (c.kind == Kind::kWait &&
      !Spend(wait_ms_spent_, c.number, kMaxWaitMsPerRun, "ms of waits", problem)) {
    return false;
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
    case Kind::kType:
    case Kind::kText: {
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
      if (!PaceTo(static_cast<uint32_t>(c.number), problem)) return false;
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
    case Kind::kEnd:
      end_line_ = true;
      break;
    case Kind::kShot:
      if (!WritePng(c.text, VisibleScreen(platform_, form_))) {
        return problem = "cannot write " + Printable(c.text), false;
      }
      break;
    case Kind::kState: {
      const std::string json = StateDump(form_, app_) + "\n";
      if (c.text == "-") {
        if (!WriteStandardOutput(json)) return problem = "cannot write standard output", false;
      } else if (WriteOutputFile(c.text, std::span(reinterpret_cast<const uint8_t*>(json.data()),
                                                   json.size())) != WriteResult::kWritten) {
        return problem = "cannot write " + Printable(c.text), false;
      }
      break;
    }
  }
  return true;
}

ScriptRunner::Rest ScriptRunner::RestOf(ScriptReader& script) {
  Rest rest;
  std::string line;
  std::string problem;
  while (script.Next(line, problem) == ScriptReader::Result::kLine) {
    const std::string_view content = ScriptLineContent(line);
    if (content.empty()) continue;
    const auto command = ParseScriptLine(content, problem);
    if (command && command->kind == ScriptCommand::Kind::kEnd) {
      rest.end = true;
    } else {
      ++rest.lines;
    }
  }
  return rest;
}

int ScriptRunner::Run(ScriptReader& script) {
  std::string line;
  const auto say = [&](std::string_view what) {
    std::cerr << "script line " << script.line_number() << ": " << what << std::endl;
  };
  while (!end_line_) {
    app_.TakeWindowEvents();
    if (app_.ended()) break;
    std::string problem;
    const ScriptReader::Result read = script.Next(line, problem);
    if (read == ScriptReader::Result::kEnd) break;
    if (read == ScriptReader::Result::kFailed) {
      say(problem);
      return kScriptFailed;
    }
    const std::string_view content = ScriptLineContent(line);
    if (content.empty()) continue;
    try {
      if (!RunLine(content, problem)) {
        say(problem + ": " + Printable(line));
        return kScriptFailed;
      }
    } catch (const ReplayDiverged& diverged) {
      say(std::string("the replay diverged: ") + diverged.what());
      return kScriptDiverged;
    }
  }
  if (end_line_) {
    // The recording ends here; anything after its end is not of it.
    const int end_at = script.line_number();
    if (RestOf(script).lines > 0) {
      std::cerr << "script line " << end_at << ": lines after 'end'" << std::endl;
      return kScriptFailed;
    }
    return kScriptPlayed;
  }
  if (app_.ended() && app_.closed_by_window()) {
    // The person watching stopped it: nothing diverged.
    std::cerr << "kervana: stopped at script line " << script.line_number() << std::endl;
    return kScriptPlayed;
  }
  if (!recorded_) return kScriptPlayed;
  if (app_.ended()) {
    const int ended_at = script.line_number();
    const Rest rest = RestOf(script);
    if (rest.lines > 0) {
      std::cerr << "script line " << ended_at << ": the replay diverged: the game ended with "
                << rest.lines << (rest.lines == 1 ? " line" : " lines")
                << " of the recording still to play" << std::endl;
      return kScriptDiverged;
    }
    if (rest.end) return kScriptPlayed;
  }
  std::cerr << "kervana: the recording was cut short: it has no 'end' line (the game that "
               "recorded it was stopped or crashed); it was replayed as far as it goes"
            << std::endl;
  return kScriptPlayed;
}

}  // namespace kv
