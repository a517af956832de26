#include <gtest/gtest.h>

#include "display_test_support.h"
#include "media/canvas.h"
#include "media/dxdraw.h"
#include "media/image_list.h"

namespace kv {
namespace {

using test::RecordingPlatform;
using test::SolidPicture;

TEST(ChooseDisplayModeTest, FollowsTheSubstitutionRules) {
  DisplayMode chosen;
  const std::vector<DisplayMode> usual{{640, 480, 16}, {800, 600, 32}, {800, 600, 16}};
  ASSERT_TRUE(ChooseDisplayMode(usual, 800, 600, 16, chosen));
  EXPECT_EQ(chosen, (DisplayMode{800, 600, 16}));

  // Same ratio first, smallest of those, bit count exact, never smaller than wanted.
  const std::vector<DisplayMode> larger{
      {1280, 1024, 16}, {1600, 1200, 16}, {1024, 768, 32}, {1152, 864, 16}, {640, 480, 16}};
  ASSERT_TRUE(ChooseDisplayMode(larger, 800, 600, 16, chosen));
  EXPECT_EQ(chosen, (DisplayMode{1152, 864, 16}));

  // Without a 4:3 mode the ratio is dropped.
  const std::vector<DisplayMode> wide{{1920, 1080, 16}, {1280, 1024, 16}, {1024, 768, 24}};
  ASSERT_TRUE(ChooseDisplayMode(wide, 800, 600, 16, chosen));
  EXPECT_EQ(chosen, (DisplayMode{1280, 1024, 16}));

  const std::vector<DisplayMode> none{{640, 480, 16}, {1024, 768, 32}, {800, 599, 16}};
  EXPECT_FALSE(ChooseDisplayMode(none, 800, 600, 16, chosen));
  EXPECT_FALSE(ChooseDisplayMode({}, 800, 600, 16, chosen));
}

class DisplayTest : public ::testing::Test {
 protected:
  RecordingPlatform platform;
  TDXDraw draw{platform};
};

TEST_F(DisplayTest, OpensFullScreenWithTheWantedModeOrASubstitute) {
  draw.OpenDisplay();
  ASSERT_TRUE(draw.initialized());
  EXPECT_TRUE(platform.last_fullscreen);
  EXPECT_EQ(platform.opened.back(), (DisplayMode{800, 600, 16}));
  ASSERT_NE(draw.BackSurface(), nullptr);
  EXPECT_EQ(draw.BackSurface()->width(), 800);
  EXPECT_EQ(draw.BackSurface()->height(), 600);
  EXPECT_EQ(draw.FrontSurface()->width(), 800);
  for (uint16_t p : draw.BackSurface()->image().pixels) ASSERT_EQ(p, 0);

  platform.accept = [](DisplayMode m) { return m.width != 800; };
  draw.OpenDisplay();
  EXPECT_TRUE(draw.initialized());
  EXPECT_EQ(platform.opened.back(), (DisplayMode{1024, 768, 16}));
  EXPECT_EQ(platform.open_count, 1);  // reopening gave the first display back
}

TEST_F(DisplayTest, NoSettableModeFailsAndLeavesTheDisplayClosed) {
  platform.accept = [](DisplayMode) { return false; };
  try {
    draw.OpenDisplay();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Display mode cannot be changed (800x600 16bit)");
  }
  EXPECT_FALSE(draw.initialized());
  EXPECT_EQ(platform.open_count, 0);
  // Screens keep drawing after the failure is reported: that must neither crash nor show.
  FillSurface(*draw.FrontSurface(), 0);
  TextCanvas& canvas = SurfaceCanvas(*draw.BackSurface());
  canvas.MoveTo(0, 0);
  canvas.LineTo(800, 0);
  ReleaseCanvas(canvas);
  ReleaseCanvas(SurfaceCanvas(*draw.FrontSurface()));
  draw.FlipDisplay();
  EXPECT_EQ(platform.presents, 0);
  EXPECT_EQ(draw.flips(), 0u);

  // The refused wanted mode is not offered again as its own substitute.
  platform.modes = {{800, 600, 16}};
  EXPECT_THROW(draw.OpenDisplay(), Error);
  EXPECT_EQ(platform.opened.size(), 3u);
}

TEST_F(DisplayTest, WindowedModeAsksForNoModeChange) {
  draw.doFullScreen = false;
  draw.OpenDisplay();
  EXPECT_TRUE(draw.initialized());
  EXPECT_FALSE(platform.last_fullscreen);
}

TEST_F(DisplayTest, BitCountMustBeAKnownDepth) {
  EXPECT_THROW(draw.SetDisplayBitCount(15), Error);
  EXPECT_EQ(draw.DisplayBitCount, 16);
  draw.SetDisplayBitCount(32);
  EXPECT_EQ(draw.DisplayBitCount, 32);
  try {
    draw.SetDisplayBitCount(0);
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "It should be either of 8 or 16 or 24 or 32");
  }
}

TEST_F(DisplayTest, FlipShowsTheBackSurfaceAndKeepsIt) {
  draw.FlipDisplay();  // closed: nothing
  EXPECT_EQ(draw.flips(), 0u);
  draw.OpenDisplay();
  Surface& back = *draw.BackSurface();
  back.image().Row(10)[20] = 0x1234;
  draw.FlipDisplay();
  draw.FlipDisplay();
  EXPECT_EQ(draw.flips(), 2u);
  EXPECT_EQ(platform.vblank_waits, 2);
  EXPECT_EQ(platform.shown.At(20, 10), 0x1234);
  EXPECT_EQ(back.image().At(20, 10), 0x1234);

  // A small picture over the last one, flipped again: both show.
  back.image().Row(11)[21] = 0x4321;
  draw.FlipDisplay();
  EXPECT_EQ(platform.shown.At(20, 10), 0x1234);
  EXPECT_EQ(platform.shown.At(21, 11), 0x4321);

  // A repaint shows the back surface again, over a blackened front, without waiting and
  // without counting as a flip.
  FillSurface(*draw.FrontSurface(), 0);
  EXPECT_EQ(platform.shown.At(20, 10), 0);
  draw.Repaint();
  EXPECT_EQ(platform.shown.At(20, 10), 0x1234);
  EXPECT_EQ(draw.flips(), 3u);
  EXPECT_EQ(platform.vblank_waits, 3);
}

TEST_F(DisplayTest, FrontSurfaceChangesShowAtOnceWithoutWaiting) {
  draw.OpenDisplay();
  draw.BackSurface()->image().Row(0)[0] = 0xFFFF;
  draw.FlipDisplay();
  const int presents = platform.presents;
  FillSurface(*draw.FrontSurface(), 0);
  EXPECT_EQ(platform.presents, presents + 1);
  EXPECT_EQ(platform.vblank_waits, 1);
  EXPECT_EQ(platform.shown.At(0, 0), 0);

  TextCanvas& canvas = SurfaceCanvas(*draw.FrontSurface());
  canvas.pen_color = Rgb(255, 255, 255);
  canvas.MoveTo(0, 5);
  canvas.LineTo(800, 5);
  ReleaseCanvas(canvas);
  EXPECT_EQ(platform.presents, presents + 2);
  EXPECT_EQ(platform.shown.At(799, 5), 0xFFFF);

  draw.FlipDisplay();  // the back surface's content comes back
  EXPECT_EQ(platform.shown.At(0, 0), 0xFFFF);
  EXPECT_EQ(platform.shown.At(799, 5), 0);

  // Once closed, the front surface shows nothing any more.
  draw.CloseDisplay();
  const int closed_presents = platform.presents;
  FillSurface(*draw.FrontSurface(), 0);
  ReleaseCanvas(SurfaceCanvas(*draw.FrontSurface()));
  EXPECT_EQ(platform.presents, closed_presents);
}

TEST_F(DisplayTest, AttachedListsHaveCopiesExactlyWhileTheDisplayIsOpen) {
  TDXImageList list(&draw);
  EXPECT_EQ(list.Items.image_list, &list);
  TPictureCollectionItem& item = list.Items.Add();
  item.SetPicture(SolidPicture(4, 4, Rgb(255, 0, 0)));
  list.Items.Add();  // an empty picture gets no copies

  draw.OpenDisplay();
  ASSERT_NE(item.copies, nullptr);
  EXPECT_TRUE(item.initialized);
  EXPECT_EQ(list.Items.Items(1).copies, nullptr);
  DrawPattern(item, *draw.BackSurface(), 0, 0, 0);
  EXPECT_EQ(draw.BackSurface()->image().At(3, 3), To565(Rgb(255, 0, 0)));

  draw.CloseDisplay();
  EXPECT_EQ(item.copies, nullptr);
  EXPECT_FALSE(item.initialized);
  draw.CloseDisplay();  // closing a closed display does nothing
  EXPECT_EQ(platform.open_count, 0);

  // A load while the display is closed builds nothing; one while it is open builds at once.
  list.CollectionLoaded();
  EXPECT_EQ(item.copies, nullptr);
  draw.OpenDisplay();
  FreeDisplayCopies(item);
  list.CollectionLoaded();
  EXPECT_NE(item.copies, nullptr);
}

TEST_F(DisplayTest, ABrokenPictureFailsTheOpeningAndClosesAgain) {
  TDXImageList list(&draw);
  auto picture = SolidPicture(4, 4, 0);
  picture->fail_decoding = true;
  list.Items.Add().SetPicture(std::move(picture));
  EXPECT_THROW(draw.OpenDisplay(), Error);
  EXPECT_FALSE(draw.initialized());
  EXPECT_EQ(platform.open_count, 0);
}

TEST(HeadlessDisplayTest, OnlyTheFlipWaitsForTheVerticalBlank) {
  std::unique_ptr<Platform> platform = MakeHeadlessPlatform();
  TDXDraw draw(*platform);
  draw.OpenDisplay();
  const uint64_t start = platform->Micros();
  FillSurface(*draw.FrontSurface(), 0);
  ReleaseCanvas(SurfaceCanvas(*draw.FrontSurface()));
  EXPECT_EQ(platform->Micros(), start);
  draw.FlipDisplay();
  EXPECT_EQ(platform->Micros(), start + 16667);
}

TEST(DisplayLifetimeTest, ListsAndDisplayMayGoInEitherOrder) {
  RecordingPlatform platform;
  auto draw = std::make_unique<TDXDraw>(platform);
  auto first = std::make_unique<TDXImageList>(draw.get());
  TDXImageList second(draw.get());
  first.reset();  // detaches itself
  draw->OpenDisplay();
  draw.reset();  // tells the remaining list, which forgets it
  EXPECT_EQ(second.DXDraw(), nullptr);
  EXPECT_EQ(platform.open_count, 0);
}

}  // namespace
}  // namespace kv
