#pragma once

#include "window/support/window_game.h"
#include "window/support/x_server.h"

namespace kv::test {

// The exit button spans display columns 10..230 and rows 30..375, the options button columns
// 465..790 and rows 75..325. Lights each from just outside an edge, at whatever scale the game
// shows the menu: one screen pixel before the edge's first pixel must not light it, the edge
// pixel must. Reports failures through GoogleTest.
void ExpectButtonEdgesLightWithinOnePixel(XServer& x, WindowGame& game);

}  // namespace kv::test
