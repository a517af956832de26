#include <gtest/gtest.h>

#include <string>

#include "display_test_support.h"
#include "media/canvas.h"
#include "media/dxdraw.h"
#include "media/surface.h"
#include "media/word_break.h"
#include "support/test_support.h"

namespace kv {
namespace {

constexpr uint16_t kWhite = 0xFFFF;
// Text is black on white here, so no drawn pixel can be this green by chance.
constexpr uint16_t kBack = To565(Rgb(0, 200, 0));

class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : surface(200, 100, &fonts) { FillSurface(surface, kBack); }

  int Count(uint16_t value, const Rect& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += surface.image().At(x, y) == value;
    return n;
  }
  int CountAll(uint16_t value) const { return Count(value, {0, 0, 200, 100}); }

  test::TestFonts fonts;
  Surface surface;
};

TEST_F(CanvasTest, FontStaysBetweenUsesAndStartsAsTheDefaultFace) {
  TextCanvas& canvas = SurfaceCanvas(surface);
  EXPECT_EQ(canvas.font.face, "");
  EXPECT_EQ(canvas.font.size, 12);
  EXPECT_FALSE(canvas.font.bold);

  FontDesc game{"Elixir", 20, 0, Rgb(255, 255, 0), true};
  canvas.SetFont(game);
  game.size = 36;  // the canvas holds its own copy
  ReleaseCanvas(canvas);

  TextCanvas& again = SurfaceCanvas(surface);
  EXPECT_EQ(&again, &canvas);
  EXPECT_EQ(again.font.face, "Elixir");
  EXPECT_EQ(again.font.size, 20);
  EXPECT_TRUE(again.font.bold);
  ReleaseCanvas(again);
}

TEST_F(CanvasTest, TextGetsAWhiteBoxUnlessMadeTransparentDuringThisUse) {
  TextCanvas& canvas = SurfaceCanvas(surface);
  canvas.SetFont({"", 12, 0, Rgb(255, 0, 0), false});
  canvas.SetBackgroundTransparent();
  canvas.TextOut(10, 10, "Wx");
  EXPECT_EQ(CountAll(kWhite), 0);
  EXPECT_GT(CountAll(To565(Rgb(255, 0, 0))), 0);  // solid glyph pixels in the font's colour
  ReleaseCanvas(canvas);

  FillSurface(surface, kBack);
  TextCanvas& again = SurfaceCanvas(surface);
  EXPECT_FALSE(again.transparent());
  again.TextOut(10, 10, "Wx");
  ReleaseCanvas(again);
  int width = 0;
  int height = 0;
  fonts.Measure(again.font, "Wx", width, height);
  ASSERT_GT(width, 0);
  const Rect cell{10, 10, 10 + width, 10 + height};
  EXPECT_EQ(Count(kBack, cell), 0);  // the whole cell is covered
  EXPECT_GT(Count(kWhite, cell), 0);
  EXPECT_EQ(CountAll(kBack), 200 * 100 - width * height);
}

TEST_F(CanvasTest, CentredAndBrokenTextStaysInsideItsRectangle) {
  TextCanvas& canvas = SurfaceCanvas(surface);
  const Rect line{20, 20, 60, 28};
  const Rect block{100, 20, 140, 90};
  canvas.DrawTextCentered(line, "a rather long line of text");
  canvas.DrawTextWordBreak(block, "several words to break up", true);
  ReleaseCanvas(canvas);
  EXPECT_EQ(Count(kBack, line), 0);  // wider and taller than the box, so it fills it
  const int in_block = 40 * 70 - Count(kBack, block);
  const int lh = fonts.LineHeight(canvas.font);
  EXPECT_LT(Count(kBack, {100, 20 + lh, 140, 20 + 2 * lh}), 40 * lh);  // a second line
  EXPECT_EQ(CountAll(kBack), 200 * 100 - 40 * 8 - in_block);
}

TEST_F(CanvasTest, ReleaseReportsTheChange) {
  int changes = 0;
  surface.on_changed = [&] { ++changes; };
  ReleaseCanvas(SurfaceCanvas(surface));
  EXPECT_EQ(changes, 1);
}

TEST_F(CanvasTest, LinesLeaveOutTheirEndPoint) {
  TextCanvas& canvas = SurfaceCanvas(surface);
  canvas.pen_color = Rgb(255, 255, 255);
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0);
  EXPECT_EQ(Count(kWhite, {0, 0, 10, 1}), 10);
  EXPECT_EQ(surface.image().At(10, 0), kBack);

  canvas.MoveTo(20, 20);
  canvas.LineTo(15, 25);  // diagonal, backwards
  for (int i = 0; i < 5; ++i) EXPECT_EQ(surface.image().At(20 - i, 20 + i), kWhite);
  EXPECT_EQ(surface.image().At(15, 25), kBack);

  canvas.LineTo(17, 35);  // continues from the last end point; steep
  EXPECT_EQ(Count(kWhite, {14, 25, 18, 35}), 10);
  EXPECT_EQ(surface.image().At(17, 35), kBack);
  ReleaseCanvas(canvas);
  EXPECT_EQ(CountAll(kWhite), 25);
}

TEST_F(CanvasTest, LinesFromFarOutsideAreClippedQuickly) {
  TextCanvas& canvas = SurfaceCanvas(surface);
  canvas.pen_color = Rgb(255, 255, 255);
  canvas.MoveTo(-2000000000, 50);
  canvas.LineTo(2000000000, 50);
  canvas.MoveTo(-2000000000, -2000000000);
  canvas.LineTo(2000000000, 2000000000);
  ReleaseCanvas(canvas);
  EXPECT_EQ(Count(kWhite, {0, 50, 200, 51}), 200);
  EXPECT_EQ(surface.image().At(99, 99), kWhite);
}

TEST_F(CanvasTest, PicturesAreDrawnUnscaledAndClipped) {
  auto picture = test::PaintedPicture(4, 3, [](int x, int y) { return Rgb(x * 40, y * 40, 0); });
  TextCanvas& canvas = SurfaceCanvas(surface);
  canvas.Draw(-1, 98, *picture);
  ReleaseCanvas(canvas);
  EXPECT_EQ(surface.image().At(0, 98), To565(Rgb(40, 0, 0)));
  EXPECT_EQ(surface.image().At(2, 99), To565(Rgb(120, 40, 0)));
  EXPECT_EQ(CountAll(kBack), 200 * 100 - 3 * 2);
}

// Ten pixels per character makes the expected breaks easy to read.
int TenPerChar(std::string_view s) {
  return static_cast<int>(s.size()) * 10;
}

TEST(BreakLinesTest, BreaksAtBlanksAndInsideWordsOnlyWhenNeeded) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(BreakLines("aaa bbb ccc", 75, TenPerChar), (Lines{"aaa bbb", "ccc"}));
  EXPECT_EQ(BreakLines("aaa  bbb", 30, TenPerChar), (Lines{"aaa", "bbb"}));
  EXPECT_EQ(BreakLines("abcdefghij", 35, TenPerChar), (Lines{"abc", "def", "ghi", "j"}));
  EXPECT_EQ(BreakLines("ab abcdefgh", 40, TenPerChar), (Lines{"ab", "abcd", "efgh"}));
  EXPECT_EQ(BreakLines("one\r\ntwo three", 200, TenPerChar), (Lines{"one", "two three"}));
  EXPECT_EQ(BreakLines("x", 0, TenPerChar), (Lines{"x"}));  // always advances
}

}  // namespace
}  // namespace kv
