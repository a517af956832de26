// Full screen on desktops larger and smaller than the game's 800 x 600: the picture fills the
// screen with its aspect kept, and the pointer lands on the display pixel it is over.
#include <gtest/gtest.h>

#include <ostream>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

// A desktop size, and the renderer the game is told to use (none: its own choice, which on a
// machine without a graphics card is its own scaling).
struct Desktop {
  int width, height;
  const char* renderer = nullptr;
  friend std::ostream& operator<<(std::ostream& out, const Desktop& d) {
    return out << d.width << "x" << d.height << (d.renderer ? " " : "")
               << (d.renderer ? d.renderer : "");
  }
};

class FullScreen : public ::testing::TestWithParam<Desktop> {};

void Hover(XServer& x, int sx, int sy) {
  x.MovePointer(sx, sy);
}

TEST_P(FullScreen, ThePictureFitsCentredAndButtonEdgesLightWithinOnePixel) {
  const Desktop desk = GetParam();
  XServer x(desk.width, desk.height);
  WindowGame::Setup setup;
  if (desk.renderer != nullptr) setup.args = {"--renderer", desk.renderer};
  WindowGame game(x, setup);
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();

  const WindowGeometry window = game.Geometry();
  EXPECT_EQ(window.x, 0);
  EXPECT_EQ(window.y, 0);
  EXPECT_EQ(window.width, desk.width);
  EXPECT_EQ(window.height, desk.height);

  // The corners of the picture show the menu; beyond them, on a wider screen, black bars.
  const WindowGeometry p = game.Picture();
  const Rgb8 menu = ToRgb8(ItemColor("Menu"));
  EXPECT_TRUE(Near(x.PixelAt(p.x + 2, p.y + 2), menu)) << Describe(x.PixelAt(p.x + 2, p.y + 2));
  EXPECT_TRUE(Near(x.PixelAt(p.x + p.width - 3, p.y + p.height - 3), menu));
  if (p.x > 0) {
    EXPECT_TRUE(Near(x.PixelAt(p.x - 2, desk.height / 2), {0, 0, 0}));
    EXPECT_TRUE(Near(x.PixelAt(p.x + p.width + 1, desk.height / 2), {0, 0, 0}));
  }

  // The exit button spans display columns 10..230 and rows 30..375, the options button
  // columns 465..790 and rows 75..325. Light each from just outside an edge: one screen pixel
  // before the edge's first pixel must not light it, the edge pixel must.
  const Rgb8 exit_lit = ToRgb8(ItemColor("Exit"));
  const Rgb8 options_lit = ToRgb8(ItemColor("Opt"));
  struct Edge {
    const char* what;
    int outside_x, outside_y, inside_x, inside_y;
    Rgb8 lit;
    int probe_x, probe_y;  // a display pixel deep inside the button
  };
  const int exit_row = game.ScreenY(200);
  const int options_row = game.ScreenY(200);
  const int options_column = game.ScreenX(600);
  const Edge edges[] = {
      {"exit, left edge", game.ScreenX(10) - 1, exit_row, game.ScreenX(10), exit_row, exit_lit, 120,
       200},
      {"exit, right edge", game.ScreenX(231), exit_row, game.ScreenX(231) - 1, exit_row, exit_lit,
       120, 200},
      {"options, top edge", options_column, game.ScreenY(75) - 1, options_column, game.ScreenY(75),
       options_lit, 600, 200},
      {"options, right edge", game.ScreenX(791), options_row, game.ScreenX(791) - 1, options_row,
       options_lit, 600, 200},
  };
  for (const Edge& e : edges) {
    SCOPED_TRACE(e.what);
    Hover(x, e.outside_x, e.outside_y);
    Hover(x, e.inside_x, e.inside_y);
    EXPECT_TRUE(game.WaitForDisplayColor(e.probe_x, e.probe_y, e.lit))
        << "not lit with the pointer on the edge";
    // Back out by one screen pixel: the plain menu again.
    Hover(x, e.outside_x, e.outside_y);
    EXPECT_TRUE(game.WaitForDisplayColor(e.probe_x, e.probe_y, menu))
        << "still lit one pixel outside";
  }

  game.LeaveWithEscape();
}

INSTANTIATE_TEST_SUITE_P(Desktops, FullScreen,
                         ::testing::Values(Desktop{1024, 768}, Desktop{1920, 1080},
                                           Desktop{640, 480},
                                           // The graphics card's path, on a software driver.
                                           Desktop{1920, 1080, "accelerated"}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height) +
                                  (info.param.renderer ? std::string("_") + info.param.renderer
                                                       : std::string());
                         });

}  // namespace
}  // namespace kv::test
