// The Windows build in a real window: run under Wine on a virtual X server of its own, driven by
// the pointer and the keyboard as a player drives it. Built with the Linux tests and run by
// `make windows-test`, which names the program through KERVANA_BINARY (tests/windows/wine-game).
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

constexpr int kDesktopWidth = 1024;
constexpr int kDesktopHeight = 768;

bool WaitForSize(WindowGame& game, int width, int height) {
  return WaitUntil(
      [&] {
        const WindowGeometry g = game.Geometry();
        return g.width == width && g.height == height;
      },
      15s);
}

TEST(WindowsBuild, TheMenuAClickKeysAltEnterAndEscapeActUnderWine) {
  ASSERT_NE(std::getenv("KERVANA_BINARY"), nullptr) << "run through make windows-test";
  XServer x(kDesktopWidth, kDesktopHeight);
  WindowGame game(x, {.args = {"--windowed"}});
  // Wine starts its own services first: a start takes seconds, not a fraction of one.
  ASSERT_TRUE(game.WaitForMenu(60s)) << game.Stderr();
  EXPECT_EQ(x.WindowName(game.FindWindow()), kCaption);
  EXPECT_EQ(game.Geometry().width, 800);
  EXPECT_EQ(game.Geometry().height, 600);

  // The pointer lights the new-game button; a click on the credits opens them, and one on
  // their way back closes them.
  game.PointAt(300, 450);
  EXPECT_TRUE(game.WaitForDisplayColor(200, 420, ItemColor("New"))) << "no hover";
  game.ClickAt(340, 240);
  EXPECT_TRUE(game.WaitForDisplayColor(700, 500, ItemColor("Info"))) << "the click missed";
  game.ClickAt(400, 100);
  ASSERT_TRUE(game.WaitForDisplayColor(400, 300, ItemColor("Menu")));

  // Alt+Enter takes the whole screen and gives it back, the menu drawn again each time.
  game.PointAt(400, 300);
  x.AltEnter();
  ASSERT_TRUE(WaitForSize(game, kDesktopWidth, kDesktopHeight)) << "no switch to full screen";
  EXPECT_TRUE(game.WaitForDisplayColor(400, 300, ItemColor("Menu")));
  x.AltEnter();
  ASSERT_TRUE(WaitForSize(game, 800, 600)) << "no switch back to the window";
  EXPECT_TRUE(game.WaitForDisplayColor(400, 300, ItemColor("Menu")));

  game.PointAt(400, 300);
  game.LeaveWithEscape();
  EXPECT_NE(game.State().find("\"Fullscreen\":false"), std::string::npos) << game.State();
}

}  // namespace
}  // namespace kv::test
