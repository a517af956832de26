#include "ingame/hero.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "ingame/map.h"
#include "newgame/attributes.h"
#include "platform/cp1250.h"
#include "support/test_support.h"

namespace kv {
namespace {

class HeroTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::TempDir dir;
    map_ = new TMap;
    map_->Load(0, dir.path());
  }
  static void TearDownTestSuite() { delete map_; }

  // Standing at (x, y), sent one cell by (dx, dy).
  void Send(int x, int y, uint8_t facing, int dx, int dy) {
    hero.CellX = hero.PosX = x;
    hero.CellY = hero.PosY = y;
    hero.Facing = facing;
    hero.PosX += dx;
    hero.PosY += dy;
    hero.Walking = true;
  }

  void ExpectAt(int x, int y) {
    EXPECT_EQ(hero.CellX, x);
    EXPECT_EQ(hero.CellY, y);
    EXPECT_EQ(hero.PosX, x);
    EXPECT_EQ(hero.PosY, y);
    EXPECT_FALSE(hero.Walking);
    EXPECT_EQ(hero.OffsetX, 0);
    EXPECT_EQ(hero.OffsetY, 0);
  }

  static TMap* map_;
  THero hero;
};

TMap* HeroTest::map_ = nullptr;

TEST_F(HeroTest, NorthStepFrameByFrame) {
  Send(19, 20, kFaceSouth, 0, -1);
  hero.Step(*map_);  // reversing passes through a quarter turn
  EXPECT_EQ(hero.Facing, kFaceEast);
  EXPECT_EQ(hero.OffsetY, 0);
  EXPECT_TRUE(hero.Walking);
  for (int16_t offset : {20, 40, 60, 80}) {
    hero.Step(*map_);
    EXPECT_EQ(hero.Facing, kFaceNorth);
    EXPECT_EQ(hero.OffsetY, offset);
    EXPECT_EQ(hero.OffsetX, 0);
    EXPECT_EQ(hero.CellY, 20);
  }
  hero.Step(*map_);
  ExpectAt(19, 19);
  hero.Step(*map_);  // standing: nothing happens
  ExpectAt(19, 19);
  EXPECT_EQ(hero.Facing, kFaceNorth);
}

TEST_F(HeroTest, StraightStepsShiftTheMapAgainstTheHero) {
  Send(19, 20, kFaceSouth, -1, 0);  // west: no turn needed from south
  for (int16_t offset : {20, 40, 60, 80}) {
    hero.Step(*map_);
    EXPECT_EQ(hero.OffsetX, offset);
  }
  hero.Step(*map_);
  ExpectAt(18, 20);
  EXPECT_EQ(hero.Facing, kFaceWest);

  Send(18, 20, kFaceNorth, 0, 1);  // south while facing north: turn west first
  hero.Step(*map_);
  EXPECT_EQ(hero.Facing, kFaceWest);
  for (int16_t offset : {-20, -40, -60, -80}) {
    hero.Step(*map_);
    EXPECT_EQ(hero.OffsetY, offset);
  }
  hero.Step(*map_);
  ExpectAt(18, 21);
  EXPECT_EQ(hero.Facing, kFaceSouth);
}

TEST_F(HeroTest, EastIntoTheWallTurnsButStays) {
  Send(19, 20, kFaceSouth, 1, 0);
  hero.Step(*map_);
  EXPECT_EQ(hero.Facing, kFaceEast);
  ExpectAt(19, 20);
}

TEST_F(HeroTest, DiagonalStepTakesFiveFrames) {
  Send(19, 20, kFaceSouth, -1, -1);
  for (int16_t offset : {20, 40, 60, 80}) {
    hero.Step(*map_);
    EXPECT_EQ(hero.Facing, kFaceWest);
    EXPECT_EQ(hero.OffsetX, offset);
    EXPECT_EQ(hero.OffsetY, offset);
  }
  hero.Step(*map_);
  ExpectAt(18, 19);
}

TEST_F(HeroTest, NorthEastAlongTheWallBecomesNorth) {
  // (20, 20) and (20, 21) are wall, (19, 20) is open.
  Send(19, 21, kFaceSouth, 1, -1);
  hero.Step(*map_);
  EXPECT_EQ(hero.Facing, kFaceSouth);  // the east side is blocked: no face east
  EXPECT_EQ(hero.PosX, 19);
  EXPECT_EQ(hero.PosY, 20);
  EXPECT_TRUE(hero.Walking);
  EXPECT_EQ(hero.OffsetX, 0);
  hero.Step(*map_);
  EXPECT_EQ(hero.Facing, kFaceEast);  // the north step's turn
  for (int i = 0; i < 4; ++i) hero.Step(*map_);
  EXPECT_EQ(hero.OffsetY, 80);
  EXPECT_EQ(hero.OffsetX, 0);
  hero.Step(*map_);
  ExpectAt(19, 20);
}

TEST_F(HeroTest, SouthEastWithTheSouthBlockedBecomesEast) {
  // (19, 17) and (18, 17) are the row-17 wall, (19, 16) is open.
  Send(18, 16, kFaceNorth, 1, 1);
  hero.Step(*map_);
  EXPECT_EQ(hero.Facing, kFaceEast);
  EXPECT_EQ(hero.PosX, 19);
  EXPECT_EQ(hero.PosY, 16);
  for (int i = 0; i < 5; ++i) hero.Step(*map_);
  ExpectAt(19, 16);
}

TEST_F(HeroTest, FullyBlockedDiagonalCancels) {
  // In the corner where the two long walls cross.
  Send(18, 18, kFaceSouth, -1, -1);
  hero.Step(*map_);
  ExpectAt(18, 18);
  EXPECT_EQ(hero.Facing, kFaceSouth);

  Send(18, 18, kFaceEast, -1, -1);  // a turn first, the cancel in the next call
  hero.Step(*map_);
  EXPECT_EQ(hero.Facing, kFaceSouth);
  EXPECT_TRUE(hero.Walking);
  hero.Step(*map_);
  ExpectAt(18, 18);
}

TEST_F(HeroTest, BlockedCornerWithBothSidesOpenGoesHorizontally) {
  // (35, 17) ends the row-17 wall; (35, 18) and (36, 17) are open.
  Send(36, 18, kFaceSouth, -1, -1);
  hero.Step(*map_);
  EXPECT_EQ(hero.Facing, kFaceWest);
  EXPECT_EQ(hero.PosX, 35);
  EXPECT_EQ(hero.PosY, 18);
  EXPECT_TRUE(hero.Walking);
  for (int16_t offset : {20, 40, 60, 80}) {
    hero.Step(*map_);
    EXPECT_EQ(hero.OffsetX, offset);
    EXPECT_EQ(hero.OffsetY, 0);
  }
  hero.Step(*map_);
  ExpectAt(35, 18);
}

TEST_F(HeroTest, MapEdgeBlocks) {
  Send(1, 1, kFaceNorth, 0, -1);
  hero.Step(*map_);
  ExpectAt(1, 1);

  Send(80, 80, kFaceNorth, 1, 1);
  hero.Step(*map_);
  ExpectAt(80, 80);

  Send(1, 5, kFaceNorth, -1, -1);  // west is off the map, north is open: slide north
  hero.Step(*map_);
  EXPECT_EQ(hero.PosX, 1);
  EXPECT_EQ(hero.PosY, 4);
  EXPECT_EQ(hero.Facing, kFaceNorth);
  for (int i = 0; i < 5; ++i) hero.Step(*map_);
  ExpectAt(1, 4);
}

TEST_F(HeroTest, StepPhaseAlternatesOnlyWhileWalking) {
  hero.StepPhase = 1;
  hero.AnimateStep();
  EXPECT_EQ(hero.StepPhase, 1);
  hero.Walking = true;
  hero.AnimateStep();
  EXPECT_EQ(hero.StepPhase, 2);
  hero.AnimateStep();
  EXPECT_EQ(hero.StepPhase, 1);
  hero.StepPhase = 0;
  hero.AnimateStep();
  EXPECT_EQ(hero.StepPhase, 2);
  hero.Walking = false;
  hero.AnimateStep();
  EXPECT_EQ(hero.StepPhase, 2);
}

TEST(HeroCopy, CopiesTheWholeSheet) {
  TCharacter c;
  SetText(c.Name, cp1250::FromUtf8("Přemysl Oráč z Stadic"));  // 21 characters: cut to 20
  SetProfession(c, kKouzelnik);
  SetRace(c, kElf);
  ApplyStatTemplate(c);
  Random random(77);
  RollAttributes(c, random);
  c.Stats[6].Value = -3;  // a modifier entry, which has no name
  ComputeSkills(c.Race, c.Profession, c.Skills);
  c.Portrait = 250;

  THero hero;
  hero.CopyCharacter(c);
  EXPECT_EQ(std::memcmp(hero.Name, c.Name, 21), 0);
  EXPECT_EQ(TextOf(hero.Name), cp1250::FromUtf8("Přemysl Oráč z Stadi"));
  EXPECT_EQ(hero.Profession, kKouzelnik);
  EXPECT_EQ(std::memcmp(hero.ProfessionName, c.ProfessionName, 16), 0);
  EXPECT_EQ(hero.Race, kElf);
  EXPECT_EQ(std::memcmp(hero.RaceName, c.RaceName, 16), 0);
  for (int i = 0; i < kStatCount; ++i) {
    EXPECT_EQ(std::memcmp(hero.Stats[i].Name, c.Stats[i].Name, sizeof c.Stats[i].Name), 0) << i;
    EXPECT_EQ(hero.Stats[i].Extra, c.Stats[i].Extra) << i;
    EXPECT_EQ(hero.Stats[i].Value, c.Stats[i].Value) << i;
  }
  for (int i = 0; i < kSkillCount; ++i) {
    EXPECT_EQ(std::memcmp(hero.Skills[i].Name, c.Skills[i].Name, sizeof c.Skills[i].Name), 0) << i;
    EXPECT_EQ(hero.Skills[i].Aptitude, c.Skills[i].Aptitude) << i;
    EXPECT_EQ(hero.Skills[i].Level, c.Skills[i].Level) << i;
  }
  EXPECT_EQ(hero.Stats[6].Value, -3);
  EXPECT_EQ(TextOf(hero.Skills[16].Name), "Meditace");
  EXPECT_EQ(TextOf(hero.Skills[24].Name), "Meditace");
  EXPECT_NE(hero.Skills[16].Level, hero.Skills[24].Level);
  EXPECT_EQ(hero.Portrait, 250);
}

}  // namespace
}  // namespace kv
