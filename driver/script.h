#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "driver/script_line.h"
#include "platform/events.h"

namespace kv {

class Application;
class Platform;
class ScriptReader;
class TMainF;

// A replay that no longer finds what its recording found: "FIELD: expected E, found F".
class ReplayDiverged : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The exit status of a script: played to its end (or the program's), a line that could not be
// read or carried out, a replay that diverged from its recording.
constexpr int kScriptPlayed = 0;
constexpr int kScriptFailed = 2;
constexpr int kScriptDiverged = 3;

// What a whole run may make, whatever its lines say: 46 hours of play at most.
constexpr long long kMaxTicksPerRun = 10'000'000;
constexpr long long kMaxWaitMsPerRun = 86'400'000;

// Feeds the lines of a script to the running game as events, in order, until the script ends
// or the program does. A script whose first line is "recorded" is a recording: its lines give
// all the time there is, each key line is that one key event, its checks are compared, it writes
// no files, and it ends with an "end" line where the session ended.
class ScriptRunner {
 public:
  ScriptRunner(Platform& platform, TMainF& form, Application& app);

  // Returns one of the statuses above, the reason on stderr with the line's number.
  int Run(ScriptReader& script);
  // Runs one line; false when it is malformed.
  bool RunLine(std::string_view line, std::string& problem);
  // Runs a line already read; false when it cannot be carried out (a shot or state dump that
  // could not be written, a line of time outside a recording, a file written by a recording,
  // more time than a run may make). Throws ReplayDiverged.
  bool Execute(const ScriptCommand& command, std::string& problem);

 private:
  // Takes `amount` from what the run may still make; false, with the reason, when it runs out.
  bool Spend(long long& spent, long long amount, long long most, std::string_view what,
             std::string& problem);
  // What follows the point where the game ended: the lines still to play, and whether the
  // recording's "end" is among them.
  struct Rest {
    int lines = 0;
    bool end = false;
  };
  static Rest RestOf(ScriptReader& script);
  void Send(const Event& event);
  void Key(const ScriptKey& key, bool down);
  void Mouse(EventType type, MouseButton button);
  // In a real window, a recording plays at the pace it was recorded at; false when the
  // recording's time runs further than a run may wait.
  bool PaceTo(uint32_t ms, std::string& problem);

  Platform& platform_;
  TMainF& form_;
  Application& app_;
  bool recorded_ = false;
  bool first_line_ = true;
  bool end_line_ = false;
  long long ticks_spent_ = 0;
  long long wait_ms_spent_ = 0;
  // The clock and the recording's time when the pace was first taken.
  std::optional<std::pair<uint64_t, uint32_t>> pace_start_;
};

}  // namespace kv
