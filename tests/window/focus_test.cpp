// Another window takes the keyboard focus and gives it back, as a player switching programs
// does: every screen comes back as the player left it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

// Whether `window` keeps the focus for the whole of `span`.
bool HoldsFocus(XServer& x, unsigned long window, std::chrono::milliseconds span) {
  const auto end = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < end) {
    if (x.FocusedWindow() != window) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

// A window of the test's own takes the focus over part of the game, then the game gets it back
// and the other window goes. SDL lets focus changes settle for 200 ms and reports none that are
// undone within that time, so the other window keeps the focus well beyond it, as a player who
// switches programs does.
void LeaveAndComeBack(XServer& x, WindowGame& game) {
  const unsigned long thief = x.OpenFocusThief(100, 100, 300, 200);
  ASSERT_TRUE(WaitUntil([&] { return x.FocusedWindow() == thief; }, 5s)) << "focus not taken";
  ASSERT_TRUE(HoldsFocus(x, thief, 600ms)) << "the focus went back too soon";
  const unsigned long own = game.FindWindow();
  x.Activate(own);
  ASSERT_TRUE(WaitUntil([&] { return x.FocusedWindow() == own; }, 5s)) << "focus not given back";
  x.CloseWindow(thief);
}

class Focus : public ::testing::Test {
 protected:
  void SetUp() override {
    x_.StartWindowManager();
    game_ = std::make_unique<WindowGame>(x_);
    ASSERT_TRUE(game_->WaitForMenu()) << game_->Stderr();
  }
  XServer x_{1024, 768};
  std::unique_ptr<WindowGame> game_;
};

TEST_F(Focus, TheMenusCreditsOptionsAndACreationPageComeBackAsLeft) {
  WindowGame& game = *game_;
  const Rgb8 menu = ToRgb8(ItemColor("Menu"));

  // The main menu is drawn anew, without the lit button.
  game.PointAt(120, 200);
  ASSERT_TRUE(game.WaitForDisplayColor(120, 200, ItemColor("Exit")));
  LeaveAndComeBack(x_, game);
  EXPECT_TRUE(game.WaitForDisplayColor(120, 200, menu)) << "the menu was not drawn anew";
  EXPECT_TRUE(game.WaitForDisplayColor(150, 150, menu)) << "the uncovered part stays blank";

  // The credits likewise, without the lit way back.
  game.ClickAt(390, 160);
  ASSERT_TRUE(game.WaitForDisplayColor(700, 500, ItemColor("Info")));
  game.PointAt(400, 200);
  ASSERT_TRUE(game.WaitForDisplayColor(400, 200, ItemColor("Tavorind")));
  LeaveAndComeBack(x_, game);
  EXPECT_TRUE(game.WaitForDisplayColor(400, 200, ItemColor("Info")));
  game.ClickAt(400, 100);
  ASSERT_TRUE(game.WaitForDisplayColor(400, 300, menu));

  // The options screen shows itself again, sliders and all, and OK still works.
  game.ClickAt(600, 200);
  ASSERT_TRUE(game.WaitForDisplayColor(300, 450, ItemColor("Scroll")));
  LeaveAndComeBack(x_, game);
  EXPECT_TRUE(game.ShowsSteadily(300, 450, ItemColor("Scroll"))) << "options not redrawn";
  EXPECT_TRUE(game.WaitForDisplayColor(410, 575, ItemColor("Button"))) << "no OK button";
  EXPECT_TRUE(game.WaitForDisplayColor(200, 232, Rgb8{192, 192, 192})) << "no slider";
  game.ClickAt(400, 555);
  ASSERT_TRUE(game.WaitForDisplayColor(400, 300, menu));

  // A creation page, not the main menu, and clicks act on the page that shows.
  game.ClickAt(200, 420);  // new game
  ASSERT_TRUE(game.WaitForDisplayColor(100, 550, ItemColor("Scroll")));
  LeaveAndComeBack(x_, game);
  EXPECT_TRUE(game.ShowsSteadily(100, 550, ItemColor("Scroll")))
      << "the main menu shows over character creation";
  EXPECT_TRUE(game.WaitForDisplayColor(590, 275, ItemColor("Braz")));
  game.ClickAt(400, 570);  // on to the attributes
  EXPECT_TRUE(game.WaitForDisplayColor(70, 175, ItemColor("Braz")));

  x_.TapKey("Escape");
  ASSERT_EQ(game.WaitExit(), 0) << game.Stderr();
  const std::string state = game.State();
  EXPECT_NE(state.find("\"Newgame\":{\"Active\":true,\"Page\":2"), std::string::npos) << state;
}

TEST_F(Focus, TheGameAndItsOptionsComeBackAndTheHeroWalksOn) {
  WindowGame& game = *game_;
  game.ClickAt(500, 400);  // load: straight into the game
  const Rgb8 frame = ToRgb8(ItemColor("LeftRight"));
  ASSERT_TRUE(game.WaitForDisplayColor(25, 300, frame));

  LeaveAndComeBack(x_, game);
  EXPECT_TRUE(game.WaitForDisplayColor(25, 300, frame)) << "the game view did not come back";
  EXPECT_TRUE(game.WaitForDisplayColor(775, 300, frame));
  // The frame ticks run again: the hero walks south for as long as the key is held (the cell
  // he ends on is in the state dump).
  x_.Key("Down", true);
  EXPECT_FALSE(WaitUntil([&] { return !game.Running(); }, 400ms));
  x_.Key("Down", false);

  // Options over the game: their own screen comes back, and OK returns to the game.
  game.ClickAt(25, 125);
  ASSERT_TRUE(game.WaitForDisplayColor(300, 450, ItemColor("Scroll")));
  LeaveAndComeBack(x_, game);
  EXPECT_TRUE(game.ShowsSteadily(300, 450, ItemColor("Scroll")))
      << "the options over the game were not redrawn";
  game.ClickAt(400, 555);
  EXPECT_TRUE(game.WaitForDisplayColor(25, 300, frame));

  game.LeaveWithEscape();  // in the game
  const std::string state = game.State();
  EXPECT_GT(JsonNumber(state, "CellY").value_or(0), 20) << state;
  EXPECT_NE(state.find("\"Errors\":[]"), std::string::npos) << state;
}

}  // namespace
}  // namespace kv::test
