#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kv {

// What the command line sets up for a run of the game.
struct Options {
  bool headless = false;
  bool windowed = false;
  SdlOptions sdl;
  std::string script;
  std::string replay;  // a recording to replay, perhaps someone else's: it may write nothing
  std::string record;  // where the session is recorded as a script; empty: not recorded
  std::string state_out;
  std::string data;  // the data folder given with --data; empty: look for one
};

struct CommandLine {
  enum class Action { kPlay, kHelp, kVersion, kUsageError };
  Action action = Action::kPlay;
  Options options;
  // For a usage error: what was wrong, naming the option ("--window-scale: 9 is not a whole
  // number from 1 to 8").
  std::string problem;
};

// Reads the arguments after the program's name. Options with an argument take it as the next
// word or after "=" ("--data DIR", "--data=DIR"). The first --help or --version wins over
// whatever follows; an unknown option, a missing argument or one the option does not take, and
// --script with --replay, are usage errors.
CommandLine ParseCommandLine(std::span<const std::string> args);

// The synopsis, every option on it: "usage: kervana [--headless] ...", wrapped to 80 columns.
std::string UsageText();
// The synopsis and what each option does.
std::string HelpText();
// The game's own version line, then the build's version.
std::string VersionText();
// The build's name and version: "kervana 0.2.0".
std::string BuildName();

}  // namespace kv
