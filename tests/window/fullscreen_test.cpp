// Full screen on desktops larger and smaller than the game's 800 x 600: the picture fills the
// screen with its aspect kept, and the pointer lands on the display pixel it is over.
#include <gtest/gtest.h>

#include <ostream>

#include "support/game_data.h"
#include "window/support/menu_edges.h"
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

  ExpectButtonEdgesLightWithinOnePixel(x, game);

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
