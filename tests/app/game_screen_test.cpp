#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "game_fixture.h"
#include "ingame/hero.h"
#include "ingame/map.h"
#include "media/dxtimer.h"

namespace kv::test {
namespace {

class GameScreenTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    Run("pointer 400 250");  // on the hero's own cell: no direction
    Run("click 500 400");    // the main menu's load button
    ASSERT_TRUE(form_->Ingame->Active);
  }
  THero& Hero() { return *form_->Ingame->Hero; }
  uint16_t Tile(int index) { return To565(TileColor(index)); }
};

TEST_F(GameScreenTest, EnteringStartsTheGameAtTheTestMap) {
  EXPECT_EQ(Hero().CellX, 19);
  EXPECT_EQ(Hero().CellY, 20);
  EXPECT_EQ(Hero().Facing, 2);
  EXPECT_EQ(Hero().StepPhase, 1);
  EXPECT_FALSE(Hero().Walking);
  EXPECT_EQ(form_->Ingame->BlinkPhase, 1);
  EXPECT_EQ(form_->Ingame->SubScreen, 0);
  EXPECT_TRUE(form_->DXTimer().Enabled());
  EXPECT_EQ(platform_->cursor_count(), -1);
  EXPECT_FALSE(form_->Newgame().Active);
  // The release that entered the game reached the game too, on none of its buttons.
  EXPECT_EQ(form_->sounds_played, std::vector<std::string>{"Button"});
  EXPECT_EQ(std::filesystem::file_size("data/maps/0.num"), 38422u);
}

TEST_F(GameScreenTest, AFrameDrawsTheViewTheHeroTheInterfaceAndThePointer) {
  Run("pointer 400 250");
  Run("frames 1");
  EXPECT_EQ(form_->Ingame->ViewX, 14);
  EXPECT_EQ(form_->Ingame->ViewY, 17);
  // The hero over his cell (19, 20), drawn at (350, 176).
  EXPECT_EQ(Pixel(352, 178), To565(ItemColor("Hero4")));
  // Cell (18, 21) at (250, 306): grass, code 64.
  EXPECT_EQ(Pixel(300, 350), Tile(64));
  // Cell (20, 21) at (450, 306) is a wall of code 113; the wall below it, (20, 22), puts its
  // upper part over it.
  EXPECT_EQ(Pixel(460, 320), Tile(159));
  // Cell (21, 22) holds code 2: picture 2 in the first phase.
  EXPECT_EQ(Pixel(600, 450), Tile(2));
  EXPECT_EQ(Pixel(25, 300), To565(ItemColor("LeftRight")));
  EXPECT_EQ(Pixel(775, 300), To565(ItemColor("LeftRight")));
  EXPECT_EQ(Pixel(400, 2), To565(ItemColor("Down")));
  EXPECT_EQ(Pixel(52, 514), To565(ItemColor("Portrait16")));
  EXPECT_EQ(Pixel(25, 125), To565(ItemColor("Options")));
  EXPECT_EQ(Pixel(401, 251), To565(ItemColor("Cursor")));
  // The status line's first text sits on an opaque white box.
  EXPECT_EQ(Pixel(11, 541), To565(Rgb(255, 255, 255)));
}

TEST_F(GameScreenTest, AnimatedTilesFollowTheBlinkPhase) {
  Run("wait 450");  // two 200 ms periods: phase 3
  ASSERT_EQ(form_->Ingame->BlinkPhase, 3);
  Run("frames 1");
  EXPECT_EQ(Pixel(600, 450), Tile(2 + 32));
}

TEST_F(GameScreenTest, FloorsShowOnlyWhileTheHeroStandsOnOne) {
  // From (19, 21) the floor cell (21, 23), code 88, is view cell (7, 5) at (550, 406).
  Hero().CellX = Hero().PosX = 19;
  Hero().CellY = Hero().PosY = 21;
  Run("frames 1");
  EXPECT_EQ(Pixel(600, 450), 0);
  // Standing on the floor at (22, 23), the same cell is view cell (4, 3) at (250, 206).
  Hero().CellX = Hero().PosX = 22;
  Hero().CellY = Hero().PosY = 23;
  Run("frames 1");
  EXPECT_EQ(Pixel(300, 250), Tile(88));
}

TEST_F(GameScreenTest, AStepNorthTurnsFirstThenShiftsTheMapAndMoves) {
  Run("keydown Up");
  Run("frames 1");
  EXPECT_EQ(Hero().Facing, 1);
  std::vector<int> offsets;
  for (int i = 0; i < 4; ++i) {
    Run("frames 1");
    offsets.push_back(Hero().OffsetY);
  }
  EXPECT_EQ(offsets, (std::vector<int>{20, 40, 60, 80}));
  Run("keyup Up");
  Run("frames 1");
  EXPECT_EQ(Hero().CellY, 19);
  EXPECT_EQ(Hero().OffsetY, 0);
  EXPECT_FALSE(Hero().Walking);
}

TEST_F(GameScreenTest, AStepShiftsTheViewAndTheHeroPictureFollowsFacingAndPhase) {
  // Cell (21, 21), code 3, sits right above (21, 22), code 2: at rest the row boundary is at
  // y = 406, so (600, 440) shows code 2.
  Run("frames 1");
  ASSERT_EQ(Pixel(600, 440), Tile(2));
  Run("keydown Up");
  Run("frames 4");  // a turn, then frames drawn at offsets 0, 20 and 40
  Run("keyup Up");
  ASSERT_EQ(Hero().OffsetY, 60);
  // The last frame was drawn 40 pixels lower: the cell above now reaches y = 445.
  EXPECT_EQ(Pixel(600, 440), Tile(3));
  EXPECT_EQ(Pixel(600, 450), Tile(2));
  EXPECT_EQ(Pixel(352, 178), To565(ItemColor("Hero0")));  // north, first phase

  Run("frames 2");  // the step ends
  ASSERT_FALSE(Hero().Walking);
  Hero().Facing = kFaceWest;
  Hero().StepPhase = 2;
  Run("frames 1");
  EXPECT_EQ(Pixel(352, 178), To565(ItemColor("Hero7")));
}

TEST_F(GameScreenTest, HoldingTheButtonWalksTowardsThePointer) {
  Run("pointer 400 100");  // north
  Run("frames 1");
  EXPECT_EQ(form_->Ingame->PointerDirection, 1);
  Run("down");
  Run("frames 6");
  Run("up");
  Run("frames 6");
  EXPECT_EQ(Hero().CellY, 19);
}

TEST_F(GameScreenTest, TheStepPhaseTogglesOnlyWhileWalking) {
  Run("wait 400");
  EXPECT_EQ(Hero().StepPhase, 1);
  // A hero marked walking towards his own cell never ends the step: each 200 ms period
  // toggles the picture.
  Hero().Walking = true;
  std::vector<int> phases;
  for (int i = 0; i < 3; ++i) {
    Run("wait 200");
    phases.push_back(Hero().StepPhase);
  }
  EXPECT_EQ(phases, (std::vector<int>{2, 1, 2}));
  Hero().Walking = false;
  Run("keydown Down");
  Run("wait 400");
  Run("keyup Down");
  Run("wait 200");
  const int phase = Hero().StepPhase;
  Run("wait 600");
  EXPECT_EQ(Hero().StepPhase, phase);
}

TEST_F(GameScreenTest, TheOptionsButtonOpensTheOptionsOverTheGameAndOkReturns) {
  Run("frames 2");
  Run("click 45 145");  // right and bottom edges are outside the button
  EXPECT_EQ(form_->Ingame->SubScreen, 0);
  Run("click 5 105");
  EXPECT_EQ(form_->Ingame->SubScreen, 1);
  EXPECT_FALSE(form_->DXTimer().Enabled());
  EXPECT_EQ(platform_->cursor_count(), 0);
  EXPECT_TRUE(form_->SVolTrack.visible);
  const uint64_t flips = Flips();
  const int cell_y = Hero().CellY;
  Run("keydown Up");
  Run("frames 10");
  EXPECT_EQ(Flips(), flips);
  EXPECT_EQ(Hero().CellY, cell_y);
  Run("keyup Up");
  Run("click 400 555");
  EXPECT_EQ(form_->Ingame->SubScreen, 0);
  EXPECT_TRUE(form_->DXTimer().Enabled());
  EXPECT_EQ(platform_->cursor_count(), -1);
  EXPECT_FALSE(form_->SVolTrack.visible);
  Run("frames 1");
  EXPECT_EQ(Flips(), flips + 1);
}

TEST_F(GameScreenTest, AtTheMapEdgeTheViewShowsBlackAndTheHeroStops) {
  Run("frames 1");
  Hero().CellX = Hero().PosX = 1;
  Hero().CellY = Hero().PosY = 1;
  Run("keydown Left");
  Run("frames 8");
  EXPECT_EQ(Hero().CellX, 1);
  EXPECT_FALSE(Hero().Walking);
  EXPECT_EQ(form_->Ingame->ViewX, 252);
  // View column 2 shows map column -2: black.
  EXPECT_EQ(Pixel(100, 350), 0);
  // View column 5 is column 1, the hero's: grass.
  EXPECT_EQ(Pixel(400, 420), Tile(64));
  EXPECT_TRUE(app_->errors().empty());
}

using MapFileTest = GameTest;

TEST_F(MapFileTest, AMapFileNotWrittenToItsEndIsReportedAndTheGameStartsAllTheSame) {
  KV_SKIP_ON_WINDOWS("Windows limits no process's file sizes, which stand in for a full disk");
  ASSERT_TRUE(started_);
  const std::string old(38422, 'o');
  std::ofstream("data/maps/0.num", std::ios::binary) << old;
  {
    FileSizeLimit full_disk(4096);
    Run("click 500 400");  // the main menu's load button
  }
  EXPECT_EQ(app_->errors(), std::vector<std::string>{"Cannot write file data/maps/0.num"});
  EXPECT_EQ(ReadText("data/maps/0.num"), old);
  ASSERT_TRUE(form_->Ingame->Active);
  EXPECT_TRUE(form_->DXTimer().Enabled());
  EXPECT_EQ(form_->Ingame->Map->Code(17, 17), 112);
  Run("keydown Down");
  Run("frames 10");
  EXPECT_GT(form_->Ingame->Hero->CellY, 20) << "the game runs on the map in memory";
}

}  // namespace
}  // namespace kv::test
