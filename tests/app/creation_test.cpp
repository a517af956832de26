#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "ingame/hero.h"
#include "newgame/character.h"
#include "newgame/intro.h"
#include "platform/cp1250.h"

namespace kv::test {
namespace {

class CreationTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    Run("click 300 450");  // New, on none of the name page's regions
    ASSERT_TRUE(form_->Newgame().Active);
    ASSERT_EQ(form_->Newgame().Page, 0);
  }
  TNewgame& Newgame() { return form_->Newgame(); }
  TCharacter& Character() { return form_->Newgame().Character; }
  std::string Name() { return cp1250::ToUtf8(TextOf(Character().Name)); }
  // Types into the name field and confirms with Enter.
  void EnterName(const std::string& text) {
    Run("click 400 250");  // the name box shows the field, ready for typing
    for (int i = 0; i < 30; ++i) Run("key Backspace");
    if (!text.empty()) Run("type " + text);
    Run("key Enter");
  }
};

TEST_F(CreationTest, StartSetsTheDefaults) {
  EXPECT_EQ(Name(), "Neznámý hrdina");
  EXPECT_EQ(Character().Profession, 3);
  EXPECT_EQ(cp1250::ToUtf8(TextOf(Character().ProfessionName)), "šermíř");
  EXPECT_EQ(Character().Race, 1);
  EXPECT_EQ(cp1250::ToUtf8(TextOf(Character().RaceName)), "člověk");
  EXPECT_EQ(Character().Portrait, 6);
  EXPECT_EQ(cp1250::ToUtf8(TextOf(Character().Stats[0].Name)), "Síla");
  EXPECT_EQ(Pixel(10, 10), To565(ItemColor("Scroll")));
  EXPECT_EQ(Pixel(130, 50), To565(ItemColor("NGText")));
  EXPECT_EQ(Pixel(201, 181), To565(ItemColor("Braz")));
}

TEST_F(CreationTest, TheWholeCreationEndsInTheGameWithTheCharacter) {
  Run("click 400 555");  // Další: attributes
  EXPECT_EQ(Newgame().Page, 2);
  EXPECT_GT(Character().Stats[0].Value, 0);
  Run("click 400 555");  // Další: background
  EXPECT_EQ(Newgame().Page, 3);
  Run("click 400 555");  // Další: intro page 1
  EXPECT_EQ(Newgame().Page, 4);
  EXPECT_EQ(Newgame().Intro->Page, 1);
  for (int i = 0; i < 9; ++i) Run("click 600 570");
  EXPECT_EQ(Newgame().Intro->Page, 10);
  Run("click 700 560");  // další
  EXPECT_FALSE(Newgame().Active);
  ASSERT_TRUE(form_->Ingame->Active);
  const THero& hero = *form_->Ingame->Hero;
  EXPECT_EQ(cp1250::ToUtf8(TextOf(hero.Name)), "Neznámý hrdina");
  EXPECT_EQ(hero.Profession, 3);
  EXPECT_EQ(hero.Portrait, 6);
  EXPECT_EQ(hero.Stats[0].Value, Character().Stats[0].Value);
  EXPECT_EQ(cp1250::ToUtf8(TextOf(hero.Skills[0].Name)), "Zbraně Sečné");
  EXPECT_EQ(hero.Skills[0].Aptitude, 120);
  EXPECT_EQ(hero.Skills[0].Level, 30);
  EXPECT_EQ(Newgame().Intro->Page, 10);
  EXPECT_EQ(Newgame().Page, 4);
}

TEST_F(CreationTest, TheReleaseThatPressedNewAlsoOpensTheInfoBox) {
  GameTest::TearDown();
  GameTest::SetUp();
  Run("click 160 380");
  EXPECT_TRUE(Newgame().Active);
  EXPECT_EQ(Newgame().Page, 1);
  Run("click 10 10");  // any release closes the info box
  EXPECT_EQ(Newgame().Page, 0);
}

TEST_F(CreationTest, TheInfoBoxShowsItsHeadingOnTheScroll) {
  Run("click 170 450");  // race "i"
  EXPECT_EQ(Newgame().Page, 1);
  EXPECT_EQ(Pixel(10, 10), To565(ItemColor("Scroll")));
  EXPECT_EQ(Pixel(201, 181), To565(ItemColor("Scroll")));
}

TEST_F(CreationTest, ProfessionAndRaceWrapAndResetThePortrait) {
  for (int i = 0; i < 3; ++i) Run("click 630 350");
  EXPECT_EQ(Character().Profession, 0);
  EXPECT_EQ(cp1250::ToUtf8(TextOf(Character().ProfessionName)), "hraničář");
  for (int i = 0; i < 4; ++i) Run("click 630 470");
  EXPECT_EQ(Character().Race, 0);
  EXPECT_EQ(Character().Portrait, 1);
  Run("click 630 470");
  EXPECT_EQ(Character().Portrait, 6);
  Run("click 630 350");
  EXPECT_EQ(Character().Portrait, 6);
}

TEST_F(CreationTest, PortraitArrowsWrapAndTheSharedColumnPressesBoth) {
  Run("click 400 555");
  Run("click 400 555");
  ASSERT_EQ(Newgame().Page, 3);
  EXPECT_EQ(Pixel(330, 220), To565(ItemColor("Portrait6")));
  const size_t sounds = form_->sounds_played.size();
  Run("click 403 400");
  EXPECT_EQ(Character().Portrait, 6);
  EXPECT_EQ(form_->sounds_played.size(), sounds + 2);
  Character().Portrait = 25;
  Run("click 450 400");
  EXPECT_EQ(Character().Portrait, 1);
  Run("click 350 400");
  EXPECT_EQ(Character().Portrait, 25);
}

TEST_F(CreationTest, ItemRowsAndTheRowsBetweenThem) {
  Run("click 400 555");
  Run("click 400 555");
  Run("click 100 340");
  EXPECT_EQ(Newgame().KeptItem, 2);
  Run("click 100 306");
  Run("click 100 327");
  EXPECT_EQ(Newgame().KeptItem, 2);
  Run("click 100 348");
  EXPECT_EQ(Newgame().KeptItem, 3);
  Run("click 600 300");
  EXPECT_EQ(Newgame().HiddenItem, 0);
  Run("click 600 310");
  EXPECT_EQ(Newgame().HiddenItem, 1);
  // The chosen row is blended dark green over what was drawn there.
  const uint16_t row = BackPixel(700, 320);
  EXPECT_NE(row, To565(ItemColor("Scroll")));
}

TEST_F(CreationTest, TheNameBoxGivesTheFieldTheKeyboardWithTheNameSelected) {
  Run("click 400 250");
  Run("type Abc");
  Run("key Enter");
  EXPECT_EQ(Name(), "Abc") << "the first letter typed replaced the name";
  EXPECT_FALSE(form_->NEdit().visible);

  // The script's keys edit as the player's do, the clipboard the game's own.
  Run("click 400 250");
  Run("key End");
  Run("key Shift+Left");
  Run("key Shift+Left");
  Run("key Ctrl+X");
  Run("key Home");
  Run("key Ctrl+V");
  Run("key Ctrl+V");
  Run("key Ctrl+A");
  Run("key Ctrl+C");
  Run("key End");
  Run("key Ctrl+V");
  Run("key Enter");
  EXPECT_EQ(Name(), "bcbcAbcbcA");
}

// With the game's own face, whose descenders hang deepest.
class NameFieldOverThePageTest : public CreationTest {
 protected:
  static void SetUpTestSuite() {
    GameTest::SetUpTestSuite();
    std::filesystem::copy_file(test::TestFont("Cardob101.ttf"),
                               data_dir_->path() / "data/Elixir.ttf",
                               std::filesystem::copy_options::overwrite_existing);
  }
};

TEST_F(NameFieldOverThePageTest, TheFieldsBoxHidesEveryPixelOfTheNameThePageDrew) {
  // The page's name is what differs between the page with the default name and without one.
  const Image565 named = form_->DXDraw().BackSurface()->image();
  Run("click 400 250");
  Run("key Delete");
  Run("key Enter");
  ASSERT_EQ(Name(), "");
  const Image565& unnamed = form_->DXDraw().BackSurface()->image();
  const Rect box = form_->NEdit().bounds;
  int name_pixels = 0;
  for (int y = 180; y < 300; ++y) {
    for (int x = 200; x < 600; ++x) {
      if (named.At(x, y) == unnamed.At(x, y)) continue;
      ++name_pixels;
      EXPECT_TRUE(box.Contains({x, y})) << x << "," << y << " shows under the field";
    }
  }
  EXPECT_GT(name_pixels, 100);
}

TEST_F(CreationTest, AltEnterInTheNameFieldSwitchesTheDisplayAndConfirmsNothing) {
  Run("click 400 250");
  Run("type Abc");
  const uint64_t flips = Flips();
  Run("key Alt+Enter");
  EXPECT_NE(StateDump(*form_, *app_).find("\"Fullscreen\":false"), std::string::npos);
  EXPECT_TRUE(form_->NEdit().visible);
  EXPECT_EQ(cp1250::ToUtf8(form_->NEdit().text), "Abc");
  EXPECT_EQ(Name(), "Neznámý hrdina");
  EXPECT_EQ(Flips(), flips + 1) << "the page is drawn again, the name as it was";

  // Alt let go before Enter: the Enter release still belongs to the switch.
  Run("keydown Alt+Enter");
  app_->Dispatch(Event{EventType::kKeyUp, {}, {}, vk::kMenu, KeyMods{}, {}});
  app_->Dispatch(Event{EventType::kKeyUp, {}, {}, vk::kReturn, KeyMods{}, {}});
  EXPECT_TRUE(form_->fullscreen());
  EXPECT_TRUE(form_->NEdit().visible);
  EXPECT_EQ(Name(), "Neznámý hrdina");

  // The field still has the keyboard, and a plain Enter confirms.
  Run("type d");
  Run("key Enter");
  EXPECT_EQ(Name(), "Abcd");
}

TEST_F(CreationTest, TheNameFieldTakesTwentyCharactersAtMost) {
  EnterName("Abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(Name(), "Abcdefghijklmnopqrst");
  EXPECT_FALSE(form_->NEdit().visible);
}

TEST_F(CreationTest, AnEmptyNameIsAccepted) {
  EnterName("");
  EXPECT_EQ(Name(), "");
}

TEST_F(CreationTest, CharactersOutsideTheCodePageAreRefused) {
  EnterName("Žluťoučký 中 kůň");
  EXPECT_EQ(Name(), "Žluťoučký  kůň");
}

TEST_F(CreationTest, EnterOnTheAttributePageRollsAgainAndKeepsThePage) {
  Run("click 400 250");  // show the field; leave the page without Enter
  Run("click 400 555");
  ASSERT_EQ(Newgame().Page, 2);
  EXPECT_TRUE(form_->NEdit().visible);
  const uint64_t flips = Flips();
  Run("click 400 250");  // into the field, which lies over the page
  Run("key Enter");
  EXPECT_EQ(Newgame().Page, 2);
  EXPECT_FALSE(form_->NEdit().visible);
  EXPECT_EQ(Flips(), flips + 1);
}

TEST_F(CreationTest, IntroArrowsAreActiveOnlyWhereTheyShow) {
  Run("click 400 555");
  Run("click 400 555");
  Run("click 400 555");
  ASSERT_EQ(Newgame().Intro->Page, 1);
  const size_t sounds = form_->sounds_played.size();
  Run("click 530 570");  // "<" on page 1: nothing
  EXPECT_EQ(Newgame().Intro->Page, 1);
  Run("click 600 570");
  EXPECT_EQ(Newgame().Intro->Page, 2);
  Run("click 530 570");
  EXPECT_EQ(Newgame().Intro->Page, 1);
  EXPECT_EQ(form_->sounds_played.size(), sounds);  // the arrows play no sound
  EXPECT_EQ(Pixel(10, 10), To565(ItemColor("Intro0")));
  const auto& text = Newgame().Intro->Texts[0];
  EXPECT_EQ(std::string(text.data()).size(), 397u);
  EXPECT_EQ(text[397], '\0');
}

TEST_F(CreationTest, APageTurnShowsAfterItsPauseAndTheLastArrowDoesNotFinish) {
  Run("click 400 555");
  Run("click 400 555");
  Run("click 400 555");
  for (int i = 0; i < 8; ++i) Run("click 600 570");
  ASSERT_EQ(Newgame().Intro->Page, 9);
  const uint64_t before = platform_->Micros();
  Run("click 600 570");
  EXPECT_EQ(Newgame().Intro->Page, 10);
  EXPECT_GE(platform_->Micros() - before, 100000u);
  EXPECT_TRUE(Newgame().Active);  // ">" lies outside "další"
  EXPECT_EQ(Pixel(10, 10), To565(ItemColor("Intro9")));
  Run("click 600 570");  // ">" is gone on the last page
  EXPECT_EQ(Newgame().Intro->Page, 10);
}

}  // namespace
}  // namespace kv::test
