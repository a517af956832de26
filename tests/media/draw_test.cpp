#include <gtest/gtest.h>

#include "display_test_support.h"
#include "media/dxdraw.h"
#include "media/surface.h"

namespace kv {
namespace {

using test::PaintedPicture;
using test::SolidPicture;

constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kBlue = Rgb(0, 0, 255);
constexpr uint16_t kRed565 = To565(kRed);
constexpr uint16_t kBlue565 = To565(kBlue);
constexpr uint16_t kGrey565 = To565(Rgb(128, 128, 128));

// A 100 x 100 picture whose column x has a colour of its own, so a drawn pixel tells which
// source column it came from.
Color ColumnColour(int x, int) {
  return Rgb(static_cast<uint8_t>(x * 2 + 8), 64, 64);
}

class DrawTest : public ::testing::Test {
 protected:
  DrawTest() : surface(800, 600, nullptr) { FillSurface(surface, kGrey565); }

  void Load(std::unique_ptr<Picture> picture) {
    item.SetPicture(std::move(picture));
    BuildDisplayCopies(item);
  }
  uint16_t At(int x, int y) const { return surface.image().At(x, y); }
  int CountNot(uint16_t value) const {
    int n = 0;
    for (uint16_t p : surface.image().pixels) n += p != value;
    return n;
  }

  Surface surface;
  TPictureCollectionItem item;
};

TEST_F(DrawTest, PatternClipsAtTheLeftEdgeKeepingItsColumns) {
  Load(PaintedPicture(100, 100, ColumnColour));
  DrawPattern(item, surface, -20, 10, 0);
  EXPECT_EQ(At(0, 10), To565(ColumnColour(20, 0)));
  EXPECT_EQ(At(79, 109), To565(ColumnColour(99, 0)));
  EXPECT_EQ(At(80, 10), kGrey565);
  EXPECT_EQ(At(0, 9), kGrey565);
  EXPECT_EQ(At(0, 110), kGrey565);
  EXPECT_EQ(CountNot(kGrey565), 80 * 100);
}

TEST_F(DrawTest, PatternAtTheRightEdge) {
  Load(PaintedPicture(100, 100, ColumnColour));
  DrawPattern(item, surface, 801, 0, 0);
  DrawPattern(item, surface, 800, 0, 0);
  DrawPattern(item, surface, 0, 601, 0);
  EXPECT_EQ(CountNot(kGrey565), 0);

  DrawPattern(item, surface, 799, 550, 0);
  EXPECT_EQ(At(799, 550), To565(ColumnColour(0, 0)));
  EXPECT_EQ(At(799, 599), To565(ColumnColour(0, 0)));
  EXPECT_EQ(CountNot(kGrey565), 50);
}

TEST_F(DrawTest, FarOffPositionsDrawNothing) {
  Load(SolidPicture(100, 100, kRed));
  DrawPattern(item, surface, INT32_MIN, INT32_MIN, 0);
  DrawPattern(item, surface, -100, 0, 0);
  StretchPattern(item, surface, {INT32_MIN, 0, INT32_MIN + 5, 10}, 0);
  StretchPattern(item, surface, {INT32_MAX - 5, 0, INT32_MAX, 10}, 0);
  EXPECT_EQ(CountNot(kGrey565), 0);
}

TEST_F(DrawTest, BadPatternNumbersAndMissingCopiesDrawNothing) {
  item.PatternWidth = 32;
  Load(SolidPicture(64, 32, kRed));
  DrawPattern(item, surface, 0, 0, 2);
  DrawPattern(item, surface, 0, 0, -1);
  StretchPattern(item, surface, {0, 0, 100, 100}, 2);
  StretchPattern(item, surface, {0, 0, 100, 100}, -1);
  EXPECT_EQ(CountNot(kGrey565), 0);

  FreeDisplayCopies(item);
  DrawPattern(item, surface, 0, 0, 0);
  StretchPattern(item, surface, {0, 0, 100, 100}, 0);
  EXPECT_EQ(CountNot(kGrey565), 0);

  TPictureCollectionItem empty;
  BuildDisplayCopies(empty);
  EXPECT_EQ(empty.copies, nullptr);
  DrawPattern(empty, surface, 0, 0, 0);
  EXPECT_EQ(CountNot(kGrey565), 0);
}

TEST_F(DrawTest, PatternsOfASheetComeFromTheirOwnCells) {
  item.PatternWidth = 32;
  item.PatternHeight = 32;
  Load(PaintedPicture(64, 32, [](int x, int) { return x < 32 ? kRed : kBlue; }));
  DrawPattern(item, surface, 10, 10, 1);
  EXPECT_EQ(At(10, 10), kBlue565);
  EXPECT_EQ(At(41, 41), kBlue565);
  EXPECT_EQ(At(42, 10), kGrey565);
  EXPECT_EQ(CountNot(kGrey565), 32 * 32);
}

TEST_F(DrawTest, KeyColourLeavesTheDestinationVisible) {
  // A red frame around a black middle; the black is the (default) key colour.
  auto frame = [](int x, int y) { return x < 2 || y < 2 || x >= 8 || y >= 8 ? kRed : 0; };
  Load(PaintedPicture(10, 10, frame));
  ASSERT_TRUE(item.Transparent);
  DrawPattern(item, surface, 100, 100, 0);
  EXPECT_EQ(At(100, 100), kRed565);
  EXPECT_EQ(At(105, 105), kGrey565);

  // Clipped on the left: the runs are cut, the holes stay where they were.
  DrawPattern(item, surface, -3, 300, 0);
  EXPECT_EQ(At(0, 305), kGrey565);
  EXPECT_EQ(At(4, 305), kGrey565);
  EXPECT_EQ(At(5, 305), kRed565);
  EXPECT_EQ(At(6, 305), kRed565);
  EXPECT_EQ(At(7, 305), kGrey565);
  EXPECT_EQ(At(0, 300), kRed565);

  item.Transparent = false;
  DrawPattern(item, surface, 200, 100, 0);
  EXPECT_EQ(At(205, 105), 0);
  EXPECT_EQ(At(200, 100), kRed565);
}

TEST_F(DrawTest, NearBlackCountsAsTheBlackKeyInSixteenBits) {
  // (7, 3, 7) loses its low bits in 565 and becomes the key; (8, 0, 0) keeps one bit of red.
  Load(PaintedPicture(3, 1, [](int x, int) {
    return x == 0 ? Rgb(7, 3, 7) : x == 1 ? Rgb(8, 0, 0) : Rgb(0, 4, 0);
  }));
  DrawPattern(item, surface, 0, 0, 0);
  EXPECT_EQ(At(0, 0), kGrey565);
  EXPECT_EQ(At(1, 0), To565(Rgb(8, 0, 0)));
  EXPECT_EQ(At(2, 0), To565(Rgb(0, 4, 0)));
}

TEST_F(DrawTest, ChangingTheKeyColourTakesEffectAtOnce) {
  Load(PaintedPicture(2, 1, [](int x, int) { return x == 0 ? kRed : 0; }));
  item.TransparentColor = kRed;
  RekeyDisplayCopies(item);
  DrawPattern(item, surface, 0, 0, 0);
  EXPECT_EQ(At(0, 0), kGrey565);
  EXPECT_EQ(At(1, 0), 0);
}

TEST_F(DrawTest, StretchSqueezesTheWholePatternIntoAStrip) {
  Load(PaintedPicture(100, 100, [](int x, int) { return x < 50 ? kRed : kBlue; }));
  StretchPattern(item, surface, {50, 0, 750, 5}, 0);
  EXPECT_EQ(At(50, 0), kRed565);
  EXPECT_EQ(At(399, 4), kRed565);
  EXPECT_EQ(At(400, 0), kBlue565);
  EXPECT_EQ(At(749, 4), kBlue565);
  EXPECT_EQ(At(49, 0), kGrey565);
  EXPECT_EQ(At(750, 0), kGrey565);
  EXPECT_EQ(At(50, 5), kGrey565);
  EXPECT_EQ(CountNot(kGrey565), 700 * 5);
}

TEST_F(DrawTest, StretchIntoAnEmptyRectangleDrawsNothing) {
  Load(SolidPicture(10, 10, kRed));
  StretchPattern(item, surface, {10, 10, 10, 50}, 0);
  StretchPattern(item, surface, {10, 50, 60, 10}, 0);
  EXPECT_EQ(CountNot(kGrey565), 0);
}

TEST_F(DrawTest, StretchClipsWithoutChangingTheScale) {
  // Scaled to 200 wide, the red half covers x -100..-1: only blue shows at 0..99.
  Load(PaintedPicture(2, 1, [](int x, int) { return x == 0 ? kRed : kBlue; }));
  StretchPattern(item, surface, {-100, 590, 100, 610}, 0);
  EXPECT_EQ(At(0, 590), kBlue565);
  EXPECT_EQ(At(99, 599), kBlue565);
  EXPECT_EQ(CountNot(kGrey565), 100 * 10);
}

TEST_F(DrawTest, StretchEnlargesEachAxisByItsOwnFactorAndKeys) {
  Load(PaintedPicture(2, 2, [](int x, int y) { return x == y ? kRed : 0; }));
  StretchPattern(item, surface, {0, 0, 40, 10}, 0);
  EXPECT_EQ(At(0, 0), kRed565);
  EXPECT_EQ(At(19, 4), kRed565);
  EXPECT_EQ(At(20, 4), kGrey565);  // key pixels leave the destination alone
  EXPECT_EQ(At(20, 5), kRed565);
  EXPECT_EQ(At(39, 9), kRed565);
  EXPECT_EQ(CountNot(kGrey565), 2 * 20 * 5);

  item.Transparent = false;
  StretchPattern(item, surface, {0, 100, 40, 110}, 0);
  EXPECT_EQ(At(20, 104), 0);
}

TEST_F(DrawTest, BlendMixesTheColourIntoTheClippedRectangleOnly) {
  FillSurface(surface, 0);
  BlendFillRect(surface, {790, -10, 900, 2}, Rgb(255, 255, 255), 100);
  const uint16_t p = At(795, 0);
  // 100 / 255 of white over black, within one step of the exact mean.
  EXPECT_NEAR(Red565(p), 100, 8);
  EXPECT_NEAR(Green565(p), 100, 4);
  EXPECT_EQ(At(799, 1), p);
  EXPECT_EQ(At(789, 0), 0);
  EXPECT_EQ(At(795, 2), 0);

  BlendFillRect(surface, {0, 0, 0, 100}, Rgb(255, 255, 255), 100);
  EXPECT_EQ(At(0, 0), 0);
}

TEST_F(DrawTest, FillReportsTheChange) {
  int changes = 0;
  surface.on_changed = [&] { ++changes; };
  FillSurface(surface, 0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(CountNot(0), 0);
}

}  // namespace
}  // namespace kv
