// The picture scaled by whole multiples only, the window at a multiple of 800 x 600, and the
// framed window the player resizes: the picture lies where it should, black around it, and
// the pointer lands on the display pixel it is over.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/game_data.h"
#include "window/support/menu_edges.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

// The picture's corners show the menu, and the window's pixels just beyond them are black.
void ExpectPictureOnBlack(XServer& x, WindowGame& game) {
  const Rgb8 menu = ToRgb8(ItemColor("Menu"));
  const WindowGeometry w = game.Geometry();
  const WindowGeometry p = game.Picture();
  EXPECT_TRUE(Near(x.PixelAt(p.x, p.y), menu)) << Describe(x.PixelAt(p.x, p.y));
  EXPECT_TRUE(Near(x.PixelAt(p.x + p.width - 1, p.y + p.height - 1), menu));
  if (p.x > w.x) EXPECT_TRUE(Near(x.PixelAt(p.x - 1, p.y + p.height / 2), {0, 0, 0}));
  if (p.y > w.y) EXPECT_TRUE(Near(x.PixelAt(p.x + p.width / 2, p.y - 1), {0, 0, 0}));
  if (p.x + p.width < w.x + w.width) {
    EXPECT_TRUE(Near(x.PixelAt(p.x + p.width, p.y + p.height / 2), {0, 0, 0}));
  }
  if (p.y + p.height < w.y + w.height) {
    EXPECT_TRUE(Near(x.PixelAt(p.x + p.width / 2, p.y + p.height), {0, 0, 0}));
  }
}

// Waits until the window shows the picture laid out for its present size: its opposite
// corners show the menu.
bool LaidOut(XServer& x, WindowGame& game) {
  const Rgb8 menu = ToRgb8(ItemColor("Menu"));
  return WaitUntil(
      [&] {
        const WindowGeometry p = game.Picture();
        return Near(x.PixelAt(p.x, p.y), menu) &&
               Near(x.PixelAt(p.x + p.width - 1, p.y + p.height - 1), menu);
      },
      5s);
}

struct WholeCase {
  int width, height;
  int left, top, times;  // where the picture is expected, and at what multiple (0: not whole)
  friend std::ostream& operator<<(std::ostream& out, const WholeCase& c) {
    return out << c.width << "x" << c.height;
  }
};

class IntegerScale : public ::testing::TestWithParam<WholeCase> {};

TEST_P(IntegerScale, TheLargestWholeMultipleSitsCentredOnBlack) {
  const WholeCase c = GetParam();
  XServer x(c.width, c.height);
  WindowGame game(
      x, {.args = {"--integer-scale", "--scale-filter", "nearest"}, .integer_scale = true});
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  const WindowGeometry p = game.Picture();
  if (c.times > 0) {
    EXPECT_EQ(p.x, c.left);
    EXPECT_EQ(p.y, c.top);
    EXPECT_EQ(p.width, 800 * c.times);
    EXPECT_EQ(p.height, 600 * c.times);
  }
  ExpectPictureOnBlack(x, game);
  ExpectButtonEdgesLightWithinOnePixel(x, game);
  game.LeaveWithEscape();
}

INSTANTIATE_TEST_SUITE_P(Desktops, IntegerScale,
                         ::testing::Values(WholeCase{1700, 1300, 50, 50, 2},
                                           WholeCase{1280, 1024, 240, 212, 1},
                                           // Not even 800 x 600 fits: scaled down as always.
                                           WholeCase{640, 480, 0, 0, 0}),
                         [](const auto& info) {
                           return std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height);
                         });

TEST(WindowScale, TwiceTheSizeShowsEveryDisplayPixelAsASquareOfFour) {
  XServer x(1700, 1300);
  WindowGame game(x, {.args = {"--window-scale", "2", "--scale-filter", "nearest"}});
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  const WindowGeometry w = game.Geometry();
  EXPECT_EQ(w.width, 1600);
  EXPECT_EQ(w.height, 1200);
  EXPECT_EQ(w.x, 50);
  EXPECT_EQ(w.y, 50);
  EXPECT_FALSE(x.Framed(game.FindWindow()));
  ExpectPictureOnBlack(x, game);
  ExpectButtonEdgesLightWithinOnePixel(x, game);
  game.LeaveWithEscape();
}

TEST(WindowScale, AScaleLargerThanTheDesktopShrinksToOneThatFits) {
  XServer x(1024, 768);
  WindowGame game(x, {.args = {"--window-scale", "3"}});
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  EXPECT_EQ(game.Geometry().width, 800);
  EXPECT_EQ(game.Geometry().height, 600);
  game.LeaveWithEscape();
}

TEST(FramedWindow, ResizedByThePlayerThePictureKeepsItsAspectAndThePointerItsPlace) {
  XServer x(1280, 1024);
  x.StartWindowManager();
  WindowGame game(x, {.args = {"--windowed", "--framed"}});
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  const unsigned long window = game.FindWindow();
  EXPECT_TRUE(x.Framed(window));
  EXPECT_EQ(x.WindowName(window), kCaption);
  EXPECT_EQ(game.Geometry().width, 800);

  // Wider than the picture: black bars left and right.
  x.ResizeWindow(window, 1000, 600);
  ASSERT_TRUE(WaitUntil([&] { return game.Geometry().width == 1000; }, 5s));
  ASSERT_TRUE(LaidOut(x, game));
  ExpectPictureOnBlack(x, game);
  ExpectButtonEdgesLightWithinOnePixel(x, game);

  // Smaller and taller: the picture shrinks, bars above and below.
  x.ResizeWindow(window, 500, 700);
  ASSERT_TRUE(WaitUntil([&] { return game.Geometry().width == 500; }, 5s));
  ASSERT_TRUE(LaidOut(x, game));
  ExpectPictureOnBlack(x, game);
  ExpectButtonEdgesLightWithinOnePixel(x, game);

  // Full screen and back: the window keeps the size the player gave it.
  x.WaitUntilPointerFree(5s);
  x.AltEnter();
  ASSERT_TRUE(WaitUntil([&] { return game.Geometry().width == 1280; }, 5s));
  x.AltEnter();
  ASSERT_TRUE(WaitUntil([&] { return game.Geometry().width == 500; }, 5s)) << game.Geometry().width;
  EXPECT_EQ(game.Geometry().height, 700);
  game.LeaveWithEscape();
}

TEST(FramedWindow, WithoutTheOptionTheWindowStaysBorderless) {
  XServer x(1280, 1024);
  x.StartWindowManager();
  WindowGame game(x, {.args = {"--windowed"}});
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  EXPECT_FALSE(x.Framed(game.FindWindow()));
  game.LeaveWithEscape();
}

}  // namespace
}  // namespace kv::test
