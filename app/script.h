#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/events.h"

namespace kv {

class Application;
class Platform;
class TMainF;

// One key of a script line: its virtual-key code and the modifiers given with it.
struct ScriptKey {
  int key = 0;
  KeyMods mods;
};
// "Escape", "Enter", "KP8", "F2", "A", "7", "Alt+Enter", ... ; nullopt when unknown.
std::optional<ScriptKey> ParseScriptKey(std::string_view name);

// Feeds the lines of a script to the running game as events, in order, until the script ends
// or the program does. Returns false (with the reason on stderr) on a line it cannot read.
class ScriptRunner {
 public:
  ScriptRunner(Platform& platform, TMainF& form, Application& app);

  bool Run(std::istream& script);
  // Runs one line; false when it is malformed.
  bool RunLine(std::string_view line, std::string& problem);

 private:
  void Send(const Event& event);
  void Key(const ScriptKey& key, bool down);

  Platform& platform_;
  TMainF& form_;
  Application& app_;
};

}  // namespace kv
