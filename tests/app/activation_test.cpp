// Becoming active again shows the screen the player is on.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "media/canvas.h"
#include "media/dxdraw.h"
#include "newgame/intro.h"
#include "platform/cp1250.h"

namespace kv::test {
namespace {

constexpr uint16_t kSpoilt = 0xF81F;

// The dump without what the clock moves on its own.
std::string Unclocked(const std::string& state) {
  static const std::regex clocked("\"(Flips|BlinkPhase)\":[0-9]+|\"Fullscreen\":(true|false)");
  return std::regex_replace(state, clocked, "");
}

size_t Differences(const Image565& a, const Image565& b) {
  if (a.pixels.size() != b.pixels.size()) return std::max(a.pixels.size(), b.pixels.size());
  size_t count = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) count += a.pixels[i] != b.pixels[i];
  return count;
}

class ActivationTest : public GameTest {
 protected:
  TNewgame& Newgame() { return form_->Newgame(); }
  std::vector<int> Values() {
    std::vector<int> values;
    for (const TStat& stat : Newgame().Character.Stats) values.push_back(stat.Value);
    return values;
  }
  void StartCreation() {
    Run("click 300 450");  // New, on none of the name page's regions
    ASSERT_TRUE(Newgame().Active);
  }

  // Whatever `change` does, the picture must come back as it was with one flip and no pause,
  // and nothing else in the state may move.
  void ExpectTheSameScreenAfter(const std::function<void()>& change) {
    const Image565 before = VisibleScreen(*platform_, *form_);
    const std::string state = Unclocked(StateDump(*form_, *app_));
    const uint64_t flips = Flips();
    const uint64_t clock = platform_->Micros();
    change();
    EXPECT_EQ(Flips(), flips + 1);
    EXPECT_LT(platform_->Micros() - clock, 100000u) << "no page-turn pause";
    EXPECT_EQ(Differences(VisibleScreen(*platform_, *form_), before), 0u);
    EXPECT_EQ(Unclocked(StateDump(*form_, *app_)), state);
    EXPECT_TRUE(app_->errors().empty());
  }

  // Loses and regains the active state with both surfaces spoilt meanwhile, as a display lost
  // to another program would be.
  void ExpectTheSameScreenAfterActivation() {
    ExpectTheSameScreenAfter([this] {
      Run("deactivate");
      FillSurface(*form_->DXDraw().FrontSurface(), kSpoilt);
      FillSurface(*form_->DXDraw().BackSurface(), kSpoilt);
      Run("activate");
    });
  }
};

TEST_F(ActivationTest, TheMainMenuAndTheCreditsAreDrawnAgainAsBefore) {
  Run("move 700 590");  // on no button
  ExpectTheSameScreenAfterActivation();
  Run("click 400 100");
  Run("move 700 590");
  ASSERT_EQ(form_->MenuScreen, 1);
  ExpectTheSameScreenAfterActivation();
}

TEST_F(ActivationTest, TheNamePageComesBackWithItsFieldAndTakesClicks) {
  StartCreation();
  Run("click 400 250");  // the name field shows over the page
  ExpectTheSameScreenAfterActivation();
  EXPECT_TRUE(form_->NEdit().visible);
  Run("click 630 350");
  EXPECT_EQ(Newgame().Character.Profession, 4);
}

TEST_F(ActivationTest, TheInfoBoxComesBackWithItsKind) {
  StartCreation();
  // Only the race has a text, so a box of the other kind would look different.
  const std::string text = cp1250::FromUtf8("Lidé žijí všude, kde se dá orat.");
  std::copy(text.begin(), text.end(), Newgame().InfoTexts[6 + Newgame().Character.Race].begin());
  Run("click 170 450");  // race "i"
  ASSERT_EQ(Newgame().Page, 1);
  ASSERT_EQ(Newgame().InfoKind, 0);
  ExpectTheSameScreenAfterActivation();
  Run("click 10 10");  // any release closes the box
  EXPECT_EQ(Newgame().Page, 0);
}

TEST_F(ActivationTest, TheAttributesComeBackUnrolledEvenAtAnotherMillisecond) {
  StartCreation();
  Run("click 400 555");
  ASSERT_EQ(Newgame().Page, 2);
  const std::vector<int> rolled = Values();
  Run("clock 43210987");
  ExpectTheSameScreenAfterActivation();  // the dump holds the stats: no roll either
  Run("click 500 450");                  // "Nové vl." rolls, at the new millisecond
  EXPECT_EQ(Newgame().Page, 2);
  EXPECT_NE(Values(), rolled);
}

TEST_F(ActivationTest, TheBackgroundPageComesBackAndTakesClicks) {
  StartCreation();
  Run("click 400 555");
  Run("click 400 555");
  Run("click 100 340");  // kept item 2
  ASSERT_EQ(Newgame().Page, 3);
  ExpectTheSameScreenAfterActivation();
  Run("click 450 400");
  EXPECT_EQ(Newgame().Character.Portrait, 7);
}

TEST_F(ActivationTest, TheIntroPageComesBackWithoutItsPause) {
  StartCreation();
  for (int i = 0; i < 3; ++i) Run("click 400 555");
  Run("click 600 570");
  Run("click 600 570");
  ASSERT_EQ(Newgame().Intro->Page, 3);
  ExpectTheSameScreenAfterActivation();
  Run("click 530 570");
  EXPECT_EQ(Newgame().Intro->Page, 2);
}

TEST_F(ActivationTest, TheOptionsFromTheMenuComeBackAndOkStillLeads) {
  Run("click 600 200");
  ASSERT_EQ(form_->MenuScreen, 3);
  ExpectTheSameScreenAfterActivation();
  EXPECT_TRUE(form_->SVolTrack.visible);
  Run("click 400 555");
  EXPECT_EQ(form_->MenuScreen, 0);
  EXPECT_FALSE(form_->SVolTrack.visible);
  EXPECT_EQ(Pixel(400, 300), To565(ItemColor("Menu")));
}

TEST_F(ActivationTest, TheOptionsOverTheGameComeBackAndOkReturnsToTheGame) {
  Run("click 500 400");
  Run("frames 2");
  Run("click 5 105");
  ASSERT_EQ(form_->Ingame->SubScreen, 1);
  ExpectTheSameScreenAfterActivation();
  EXPECT_FALSE(form_->DXTimer().Enabled());
  Run("click 400 555");
  EXPECT_EQ(form_->Ingame->SubScreen, 0);
  EXPECT_TRUE(form_->DXTimer().Enabled());
}

// Alt+Enter makes the display anew: every screen but the running game view (whose next frame
// draws it) is drawn again at once with one flip, as it was, by the rules of reactivation.
TEST_F(ActivationTest, AfterAltEnterEveryScreenShowsAsItWas) {
  const struct {
    std::string name;
    std::vector<std::string> lines;  // from the main menu to the screen
  } cases[] = {
      {"menu", {"move 700 590"}},
      {"credits", {"click 400 100", "move 700 590"}},
      {"options", {"click 600 200"}},
      {"name page with its field", {"click 300 450", "click 400 250"}},
      {"info box", {"click 300 450", "click 170 450"}},
      {"attributes", {"click 300 450", "click 400 555", "clock 43210987"}},
      {"background", {"click 300 450", "click 400 555", "click 400 555", "click 100 340"}},
      {"intro page",
       {"click 300 450", "click 400 555", "click 400 555", "click 400 555", "click 600 570"}},
      {"options over the game", {"click 500 400", "frames 2", "click 5 105"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Restart();
    for (const std::string& line : c.lines) Run(line);
    for (const bool fullscreen : {false, true}) {
      ExpectTheSameScreenAfter([this] { Run("key Alt+Enter"); });
      EXPECT_EQ(form_->fullscreen(), fullscreen);
    }
  }
}

TEST_F(ActivationTest, AfterAltEnterTheGameDrawsItsNextFrameInTheSameFace) {
  Run("click 500 400");
  Run("frames 2");
  const FontDesc face = form_->DXDraw().BackSurface()->canvas().font;
  const uint64_t flips = Flips();
  Run("key Alt+Enter");
  EXPECT_EQ(Flips(), flips) << "the next frame draws the game";
  EXPECT_EQ(form_->DXDraw().BackSurface()->canvas().font, face);
  Run("frames 1");
  EXPECT_EQ(Flips(), flips + 1);
  EXPECT_NE(Pixel(400, 300), 0);
  EXPECT_EQ(form_->DXDraw().BackSurface()->canvas().font, face);
}

}  // namespace
}  // namespace kv::test
