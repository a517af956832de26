#include <gtest/gtest.h>

#include "app/application.h"
#include "app/main_form.h"
#include "game_fixture.h"
#include "ingame/hero.h"
#include "media/dxinput.h"
#include "media/dxtimer.h"

namespace kv::test {
namespace {

TEST_F(GameTest, StartUpDrawsTheMainMenuWithTheVersionText) {
  ASSERT_TRUE(started_);
  EXPECT_TRUE(app_->errors().empty());
  EXPECT_EQ(Flips(), 1u);
  EXPECT_EQ(Pixel(400, 300), To565(ItemColor("Menu")));
  // The yellow version text lies somewhere in its strip at (5, 580).
  bool yellow = false;
  for (int y = 580; y < 600 && !yellow; ++y) {
    for (int x = 5; x < 200 && !yellow; ++x) yellow = Pixel(x, y) == To565(Rgb(255, 255, 0));
  }
  EXPECT_TRUE(yellow);
}

TEST_F(GameTest, OneReleaseOnTwoButtonsActsOnBothScreensBeforeTheWindowCloses) {
  // (150, 375) lies in the exit and the new-game button, and in the profession's "i" button.
  Run("click 150 375");
  EXPECT_TRUE(app_->ended());
  EXPECT_NE(final_state_.find("\"Newgame\":{\"Active\":true,\"Page\":1,"), std::string::npos)
      << final_state_;
  EXPECT_EQ(form_->sounds_played, (std::vector<std::string>{"Button", "Button", "Button"}));
}

TEST_F(GameTest, EscapeWipesTheScreenAndEnds) {
  Run("key Escape");
  EXPECT_TRUE(app_->ended());
}

TEST_F(GameTest, TheWipeBlackensEveryRowOfTheFrontSurface) {
  form_->WipeAndClose();
  const Image565& front = form_->DXDraw().FrontSurface()->image();
  for (int y = 0; y < 600; y += 37) {
    for (int x = 0; x < 800; x += 53) ASSERT_EQ(front.At(x, y), 0) << x << "," << y;
  }
  EXPECT_EQ(front.At(799, 599), 0);
  EXPECT_TRUE(form_->close_requested());
}

TEST_F(GameTest, AltEnterSwitchesToAWindowAndBack) {
  Run("key Alt+Enter");
  EXPECT_FALSE(form_->fullscreen());
  EXPECT_EQ(platform_->cursor_count(), 0);
  Run("key Alt+Enter");
  EXPECT_TRUE(form_->fullscreen());
  Run("key Ctrl+Enter");
  Run("key Enter");
  EXPECT_TRUE(form_->fullscreen());
  EXPECT_FALSE(app_->ended());
}

TEST_F(GameTest, GlobalTimerCyclesTheBlinkPhaseInTheMenus) {
  EXPECT_EQ(form_->Ingame->BlinkPhase, 0);
  std::vector<int> phases;
  for (int i = 0; i < 6; ++i) {
    Run("wait 200");
    phases.push_back(form_->Ingame->BlinkPhase);
  }
  EXPECT_EQ(phases, (std::vector<int>{1, 2, 3, 4, 1, 2}));
}

TEST_F(GameTest, TheGameMeasuresSixtyFramesASecondOnTheVirtualClock) {
  Run("click 500 400");  // load
  ASSERT_TRUE(form_->Ingame->Active);
  EXPECT_EQ(form_->DXTimer().MeasuredFrameRate(), 0);
  Run("wait 990");
  EXPECT_EQ(form_->DXTimer().MeasuredFrameRate(), 0);
  // The first window counts the tick at its opening too: 61 ticks from 0 to 1000 ms.
  Run("wait 20");
  EXPECT_EQ(form_->DXTimer().MeasuredFrameRate(), 61);
  Run("wait 1000");
  EXPECT_EQ(form_->DXTimer().MeasuredFrameRate(), 60);
}

TEST_F(GameTest, AfterAPauseTheFrameRateCountsTheNewWindowAlone) {
  const auto rate = [this] { return form_->DXTimer().MeasuredFrameRate(); };
  Run("click 500 400");
  Run("wait 1500");  // one window complete and half of the next counted
  ASSERT_EQ(rate(), 61);

  Run("click 5 105");  // options over the game stop the timer
  Run("wait 300");
  Run("click 400 555");  // and OK starts it again with a new window
  Run("frames 50");
  EXPECT_EQ(rate(), 61) << "the last figure stands until the new window completes";
  // Its own ticks alone, the one at its opening among them (as in the first window); with
  // the frames of before the pause it would read 90.
  Run("wait 1000");
  EXPECT_EQ(rate(), 61) << "frames of the window before the pause must not count";

  Run("wait 500");
  Run("deactivate");
  Run("wait 300");
  Run("activate");
  Run("frames 50");
  EXPECT_EQ(rate(), 60) << "a second window had completed before the pause";
  Run("wait 1000");
  EXPECT_EQ(rate(), 61);
}

TEST_F(GameTest, DeactivationPausesTheFramesAndActivationResumesThem) {
  Run("click 500 400");
  Run("frames 3");
  const uint64_t flips = Flips();
  Run("deactivate");
  Run("frames 5");
  EXPECT_EQ(Flips(), flips);
  Run("activate");  // draws the main menu once, then the game goes on
  Run("frames 2");
  EXPECT_EQ(Flips(), flips + 1 + 2);
}

TEST_F(GameTest, LeftAndRightHeldTogetherAreBothPolled) {
  Run("keydown Left");
  Run("keydown Right");
  form_->DXInput.PollInput();
  EXPECT_TRUE(form_->DXInput.Held(isLeft));
  EXPECT_TRUE(form_->DXInput.Held(isRight));
  Run("keyup Left");
  form_->DXInput.PollInput();
  EXPECT_FALSE(form_->DXInput.Held(isLeft));
  EXPECT_TRUE(form_->DXInput.Held(isRight));
}

TEST_F(GameTest, PollingReadsNoKeysWhileInactive) {
  Run("keydown Up");
  Run("deactivate");
  form_->DXInput.PollInput();
  EXPECT_FALSE(form_->DXInput.Held(isUp));
}

TEST_F(GameTest, OneTickNeverMovesTheTargetByTwo) {
  Run("click 500 400");
  Run("pointer 400 100");  // north sector
  Run("frames 1");
  Run("keydown Up");
  Run("down");
  Run("frames 1");
  const THero& hero = *form_->Ingame->Hero;
  EXPECT_TRUE(hero.Walking);
  EXPECT_EQ(hero.PosY, hero.CellY - 1);
  EXPECT_EQ(hero.PosX, hero.CellX);
}

TEST_F(GameTest, ErrorsAreReportedAndTheLoopGoesOn) {
  form_->JPEGS().Items.Clear();
  Run("move 100 100");
  ASSERT_EQ(app_->errors().size(), 1u);
  EXPECT_EQ(app_->errors()[0], "Image 'Menu' not found");
  Run("move 700 590");
  EXPECT_FALSE(app_->ended());
}

TEST(FrameRate, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundedFrameRate(60, 1000), 60);
  EXPECT_EQ(RoundedFrameRate(61, 1016), 60);  // 60.04
  EXPECT_EQ(RoundedFrameRate(1, 400), 2);     // 2.5 -> 2
  EXPECT_EQ(RoundedFrameRate(3, 400), 8);     // 7.5 -> 8
  EXPECT_EQ(RoundedFrameRate(7, 2000), 4);    // 3.5 -> 4
}

}  // namespace
}  // namespace kv::test
