#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "app/script_line.h"
#include "platform/events.h"

namespace kv {

class Application;
class Platform;
class TMainF;

// Feeds the lines of a script to the running game as events, in order, until the script ends
// or the program does. Returns false (with the reason on stderr) on a line it cannot read.
class ScriptRunner {
 public:
  ScriptRunner(Platform& platform, TMainF& form, Application& app);

  bool Run(std::istream& script);
  // Runs one line; false when it is malformed.
  bool RunLine(std::string_view line, std::string& problem);
  // Runs a line already read; false when its shot or state dump could not be written.
  bool Execute(const ScriptCommand& command, std::string& problem);

 private:
  void Send(const Event& event);
  void Key(const ScriptKey& key, bool down);
  void Mouse(EventType type, MouseButton button);

  Platform& platform_;
  TMainF& form_;
  Application& app_;
};

}  // namespace kv
