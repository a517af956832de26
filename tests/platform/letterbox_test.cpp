#include "platform/letterbox.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kv
