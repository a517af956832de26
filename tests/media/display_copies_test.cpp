// Display copies and their opaque runs: what they cost however a picture is shaped and cut into
// patterns, and that keyed drawing gives the same pixels with or without runs.

#include <gtest/gtest.h>

#include <algorithm>

#include "display_test_support.h"
#include "media/display_copies.h"
#include "media/dxdraw.h"
#include "media/image_list.h"
#include "media/picture_collection.h"
#include "media/surface.h"
#include "support/hostile_files.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace kv {
namespace {

constexpr uint16_t kGrey565 = To565(Rgb(128, 128, 128));

// Pattern k of the item drawn at (x, y) the plain way: every pixel of the pattern that lands
// on the surface and is not the key.
void ReferenceDraw(const TPictureCollectionItem& item, Image565& target, int x, int y, int k) {
  const DisplayCopies& copies = *item.copies;
  const Rect p = copies.patterns.At(k);
  for (int sy = p.top; sy < p.bottom; ++sy) {
    for (int sx = p.left; sx < p.right; ++sx) {
      const int dx = x + sx - p.left;
      const int dy = y + sy - p.top;
      if (dx < 0 || dy < 0 || dx >= target.width || dy >= target.height) continue;
      const uint16_t v = copies.image.At(sx, sy);
      if (!item.Transparent || v != copies.key) target.Row(dy)[dx] = v;
    }
  }
}

// Slanted stripes of the key colour (black), so rows have several runs.
std::unique_ptr<Picture> Spotted(int w, int h) {
  return test::PaintedPicture(w, h, [](int x, int y) {
    return (x / 5 + y / 3) % 3 == 0 ? Rgb(0, 0, 0) : Rgb(x * 9, y * 5, 200);
  });
}

void ExpectSameDrawing(TPictureCollectionItem& item) {
  const int count = item.copies->patterns.count;
  ASSERT_GT(count, 0);
  for (int k : {0, std::min(1, count - 1), count / 2, count - 1}) {
    for (auto [x, y] : {std::pair{0, 0}, {-3, 4}, {25, -2}, {37, 21}}) {
      Surface drawn(40, 30, nullptr), expected(40, 30, nullptr);
      FillSurface(drawn, kGrey565);
      FillSurface(expected, kGrey565);
      DrawPattern(item, drawn, x, y, k);
      ReferenceDraw(item, expected.image(), x, y, k);
      ASSERT_EQ(drawn.image().pixels, expected.image().pixels)
          << "pattern " << k << " at " << x << ", " << y;
    }
  }
}

TEST(DisplayCopies, KeyedPatternsBesideAndOverEachOtherDrawTheirOwnPixels) {
  TPictureCollectionItem item;
  item.SetPicture(Spotted(53, 31));
  // Side by side with gaps, then overlapping by all but one pixel.
  for (auto [pw, ph, sw, sh] : {std::tuple{7, 5, 2, 1}, {20, 12, -19, -11}, {53, 31, 0, 0}}) {
    item.PatternWidth = pw, item.PatternHeight = ph, item.SkipWidth = sw, item.SkipHeight = sh;
    BuildDisplayCopies(item);
    ASSERT_FALSE(item.copies->row_start.empty());
    for (bool keyed : {true, false}) {
      item.Transparent = keyed;
      ExpectSameDrawing(item);
    }
    // Without runs, as for pictures whose runs would cost too much, the result is the same.
    item.Transparent = true;
    item.copies->row_start.clear();
    item.copies->runs.clear();
    ExpectSameDrawing(item);
  }
}

TEST(DisplayCopies, RunsFollowTheKeyColour) {
  TPictureCollectionItem item;
  item.SetPicture(test::PaintedPicture(6, 2, [](int x, int y) {
    return x == 2 || (y == 1 && x > 3) ? Rgb(255, 0, 255) : Rgb(0, 0, 0);
  }));
  BuildDisplayCopies(item);
  EXPECT_EQ(item.copies->row_start, (std::vector<uint32_t>{0, 1, 3}));  // the black key
  item.SetTransparentColor(Rgb(255, 0, 255));
  ASSERT_EQ(item.copies->row_start, (std::vector<uint32_t>{0, 2, 4}));
  EXPECT_EQ(item.copies->runs[0].begin, 0);
  EXPECT_EQ(item.copies->runs[0].end, 2);
  EXPECT_EQ(item.copies->runs[1].begin, 3);
  EXPECT_EQ(item.copies->runs[1].end, 6);
  EXPECT_EQ(item.copies->runs[3].begin, 3);
  EXPECT_EQ(item.copies->runs[3].end, 4);
}

// The bytes a display copy may hold for a picture of this many pixels.
size_t Allowed(const TPictureCollectionItem& item) {
  return 4 * item.copies->image.pixels.size() + 4096;
}

TEST(DisplayCopies, OverlappingPatternsCostNoMoreThanThePicture) {
  TPictureCollection images;
  images.LoadCollectionStream(test::OverlappingPatterns(1024));
  TPictureCollectionItem& item = images.Items(0);
  BuildDisplayCopies(item);
  // 65536 patterns of 769 x 769 pixels, each overlapping its neighbours almost whole.
  EXPECT_EQ(item.copies->patterns.count, 65536);
  EXPECT_EQ(item.copies->patterns.At(65535), (Rect{255, 255, 1024, 1024}));
  // The runs are the picture's own: one for each of its eight white rows.
  EXPECT_EQ(item.copies->runs.size(), 8u);
  EXPECT_LE(item.copies->Bytes(), Allowed(item));
}

TEST(DisplayCopies, TallAndNoisyPicturesKeepNoRunsThatCostMoreThanTheImage) {
  TPictureCollection images;
  std::vector<uint8_t> codes;
  for (int row = 0; row < 100; ++row) codes.insert(codes.end(), {1, 1, 0, 0});
  writer::PictureItemEntry entry;
  entry.name = "Tall";
  entry.picture_data = test::RunLengthPicture(1, 1 << 20, codes);
  images.LoadCollectionStream(writer::WriteImageCollection({entry}));
  TPictureCollectionItem& tall = images.Items(0);
  BuildDisplayCopies(tall);
  EXPECT_TRUE(tall.copies->row_start.empty());
  EXPECT_LE(tall.copies->Bytes(), Allowed(tall));
  // Its keyed rows still draw: the bottom rows are white, the rest the black key.
  Surface surface(1, 1, nullptr);
  FillSurface(surface, kGrey565);
  DrawPattern(tall, surface, 0, -((1 << 20) - 1), 0);
  EXPECT_EQ(surface.image().At(0, 0), To565(Rgb(255, 255, 255)));
  FillSurface(surface, kGrey565);
  DrawPattern(tall, surface, 0, 0, 0);
  EXPECT_EQ(surface.image().At(0, 0), kGrey565);

  TPictureCollectionItem noise;
  noise.SetPicture(test::PaintedPicture(
      64, 64, [](int x, int y) { return (x + y) % 2 ? Rgb(0, 0, 0) : Rgb(90, 90, 90); }));
  BuildDisplayCopies(noise);
  EXPECT_TRUE(noise.copies->row_start.empty());
  EXPECT_LE(noise.copies->Bytes(), Allowed(noise));

  // An ordinary keyed sprite keeps its runs.
  TPictureCollectionItem sprite;
  sprite.SetPicture(Spotted(100, 130));
  BuildDisplayCopies(sprite);
  EXPECT_FALSE(sprite.copies->row_start.empty());
  EXPECT_LE(sprite.copies->Bytes(), Allowed(sprite));
}

TEST(DisplayCopies, HeldPicturesDecodeWhenFirstDrawnWithTheGridAndKeyOfTheOpening) {
  const RgbImage painted = test::PaintedPicture(12, 8, [](int x, int y) {
                             return x % 3 == 0 ? Rgb(0, 0, 0) : Rgb(x * 20, y * 30, 90);
                           })->Pixels();
  const auto make = [&](TPictureCollectionItem& item) {
    item.SetPicture(ReadPicturePayload(writer::DibPictureData(painted, {.bits = 24})));
    item.PatternWidth = 6;
  };
  TPictureCollectionItem lazy, eager;
  make(lazy);
  make(eager);
  PrepareDisplayCopies(lazy);
  BuildDisplayCopies(eager);
  ASSERT_NE(lazy.copies, nullptr);
  EXPECT_TRUE(lazy.copies->pending);
  EXPECT_TRUE(lazy.copies->image.pixels.empty());
  // Changes after the opening reach the drawing as they would have with copies built then.
  lazy.PatternWidth = eager.PatternWidth = 4;
  lazy.SetTransparentColor(Rgb(60, 30, 90));
  eager.SetTransparentColor(Rgb(60, 30, 90));
  for (int k : {0, 1}) {
    Surface drawn(20, 10, nullptr), expected(20, 10, nullptr);
    FillSurface(drawn, kGrey565);
    FillSurface(expected, kGrey565);
    DrawPattern(lazy, drawn, 1, 1, k);
    DrawPattern(eager, expected, 1, 1, k);
    EXPECT_EQ(drawn.image().pixels, expected.image().pixels) << "pattern " << k;
  }
  EXPECT_FALSE(lazy.copies->pending);
  EXPECT_EQ(lazy.copies->runs.size(), eager.copies->runs.size());

  // An item drawn opaque has no runs until it is drawn keyed.
  TPictureCollectionItem opaque;
  make(opaque);
  opaque.Transparent = false;
  BuildDisplayCopies(opaque);
  Surface surface(20, 10, nullptr);
  DrawPattern(opaque, surface, 0, 0, 0);
  EXPECT_FALSE(opaque.copies->runs_built);
  opaque.Transparent = true;
  DrawPattern(opaque, surface, 0, 0, 0);
  EXPECT_TRUE(opaque.copies->runs_built);
  TPictureCollectionItem keyed;
  make(keyed);
  BuildDisplayCopies(keyed);
  EXPECT_EQ(opaque.copies->runs.size(), keyed.copies->runs.size());

  // A picture whose decoding may fail is decoded as the display opens.
  TPictureCollectionItem jpeg;
  jpeg.SetPicture(ReadPicturePayload(writer::JpegPictureData(painted, 90, false)));
  PrepareDisplayCopies(jpeg);
  ASSERT_NE(jpeg.copies, nullptr);
  EXPECT_FALSE(jpeg.copies->pending);
  EXPECT_EQ(jpeg.copies->image.pixels.size(), 12u * 8);
}

}  // namespace
}  // namespace kv
