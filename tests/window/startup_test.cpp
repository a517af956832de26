// Starting without data or without a display, as a new player may.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

using Clock = std::chrono::steady_clock;

// The start-up error box: SDL's, titled with the program's name.
unsigned long WaitForErrorBox(XServer& x) {
  unsigned long box = 0;
  WaitUntil([&] { return (box = x.FindWindow("Kervana")) != 0; }, 20s);
  return box;
}

TEST(StartUp, WithoutDataTheBoxNamesTheFileAndASignalEndsTheProgram) {
  XServer x(1024, 768);
  WindowGame game(x, {.with_data = false});
  const unsigned long box = WaitForErrorBox(x);
  ASSERT_NE(box, 0u) << game.Stderr();
  EXPECT_NE(game.Stderr().find("data/graphic1.dat\nCannot open file data/graphic1.dat.\n"
                               "No such file or directory"),
            std::string::npos)
      << game.Stderr();
  EXPECT_TRUE(game.Running()) << "the box must wait for the player";
  // Centred across the screen the game would have used, and in its upper half.
  const WindowGeometry where = x.Geometry(box);
  EXPECT_NEAR(where.x + where.width / 2, 1024 / 2, 2);
  EXPECT_LE(where.y, 768 / 2);
  EXPECT_GE(where.y + where.height, 768 / 4);

  const auto signalled = Clock::now();
  game.Signal(SIGTERM);
  EXPECT_EQ(game.WaitExit(5s), 1);
  EXPECT_LT(Clock::now() - signalled, 2s);
  EXPECT_TRUE(WaitUntil([&] { return x.FindWindow("Kervana") == 0; }, 5s))
      << "the box outlived the program";
}

TEST(StartUp, WithoutDataEnterOnTheBoxEndsTheProgram) {
  XServer x(1024, 768);
  WindowGame game(x, {.with_data = false});
  const unsigned long box = WaitForErrorBox(x);
  ASSERT_NE(box, 0u) << game.Stderr();
  // No window manager: the keyboard goes to the window under the pointer.
  const WindowGeometry g = x.Geometry(box);
  x.MovePointer(g.x + g.width / 2, g.y + g.height / 4);
  x.TapKey("Return");
  EXPECT_EQ(game.WaitExit(), 1) << game.Stderr();
  const std::string state = game.State();
  EXPECT_NE(state.find("\"Errors\":[\"Cannot open file data/graphic1.dat\"]"), std::string::npos)
      << state;
}

TEST(StartUp, WithoutADisplayOneLineSaysSoAndTheProgramEnds) {
  XServer x(640, 480);  // not offered to the game
  const auto started = Clock::now();
  WindowGame game(x, {.with_display = false});
  EXPECT_EQ(game.WaitExit(5s), 1);
  EXPECT_LT(Clock::now() - started, 2s);
  const std::string err = game.Stderr();
  EXPECT_EQ(CountOf(err, "\n"), 1) << err;
  EXPECT_NE(err.find("DISPLAY"), std::string::npos) << err;
  EXPECT_NE(err.find("--headless"), std::string::npos) << err;
}

}  // namespace
}  // namespace kv::test
