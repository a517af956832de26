#pragma once

#include <cstdint>
#include <iosfwd>
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

// Feeds the lines of a script to the running game as events, in order, until the script ends
// or the program does. After a "recorded" line the script is a recording: its lines give all
// the time there is, each key line is that one key event, and its checks are compared.
class ScriptRunner {
 public:
  ScriptRunner(Platform& platform, TMainF& form, Application& app);

  // Returns one of the statuses above, the reason on stderr with the line's number.
  int Run(std::istream& script);
  // Runs one line; false when it is malformed.
  bool RunLine(std::string_view line, std::string& problem);
  // Runs a line already read; false when it cannot be carried out (a shot or state dump that
  // could not be written, a line of time outside a recording). Throws ReplayDiverged.
  bool Execute(const ScriptCommand& command, std::string& problem);

 private:
  void Send(const Event& event);
  void Key(const ScriptKey& key, bool down);
  void Mouse(EventType type, MouseButton button);
  // In a real window, a recording plays at the pace it was recorded at.
  void PaceTo(uint32_t ms);

  Platform& platform_;
  TMainF& form_;
  Application& app_;
  bool recorded_ = false;
  // The clock and the recording's time when the pace was first taken.
  std::optional<std::pair<uint64_t, uint32_t>> pace_start_;
};

// The first line of a script that is not blank or a comment, read; nullopt when there is none or
// it is malformed. A recording says there how the game must start to replay it.
std::optional<ScriptCommand> FirstScriptCommand(std::string_view script);

}  // namespace kv
