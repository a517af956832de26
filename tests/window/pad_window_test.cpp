// A script's game controller on the real window: SDL's virtual controller, whose events take
// the same way as a real controller's. A clicks where the pointer is, the right stick moves the
// player's pointer on the screen, and the left stick walks only when pushed past half-way.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

TEST(PadInAWindow, AClicksTheRightStickMovesThePointerAndTheLeftStickWalks) {
  XServer x(1024, 768);
  TempDir scripts;
  const auto path = [&](const char* name) { return std::string(scripts / name); };
  std::ofstream(path("pad.script")) << "pointer 400 100\n"  // over the credits button
                                       "pad connect\n"
                                       "pad button a down\n"
                                       "pad button a up\n"
                                       "state "
                                    << path("credits.json")
                                    << "\n"
                                       "pad axis rightx 32767\n"
                                       "wait 250\n"
                                       "pad axis rightx 0\n"
                                       "state "
                                    << path("moved.json")
                                    << "\n"
                                       "click 400 100\n"  // back to the menu
                                       "click 500 400\n"  // into the game
                                       "pad axis leftx -16384\n"
                                       "frames 2\n"
                                       "state "
                                    << path("half.json")
                                    << "\n"
                                       "pad axis leftx -16385\n"
                                       "frames 2\n"
                                       "state "
                                    << path("past.json")
                                    << "\n"
                                       "pad disconnect\n"
                                       "state "
                                    << path("gone.json")
                                    << "\n"
                                       "wait 30000\n";
  WindowGame game(x, {.args = {"--script", path("pad.script")}});
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(path("gone.json")); }, 20s))
      << game.Stderr();

  const std::string credits = ReadText(path("credits.json"));
  EXPECT_EQ(JsonNumber(credits, "MenuScreen"), 1) << credits;
  EXPECT_NE(credits.find("\"Pad\":{\"Connected\":true}"), std::string::npos) << credits;
  EXPECT_NE(credits.find("\"LeftButton\":false"), std::string::npos) << credits;

  // A quarter of a second at full push: a fifth of a screen width.
  const std::string moved = ReadText(path("moved.json"));
  const long moved_x = JsonNumber(moved, "X").value_or(-1);
  EXPECT_NEAR(moved_x, 600, 12) << moved;
  EXPECT_EQ(JsonNumber(moved, "Y"), 100) << moved;
  // The player's own pointer went there too.
  const auto [px, py] = x.PointerPosition();
  const auto [sx, sy] = game.ScreenPoint(static_cast<int>(moved_x), 100);
  EXPECT_NEAR(px, sx, 2);
  EXPECT_NEAR(py, sy, 2);

  const std::string half = ReadText(path("half.json"));
  EXPECT_NE(half.find("\"DXInput\":{\"States\":[]}"), std::string::npos) << half;
  const std::string past = ReadText(path("past.json"));
  EXPECT_NE(past.find("\"DXInput\":{\"States\":[\"left\"]}"), std::string::npos) << past;
  const std::string gone = ReadText(path("gone.json"));
  EXPECT_NE(gone.find("\"Pad\":{\"Connected\":false}"), std::string::npos) << gone;

  x.RequestClose(game.FindWindow());
  EXPECT_EQ(game.WaitExit(5s), 0) << game.Stderr();
}

}  // namespace
}  // namespace kv::test
