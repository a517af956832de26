#include "platform/letterbox.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kv {
namespace {

TEST(LetterboxTest, PictureFillsTheOutputWithItsAspectKept) {
  EXPECT_EQ(letterbox::Fit(800, 600, 800, 600), (Rect{0, 0, 800, 600}));
  EXPECT_EQ(letterbox::Fit(1920, 1080, 800, 600), (Rect{240, 0, 1680, 1080}));
  EXPECT_EQ(letterbox::Fit(1280, 1024, 800, 600), (Rect{0, 32, 1280, 992}));
  EXPECT_TRUE(letterbox::Fit(0, 1080, 800, 600).Empty());
}

TEST(LetterboxTest, PointerPositionsOverTheBarsLieOutsideThePicture) {
  const Rect placed = letterbox::Fit(1920, 1080, 800, 600);
  EXPECT_EQ(letterbox::ToPicture({240, 0}, placed, 800, 600), (Point{0, 0}));
  EXPECT_EQ(letterbox::ToPicture({1679, 1079}, placed, 800, 600), (Point{799, 599}));
  EXPECT_EQ(letterbox::ToPicture({239, 540}, placed, 800, 600).x, -1);
  EXPECT_EQ(letterbox::ToPicture({0, 540}, placed, 800, 600).x, -134);
  EXPECT_EQ(letterbox::ToPicture({1680, 540}, placed, 800, 600).x, 800);
  EXPECT_EQ(letterbox::ToPicture({960, 540}, placed, 800, 600), (Point{400, 300}));
}

TEST(LetterboxTest, WholeMultiplesOnlyWhereOneFitsCentredOnBlack) {
  EXPECT_EQ(letterbox::FitWhole(1700, 1300, 800, 600), (Rect{50, 50, 1650, 1250}));
  EXPECT_EQ(letterbox::FitWhole(1920, 1080, 800, 600), (Rect{560, 240, 1360, 840}));
  EXPECT_EQ(letterbox::FitWhole(3840, 2160, 800, 600), (Rect{720, 180, 3120, 1980}));
  EXPECT_EQ(letterbox::FitWhole(800, 600, 800, 600), (Rect{0, 0, 800, 600}));
  // Not even once: as large as fits, as without the option.
  EXPECT_EQ(letterbox::FitWhole(640, 480, 800, 600), letterbox::Fit(640, 480, 800, 600));
  EXPECT_EQ(letterbox::FitWhole(1000, 599, 800, 600), letterbox::Fit(1000, 599, 800, 600));
  EXPECT_TRUE(letterbox::FitWhole(0, 0, 800, 600).Empty());
  EXPECT_EQ(letterbox::Place(1920, 1080, 800, 600, true),
            letterbox::FitWhole(1920, 1080, 800, 600));
  EXPECT_EQ(letterbox::Place(1920, 1080, 800, 600, false), letterbox::Fit(1920, 1080, 800, 600));
}

TEST(LetterboxTest, ThePointerPutOnAPicturePixelIsFoundOverIt) {
  // The right stick puts the pointer at the centre of a display pixel; read back, it must lie
  // over that same pixel, whatever the scale.
  for (const auto& [w, h, whole] :
       {std::tuple{1920, 1080, false}, std::tuple{1920, 1080, true}, std::tuple{640, 480, false},
        std::tuple{1001, 777, false}, std::tuple{500, 700, false}, std::tuple{1600, 1200, true}}) {
    const Rect placed = letterbox::Place(w, h, 800, 600, whole);
    for (int x = 0; x < 800; ++x) {
      const Point back = letterbox::ToPicture(letterbox::FromPicture({x, 300}, placed, 800, 600),
                                              placed, 800, 600);
      // Scaled down, several display pixels share one output pixel: the nearest comes back.
      if (placed.Width() >= 800) {
        ASSERT_EQ(back.x, x) << w << "x" << h;
      } else {
        ASSERT_NEAR(back.x, x, 1) << w << "x" << h;
      }
    }
    for (int y = 0; y < 600; ++y) {
      const Point back = letterbox::ToPicture(letterbox::FromPicture({400, y}, placed, 800, 600),
                                              placed, 800, 600);
      if (placed.Height() >= 600) {
        ASSERT_EQ(back.y, y) << w << "x" << h;
      } else {
        ASSERT_NEAR(back.y, y, 1) << w << "x" << h;
      }
    }
  }
}

}  // namespace
}  // namespace kv
