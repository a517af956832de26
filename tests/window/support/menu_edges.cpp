#include "window/support/menu_edges.h"

#include <gtest/gtest.h>

#include "support/game_data.h"

namespace kv::test {

void ExpectButtonEdgesLightWithinOnePixel(XServer& x, WindowGame& game) {
  const Rgb8 menu = ToRgb8(ItemColor("Menu"));
  const Rgb8 exit_lit = ToRgb8(ItemColor("Exit"));
  const Rgb8 options_lit = ToRgb8(ItemColor("Opt"));
  struct Edge {
    const char* what;
    int outside_x, outside_y, inside_x, inside_y;
    Rgb8 lit;
    int probe_x, probe_y;  // a display pixel deep inside the button
  };
  const int row = game.ScreenY(200);
  const int options_column = game.ScreenX(600);
  const Edge edges[] = {
      {"exit, left edge", game.ScreenX(10) - 1, row, game.ScreenX(10), row, exit_lit, 120, 200},
      {"exit, right edge", game.ScreenX(231), row, game.ScreenX(231) - 1, row, exit_lit, 120, 200},
      {"options, top edge", options_column, game.ScreenY(75) - 1, options_column, game.ScreenY(75),
       options_lit, 600, 200},
      {"options, right edge", game.ScreenX(791), row, game.ScreenX(791) - 1, row, options_lit, 600,
       200},
  };
  for (const Edge& e : edges) {
    SCOPED_TRACE(e.what);
    x.MovePointer(e.outside_x, e.outside_y);
    x.MovePointer(e.inside_x, e.inside_y);
    EXPECT_TRUE(game.WaitForDisplayColor(e.probe_x, e.probe_y, e.lit))
        << "not lit with the pointer on the edge";
    // Back out by one screen pixel: the plain menu again.
    x.MovePointer(e.outside_x, e.outside_y);
    EXPECT_TRUE(game.WaitForDisplayColor(e.probe_x, e.probe_y, menu))
        << "still lit one pixel outside";
  }
}

}  // namespace kv::test
