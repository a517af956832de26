#include "platform/scaler.h"

#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

std::vector<uint32_t> Scaled(const Image565& picture, int width, int height, ScaleFilter filter) {
  Scaler scaler;
  scaler.Prepare(picture.width, picture.height, width, height, filter);
  std::vector<uint32_t> out(static_cast<size_t>(width) * height, 0xDEADBEEF);
  scaler.Scale(picture, out.data(), width);
  return out;
}

constexpr uint16_t kRed565 = 0xF800;
constexpr uint16_t kBlue565 = 0x001F;

TEST(Scaler, AFlatPictureStaysExactlyItsColourAtEveryScale) {
  const Image565 flat(800, 600, 0x8410);  // 565 grey: 132, 130, 132
  for (const auto& [w, h] : {std::pair{1024, 768}, {1440, 1080}, {640, 480}, {800, 600}}) {
    for (const ScaleFilter filter : {ScaleFilter::kLinear, ScaleFilter::kNearest}) {
      const auto out = Scaled(flat, w, h, filter);
      for (uint32_t p : out) ASSERT_EQ(p, 0x848284u) << w << "x" << h;
    }
  }
}

TEST(Scaler, LinearBlendsBetweenPixelCentresAndClampsAtTheEdges) {
  Image565 two(2, 1, kRed565);
  two.pixels[1] = kBlue565;
  // Four target pixels over two source pixels: centres at 0.25, 0.75, 1.25, 1.75 of the source,
  // so the outer ones are the source colours and the inner ones a quarter-way mix each way.
  const auto out = Scaled(two, 4, 1, ScaleFilter::kLinear);
  EXPECT_EQ(out[0], 0xFF0000u);
  EXPECT_EQ(out[3], 0x0000FFu);
  EXPECT_EQ(out[1], 0xBF003Fu);
  EXPECT_EQ(out[2], 0x3F00BFu);
}

TEST(Scaler, NearestTakesTheSourcePixelUnderEachCentre) {
  Image565 three(3, 1, 0);
  three.pixels = {kRed565, 0x07E0, kBlue565};
  const auto out = Scaled(three, 5, 1, ScaleFilter::kNearest);
  const std::vector<uint32_t> expected = {0xFF0000, 0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF};
  EXPECT_EQ(out, expected);
}

TEST(Scaler, EachCallShowsThePictureGivenNotARowKeptFromBefore) {
  Scaler scaler;
  scaler.Prepare(2, 2, 3, 3, ScaleFilter::kLinear);
  std::vector<uint32_t> out(9);
  scaler.Scale(Image565(2, 2, kRed565), out.data(), 3);
  scaler.Scale(Image565(2, 2, kBlue565), out.data(), 3);
  for (uint32_t p : out) EXPECT_EQ(p, 0x0000FFu);
}

TEST(Scaler, WritesOnlyItsRectangleOfAWiderDestination) {
  std::vector<uint32_t> dest(10 * 4, 7);
  Scaler scaler;
  scaler.Prepare(2, 2, 4, 4, ScaleFilter::kNearest);
  scaler.Scale(Image565(2, 2, kRed565), dest.data() + 3, 10);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 3 && x < 7;
      EXPECT_EQ(dest[static_cast<size_t>(y) * 10 + x], inside ? 0xFF0000u : 7u) << x << "," << y;
    }
  }
  // A picture of another size than prepared for is left alone rather than read out of bounds.
  scaler.Scale(Image565(3, 3, kBlue565), dest.data() + 3, 10);
  EXPECT_EQ(dest[3], 0xFF0000u);
}

}  // namespace
}  // namespace kv
