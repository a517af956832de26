#pragma once

#include <string>

namespace kv {

class Application;
class TMainF;

// The state dump: one JSON object with the shell's state, the game modes, the hero, the timer,
// the pointer, the controls, the sounds asked for and the errors reported.
std::string StateDump(TMainF& form, const Application& app);

}  // namespace kv
