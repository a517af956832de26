// The game controller, driven by script lines on the headless backend: its left stick and
// d-pad walk by the polling rule, its right stick moves the pointer, A clicks, and it comes and
// goes while the game runs.

#include <gtest/gtest.h>

#include <string>

#include "game_fixture.h"
#include "ingame/hero.h"
#include "media/dxinput.h"

namespace kv::test {
namespace {

class PadTest : public GameTest {
 protected:
  THero& Hero() { return *form_->Ingame->Hero; }
  void EnterGame() {
    Run("pointer 400 250");  // on the hero's own cell: no direction
    Run("click 500 400");    // the main menu's load button
    ASSERT_TRUE(form_->Ingame->Active);
  }
  // The direction states one tick of the game reads from the controller as it stands.
  std::string HeldAfterOneTick() {
    Run("frames 1");
    std::string held;
    const char* const names[] = {"up", "down", "left", "right"};
    for (int state = isUp; state <= isRight; ++state) {
      if (form_->DXInput.Held(InputStateId(state)))
        held += std::string(held.empty() ? "" : " ") + names[state];
    }
    return held;
  }
};

TEST(PadAxis, TheStickHoldsADirectionOnlyBeyondHalfItsTravel) {
  EXPECT_EQ(JoystickAxisValue(0, 1000, 50), 0);
  EXPECT_EQ(JoystickAxisValue(16383, 1000, 50), 0);
  EXPECT_EQ(JoystickAxisValue(16384, 1000, 50), 1);
  EXPECT_EQ(JoystickAxisValue(32767, 1000, 50), 1000);
  EXPECT_EQ(JoystickAxisValue(-16384, 1000, 50), 0);
  EXPECT_EQ(JoystickAxisValue(-16385, 1000, 50), -1);
  EXPECT_EQ(JoystickAxisValue(-32768, 1000, 50), -1000);
  // Without a dead zone any push counts; a full one never does.
  EXPECT_EQ(JoystickAxisValue(1, 1000, 0), 1);
  EXPECT_EQ(JoystickAxisValue(32767, 1000, 100), 0);
  EXPECT_EQ(JoystickAxisValue(24576, 1000, 50), 500);
}

TEST_F(PadTest, TheLeftStickHoldsADirectionOnlyWhenPushedMoreThanHalfWay) {
  EnterGame();
  Run("pad connect");
  Run("pad axis leftx 16383");
  EXPECT_EQ(HeldAfterOneTick(), "");
  Run("pad axis leftx 16384");
  EXPECT_EQ(HeldAfterOneTick(), "right");
  Run("pad axis leftx -16384");
  EXPECT_EQ(HeldAfterOneTick(), "");
  Run("pad axis leftx -16385");
  EXPECT_EQ(HeldAfterOneTick(), "left");
  Run("pad axis lefty -32768");
  EXPECT_EQ(HeldAfterOneTick(), "up left");
  Run("pad axis leftx 0");
  Run("pad axis lefty 32767");
  EXPECT_EQ(HeldAfterOneTick(), "down");
}

TEST_F(PadTest, TheStickWalksTheHero) {
  EnterGame();
  Run("pad connect");
  Run("pad axis leftx -32768");  // west of the start lies open ground
  Run("frames 1");
  EXPECT_EQ(Hero().PosX, Hero().CellX - 1);
  EXPECT_TRUE(Hero().Walking);
}

TEST_F(PadTest, TheDpadHoldsDirectionsBesideTheStickAndTheKeyboard) {
  EnterGame();
  Run("pad connect");
  Run("pad button dpup down");
  EXPECT_EQ(HeldAfterOneTick(), "up");
  Run("pad button dpup up");
  Run("pad button dpleft down");
  Run("pad button dpdown down");
  EXPECT_EQ(HeldAfterOneTick(), "down left");
  Run("pad button dpdown up");
  // The stick right and the d-pad left: both held, as two arrow keys would be, so no step.
  Run("pad axis leftx 32767");
  EXPECT_EQ(HeldAfterOneTick(), "left right");
  Run("pad button dpleft up");
  Run("keydown Up");
  EXPECT_EQ(HeldAfterOneTick(), "up right");
  Run("keyup Up");
}

TEST_F(PadTest, ButtonsHoldTheButtonStates) {
  EnterGame();
  Run("pad connect");
  Run("pad button b down");
  Run("pad button dpright down");
  Run("frames 1");
  EXPECT_TRUE(form_->DXInput.Held(InputStateId(isButton1 + 1)));
  EXPECT_TRUE(form_->DXInput.Held(isRight));
  EXPECT_TRUE(form_->DXInput.Held(InputStateId(isButton1 + 14)));
  Run("pad button b up");
  Run("pad button dpright up");
  Run("frames 1");
  EXPECT_FALSE(form_->DXInput.Held(InputStateId(isButton1 + 1)));
  EXPECT_FALSE(form_->DXInput.Held(isRight));
}

TEST_F(PadTest, PullingThePadOutLetsGoOfWhatItHeldAndPluggingInAgainWorks) {
  EnterGame();
  Run("pad connect");
  Run("pad axis leftx 32767");
  Run("pad button x down");
  EXPECT_EQ(HeldAfterOneTick(), "right");
  Run("pad disconnect");
  EXPECT_FALSE(platform_->pad().connected);
  EXPECT_EQ(HeldAfterOneTick(), "");
  EXPECT_FALSE(form_->DXInput.Held(InputStateId(isButton1 + 2)));
  Run("pad connect");
  EXPECT_TRUE(platform_->pad().connected);
  EXPECT_EQ(platform_->pad().axes[0], 0);
  Run("pad axis leftx -32768");
  EXPECT_EQ(HeldAfterOneTick(), "left");
}

TEST_F(PadTest, ScriptLinesThatCannotBeCarriedOutAreErrors) {
  std::string problem;
  EXPECT_FALSE(runner_->RunLine("pad axis leftx 100", problem));
  EXPECT_EQ(problem, "no game controller is plugged in");
  EXPECT_FALSE(runner_->RunLine("pad disconnect", problem));
  EXPECT_TRUE(runner_->RunLine("pad connect", problem));
  EXPECT_FALSE(runner_->RunLine("pad connect", problem));
  EXPECT_EQ(problem, "a game controller is plugged in already");
  for (const char* wrong :
       {"pad", "pad plug", "pad axis", "pad axis leftz 1", "pad axis leftx", "pad axis leftx 32768",
        "pad axis lefty -32769", "pad axis leftx 1.5", "pad button", "pad button q down",
        "pad button a", "pad button a held", "pad connect now"}) {
    EXPECT_FALSE(runner_->RunLine(wrong, problem)) << wrong;
  }
}

TEST_F(PadTest, AClicksAtThePointerAsTheLeftMouseButton) {
  // The main menu's credits button, pressed and released with A.
  Run("pointer 400 100");
  Run("pad connect");
  Run("pad button a down");
  EXPECT_TRUE(platform_->KeyIsDown(vk::kLButton));
  EXPECT_EQ(form_->MenuScreen, 0);
  Run("pad button a up");
  EXPECT_FALSE(platform_->KeyIsDown(vk::kLButton));
  EXPECT_EQ(form_->MenuScreen, 1);
  EXPECT_EQ(form_->sounds_played, std::vector<std::string>{"Button"});
}

TEST_F(PadTest, AControllerPulledOutWithAHeldClicksNothing) {
  Run("pointer 400 100");  // over the credits button
  Run("pad connect");
  Run("pad button a down");
  Run("pad disconnect");
  EXPECT_FALSE(platform_->KeyIsDown(vk::kLButton));
  EXPECT_EQ(form_->MenuScreen, 0);
  EXPECT_TRUE(form_->sounds_played.empty());
  // Plugged in again, A clicks as before.
  Run("pad connect");
  Run("pad button a down");
  Run("pad button a up");
  EXPECT_EQ(form_->MenuScreen, 1);
}

TEST_F(PadTest, AHeldInTheGameWalksTowardsThePointer) {
  EnterGame();
  Run("pointer 100 250");  // west of the hero
  Run("frames 1");         // the pointer's direction is taken from the frame before
  Run("pad connect");
  Run("pad button a down");
  Run("frames 1");
  EXPECT_EQ(Hero().PosX, Hero().CellX - 1);
  Run("pad button a up");
}

TEST_F(PadTest, APressWhileInactiveIsNoClick) {
  Run("pointer 400 100");
  Run("pad connect");
  Run("deactivate");
  Run("pad button a down");
  Run("activate");
  Run("pad button a up");
  EXPECT_EQ(form_->MenuScreen, 0);
  EXPECT_TRUE(form_->sounds_played.empty());
}

TEST_F(PadTest, TheRightStickMovesThePointerFasterThePushHarder) {
  Run("pad connect");
  Run("pointer 0 300");
  // A stick at rest reads slightly off its centre: no drift.
  Run("pad axis rightx 6000");
  Run("wait 1000");
  EXPECT_EQ(platform_->PointerPosition().x, 0);
  // Full push: one screen width a second.
  Run("pad axis rightx 32767");
  Run("wait 500");
  EXPECT_NEAR(platform_->PointerPosition().x, 400, 1);
  EXPECT_EQ(platform_->PointerPosition().y, 300);
  // Three fifths of the travel: half of it past the rest zone, a quarter of the speed.
  Run("pad axis rightx 0");
  Run("pointer 100 100");
  Run("pad axis righty 19661");
  Run("wait 1000");
  EXPECT_NEAR(platform_->PointerPosition().y, 300, 1);
  // The pointer stops at the edge of the picture.
  Run("pad axis righty -32768");
  Run("wait 2000");
  EXPECT_EQ(platform_->PointerPosition().y, 0);
  EXPECT_EQ(platform_->PointerPosition().x, 100);
}

TEST_F(PadTest, TheMovingPointerLightsTheMenuButtonsItPasses) {
  Run("pad connect");
  Run("pointer 100 300");
  Run("pad axis rightx 32767");
  Run("wait 500");  // to about (500, 300): over the options panel
  EXPECT_EQ(form_->MenuHover, 4);
  Run("pad axis rightx 0");
}

TEST_F(PadTest, ThePointerStaysWhileInactive) {
  Run("pad connect");
  Run("pointer 100 300");
  Run("deactivate");
  Run("pad axis rightx 32767");
  Run("wait 500");
  EXPECT_EQ(platform_->PointerPosition().x, 100);
}

}  // namespace
}  // namespace kv::test
