#pragma once

#include "platform/image565.h"

namespace kv {

class Platform;
class TMainF;

// What the player sees: the front surface with the visible controls over it (black while the
// display is closed).
Image565 VisibleScreen(Platform& platform, TMainF& form);

}  // namespace kv
