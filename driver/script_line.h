#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "driver/session_check.h"
#include "platform/events.h"
#include "platform/geometry.h"
#include "platform/pad.h"

// Reading the lines of a script: outside bytes, so everything here checks what it reads and
// nothing acts on it.
namespace kv {

// What one line may ask for: beyond any real session, short of what would wrap or run for ever.
constexpr long long kMaxCountPerLine = 10'000'000;      // frames, ticks
constexpr long long kMaxWaitMsPerLine = 86'400'000;     // wait: a day
constexpr long long kMillisPerDay = 86'400'000;         // clock: below it
constexpr long long kMaxClockMs = 4'294'967'295;        // ms: the 32-bit millisecond clock
constexpr int kMaxCoordinate = 100'000;                 // pointer, move, click: either way

// One key of a script line: its virtual-key code and the modifiers given with it.
struct ScriptKey {
  int key = 0;
  KeyMods mods;
};
// "Escape", "Enter", "KP8", "F2", "A", "7", "Alt+Enter", ... ; nullopt when unknown.
std::optional<ScriptKey> ParseScriptKey(std::string_view name);
// The name a script gives the key, its modifiers before it ("Alt+Enter"); nullopt for a
// virtual-key code no script names.
std::optional<std::string> ScriptKeyName(const ScriptKey& key);

// One script line, read.
struct ScriptCommand {
  enum class Kind {
    kPointer,
    kMove,
    kDown,
    kUp,
    kClick,
    kKeyDown,
    kKeyUp,
    kKey,
    kType,
    kText,
    kFrames,
    kWait,
    kDeactivate,
    kActivate,
    kClock,
    kShot,
    kState,
    kPad,
    kRecorded,
    kTimer,
    kTicks,
    kMs,
    kCheck,
    kEnd,
  };
  Kind kind = Kind::kPointer;
  Point point;                              // pointer, move, click
  MouseButton button = MouseButton::kLeft;  // down, up, click
  ScriptKey key;                            // keydown, keyup, key
  std::string text;                         // type, text: the text; shot, state: the file ("-": stdout)
  long long number = 0;   // frames, ticks: count; wait, clock, ms: milliseconds (>= 0)
  bool windowed = false;  // recorded: the session was played in a window
  SessionCheck check;     // check
  PadCommand pad;         // pad
};

// A line without its comment ('#' starts one, except on a type line, whose text may hold
// one, and inside a text line's quotes); empty when nothing but blanks is left.
std::string_view ScriptLineContent(std::string_view line);

// Reads one line's content; nullopt, with the reason in `problem`, when it is malformed: an
// unknown command, a missing, unreadable or out-of-range argument, words left over, a NUL byte,
// typed text that is empty or not UTF-8. The reason quotes outside words printably.
std::optional<ScriptCommand> ParseScriptLine(std::string_view line, std::string& problem);

// The text line that types `utf8`: `text "..."`, a quote, a backslash and a tab escaped, so that
// no editor that strips trailing blanks or turns tabs into spaces changes what it types.
std::string TextLine(std::string_view utf8);

}  // namespace kv
