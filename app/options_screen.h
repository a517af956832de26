#pragma once

#include "newgame/game_shell.h"
#include "platform/geometry.h"

namespace kv {

class TMainF;

void DrawOptionsScreen(TMainF& form);
void OptionsMouseUp(TMainF& form, Point p);

}  // namespace kv
