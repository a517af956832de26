// A script driving the real window: the window still answers the window system while the
// script runs, so it repaints when uncovered and closes when asked.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

TEST(ScriptInAWindow, RepaintsWhenUncoveredShootsAndClosesWhenAsked) {
  XServer x(1024, 768);
  TempDir scripts;
  const std::string script = scripts / "lit.script";
  std::ofstream(script) << "move 600 200\n"  // lights the options button
                           "shot "
                        << (scripts / "lit.png")
                        << "\n"
                           "wait 30000\n"
                           "state "
                        << (scripts / "never.json") << "\n";
  WindowGame game(x, {.args = {"--script", script}});
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  ASSERT_TRUE(game.WaitForDisplayColor(600, 200, ItemColor("Opt")));
  EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(scripts / "lit.png"); }, 5s));

  // Another window covers part of the game and goes: the part comes back.
  const auto [cx, cy] = game.ScreenPoint(100, 450);
  const unsigned long cover = x.OpenFocusThief(cx - 50, cy - 50, 200, 150);
  ASSERT_TRUE(WaitUntil([&] { return !Near(x.PixelAt(cx, cy), ToRgb8(ItemColor("Menu"))); }, 5s));
  x.CloseWindow(cover);
  EXPECT_TRUE(game.WaitForDisplayColor(100, 450, ItemColor("Menu"))) << "not repainted";

  const auto asked = std::chrono::steady_clock::now();
  x.RequestClose(game.FindWindow());
  EXPECT_EQ(game.WaitExit(5s), 0) << game.Stderr();
  EXPECT_LT(std::chrono::steady_clock::now() - asked, 2s);
  EXPECT_FALSE(std::filesystem::exists(scripts / "never.json")) << "the script ran on";
}

}  // namespace
}  // namespace kv::test
