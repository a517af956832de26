#include <gtest/gtest.h>

#include "app/main_menu.h"
#include "app/options_screen.h"
#include "game_fixture.h"

namespace kv::test {
namespace {

using Sounds = std::vector<std::string>;

TEST_F(GameTest, AFirstMoveIntoAButtonGivesTwoFlipsAndFurtherMovesNone) {
  Run("move 700 590");  // outside every button
  const uint64_t flips = Flips();
  Run("move 100 100");
  EXPECT_EQ(Flips(), flips + 2);
  EXPECT_EQ(form_->MenuHover, 1);
  EXPECT_EQ(Pixel(10, 30), To565(ItemColor("Exit")));
  EXPECT_EQ(Pixel(9, 30), To565(ItemColor("Menu")));
  Run("move 120 200");
  Run("move 230 374");
  EXPECT_EQ(Flips(), flips + 2);
}

TEST_F(GameTest, ThePointWhereExitAndNewOverlapLightsThemInTurn) {
  std::vector<int> lit;
  for (int i = 0; i < 4; ++i) {
    Run("move 150 375");
    lit.push_back(form_->MenuHover);
  }
  EXPECT_EQ(lit, (std::vector<int>{1, 3, 1, 3}));
  EXPECT_EQ(Pixel(115, 375), To565(ItemColor("New")));
}

TEST_F(GameTest, LeavingEveryButtonRedrawsThePlainMenuOnce) {
  Run("move 600 200");  // options
  EXPECT_EQ(form_->MenuHover, 4);
  const uint64_t flips = Flips();
  Run("move 790 590");
  EXPECT_EQ(form_->MenuHover, 0);
  EXPECT_EQ(Flips(), flips + 1);
  EXPECT_EQ(Pixel(600, 200), To565(ItemColor("Menu")));
  Run("move 795 595");
  EXPECT_EQ(Flips(), flips + 1);
}

TEST_F(GameTest, CreditsRoundTripCarriesTheHoverFlagsOver) {
  Run("move 400 100");
  ASSERT_EQ(form_->MenuHover, 5);
  Run("click 400 100");
  EXPECT_EQ(form_->MenuScreen, 1);
  EXPECT_EQ(Pixel(10, 10), To565(ItemColor("Info")));
  EXPECT_EQ(Pixel(67, 50), To565(ItemColor("Logo")));
  EXPECT_EQ(Pixel(633, 50), To565(ItemColor("Logo")));
  EXPECT_FALSE(form_->CreditsHover);

  // The click's own move already lies on the return button once the credits show.
  Run("move 401 100");
  EXPECT_TRUE(form_->CreditsHover);
  EXPECT_EQ(Pixel(234, 1), To565(ItemColor("Tavorind")));
  EXPECT_EQ(Pixel(547, 347), To565(ItemColor("Tavorind")));
  EXPECT_EQ(Pixel(548, 347), To565(ItemColor("Info")));

  Run("click 300 200");  // back to the menu
  EXPECT_EQ(form_->MenuScreen, 0);
  EXPECT_EQ(form_->MenuHover, 5);  // not reset: the credits button is not lit again
  EXPECT_EQ(Pixel(330, 70), To565(ItemColor("Menu")));
  Run("move 400 101");
  EXPECT_EQ(Pixel(330, 70), To565(ItemColor("Menu")));
  Run("move 100 100");  // any other button lights at once
  EXPECT_EQ(form_->MenuHover, 1);

  Run("click 400 100");  // credits again: the return button's flag is still set
  EXPECT_TRUE(form_->CreditsHover);
  Run("move 402 100");
  EXPECT_EQ(Pixel(300, 200), To565(ItemColor("Info")));
  Run("move 700 500");
  EXPECT_FALSE(form_->CreditsHover);
  Run("move 402 100");
  EXPECT_EQ(Pixel(300, 200), To565(ItemColor("Tavorind")));
  EXPECT_EQ(form_->sounds_played, (Sounds{"Button", "Button", "Button"}));
}

TEST_F(GameTest, OptionsVisitFromTheMainMenu) {
  Run("click 600 200");
  EXPECT_EQ(form_->MenuScreen, 3);
  EXPECT_EQ(form_->MenuHover, 4);
  EXPECT_EQ(form_->Ingame->SubScreen, 1);
  EXPECT_FALSE(form_->DXTimer().Enabled());
  EXPECT_EQ(platform_->cursor_count(), 0);
  EXPECT_TRUE(form_->SVolTrack.visible);
  EXPECT_EQ(form_->GSpeedtrack.position(), 5);
  EXPECT_EQ(form_->SVolTrack.position(), 5);
  EXPECT_EQ(form_->HSpeedTrack.position(), 2);
  EXPECT_EQ(form_->MVolTrack.position(), 5);
  EXPECT_EQ(Pixel(10, 10), To565(ItemColor("Scroll")));
  EXPECT_EQ(Pixel(351, 579), To565(ItemColor("Button")));

  // Releases elsewhere, beside a slider included, do nothing.
  const uint64_t flips = Flips();
  Run("click 300 500");
  Run("click 80 210");
  EXPECT_EQ(Flips(), flips);
  EXPECT_EQ(form_->MenuScreen, 3);

  Run("click 400 555");  // OK
  EXPECT_EQ(form_->MenuScreen, 0);
  EXPECT_FALSE(form_->SVolTrack.visible);
  EXPECT_FALSE(form_->GSpeedtrack.visible);
  EXPECT_EQ(form_->Ingame->SubScreen, 1);  // kept until the game is entered
  EXPECT_EQ(Pixel(400, 300), To565(ItemColor("Menu")));
}

TEST_F(GameTest, SliderPositionsPersistAcrossVisits) {
  Run("click 600 200");
  form_->MVolTrack.SetPosition(9);
  Run("click 400 555");
  Run("click 600 200");
  EXPECT_EQ(form_->MVolTrack.position(), 9);
}

TEST_F(GameTest, TheSoundSliderPlaysItemZeroToItsEndOnEveryChange) {
  Run("click 600 200");
  const uint64_t before = platform_->Micros();
  form_->SVolTrack.SetPosition(6);
  form_->SVolTrack.SetPosition(7);
  // Two waiting plays of the 0.1 s test sound moved the virtual clock on by at least 0.2 s.
  EXPECT_GE(platform_->Micros() - before, 200000u);
  EXPECT_EQ(form_->sounds_played, (Sounds{"Button", "Test", "Test"}));
  // The out-of-range volume and frequency are refused: the item keeps what it had.
  EXPECT_EQ(form_->Waves.Items(0).PlayVolume(), 600);
}

TEST_F(GameTest, ARightButtonReleaseActsLikeALeftOne) {
  Run("click 400 100 right");
  EXPECT_EQ(form_->MenuScreen, 1);
}

TEST_F(GameTest, ReleasesOutsideEveryButtonDoNothing) {
  const uint64_t flips = Flips();
  Run("click 790 590");
  Run("click 300 10");
  EXPECT_EQ(Flips(), flips);
  EXPECT_TRUE(form_->sounds_played.empty());
  EXPECT_EQ(form_->MenuScreen, 0);
}

TEST_F(GameTest, AMissingButtonSoundStopsTheButtonsAction) {
  form_->Waves.Clear();
  Run("click 400 100");
  EXPECT_EQ(form_->MenuScreen, 0);
  ASSERT_EQ(app_->errors().size(), 1u);
  EXPECT_EQ(app_->errors()[0], "Wave 'Button' not found");
}

}  // namespace
}  // namespace kv::test
