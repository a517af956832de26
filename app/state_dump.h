#pragma once

#include <string>

#include "platform/image565.h"

namespace kv {

class Application;
class Platform;
class TMainF;

// The state dump: one JSON object with the shell's state, the game modes, the hero, the timer,
// the pointer, the controls, the sounds asked for and the errors reported.
std::string StateDump(TMainF& form, const Application& app);

// What the player sees: the front surface with the visible controls over it (black while the
// display is closed).
Image565 VisibleScreen(Platform& platform, TMainF& form);

}  // namespace kv
