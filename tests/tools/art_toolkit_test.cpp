// The painting toolkit's promises that the data build relies on: keyed pictures keep their
// holes exactly through colour reduction, textures repeat with their period, and a missing
// font stops the build with a message that says what to install.

#include <gtest/gtest.h>

#include <set>

#include "platform/error.h"
#include "platform/image565.h"
#include "tools/art/lettering.h"
#include "tools/art/noise.h"
#include "tools/art/quantize.h"
#include "tools/art/raster.h"

namespace kv::art {
namespace {

RgbImage Gradient(int w, int h, bool with_holes) {
  RgbImage img{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &img.rgb[(static_cast<size_t>(y) * w + x) * 3];
      const bool hole = with_holes && (x + y) % 5 == 0;
      p[0] = hole ? 0 : static_cast<uint8_t>(x * 255 / (w - 1));
      p[1] = hole ? 0 : static_cast<uint8_t>(y * 255 / (h - 1));
      p[2] = hole ? 0 : static_cast<uint8_t>(((x ^ y) & 7) * 2);  // near-black in places
    }
  return img;
}

Bgr0 EntryOf(const Quantized& q, size_t pixel) {
  return q.palette[q.image.index[pixel]];
}

TEST(Quantize, KeyedPicturesKeepTheirHolesExactly) {
  for (int colours : {16, 256}) {
    SCOPED_TRACE(colours);
    const RgbImage img = Gradient(64, 48, true);
    const Quantized q = Quantize(img, colours, true);
    ASSERT_LE(q.palette.size(), static_cast<size_t>(colours));
    ASSERT_EQ(q.image.index.size(), 64u * 48u);
    EXPECT_EQ(q.palette[0], (Bgr0{0, 0, 0, 0}));
    for (size_t i = 0; i < q.image.index.size(); ++i) {
      const uint8_t* p = &img.rgb[i * 3];
      const bool hole = p[0] == 0 && p[1] == 0 && p[2] == 0;
      const Bgr0 e = EntryOf(q, i);
      // A hole stays a hole; nothing else may turn into one, however dark it was.
      ASSERT_EQ(To565(e[2], e[1], e[0]) == 0, hole) << "pixel " << i;
    }
  }
}

TEST(Quantize, OpaquePicturesUseTheWholeRangeAndStayClose) {
  const RgbImage img = Gradient(128, 128, false);
  const Quantized q = Quantize(img, 256, false);
  EXPECT_GT(q.palette.size(), 200u);
  double error = 0;
  for (size_t i = 0; i < q.image.index.size(); ++i) {
    const Bgr0 e = EntryOf(q, i);
    error += std::abs(e[2] - img.rgb[i * 3]) + std::abs(e[1] - img.rgb[i * 3 + 1]) +
             std::abs(e[0] - img.rgb[i * 3 + 2]);
  }
  EXPECT_LT(error / q.image.index.size(), 16.0);  // red + green + blue
}

TEST(Quantize, FewColoursGiveAnExactPalette) {
  RgbImage img{4, 1, {10, 20, 30, 200, 100, 50, 10, 20, 30, 0, 0, 0}};
  const Quantized q = Quantize(img, 16, false);
  std::set<std::array<uint8_t, 3>> colours;
  for (size_t i = 0; i < 4; ++i) {
    const Bgr0 e = EntryOf(q, i);
    EXPECT_EQ(e[2], img.rgb[i * 3]);
    EXPECT_EQ(e[1], img.rgb[i * 3 + 1]);
    EXPECT_EQ(e[0], img.rgb[i * 3 + 2]);
    colours.insert({e[0], e[1], e[2]});
  }
  EXPECT_EQ(colours.size(), 3u);
}

TEST(Raster, KeyedImageTurnsUncoveredToBlackAndLiftsDarkPixels) {
  Raster r(3, 1, {}, 0.f);
  r.at(1, 0) = {0.01f, 0.005f, 0.01f};  // 565 would read this as the key
  r.alpha(1, 0) = 1.f;
  r.at(2, 0) = {0.5f, 0.5f, 0.5f};
  r.alpha(2, 0) = 0.4f;  // mostly uncovered edge pixel
  const RgbImage img = r.ToKeyedImage();
  EXPECT_EQ(To565(img.rgb[0], img.rgb[1], img.rgb[2]), 0);
  EXPECT_NE(To565(img.rgb[3], img.rgb[4], img.rgb[5]), 0);
  EXPECT_EQ(To565(img.rgb[6], img.rgb[7], img.rgb[8]), 0);
}

TEST(Raster, ResizeAveragesCoveredPixelsOnly) {
  Raster r(2, 2, {}, 0.f);
  r.at(0, 0) = {1.f, 0.f, 0.f};
  r.alpha(0, 0) = 1.f;
  const Raster small = r.Resized(1, 1);
  EXPECT_NEAR(small.alpha(0, 0), 0.25f, 1e-5f);
  EXPECT_NEAR(small.at(0, 0).r, 1.f, 1e-5f);  // not darkened by the empty neighbours
}

TEST(Noise, RepeatsWithItsPeriodAndIsDeterministic) {
  for (float x : {0.3f, 1.7f, 3.2f})
    for (float y : {0.1f, 2.9f}) {
      // Equal up to the rounding of x + period.
      EXPECT_NEAR(Noise(x, y, 7, 4), Noise(x + 4, y, 7, 4), 1e-5);
      EXPECT_NEAR(Noise(x, y, 7, 4), Noise(x, y + 4, 7, 4), 1e-5);
      EXPECT_NEAR(Fbm(x, y, 9, 3, 4), Fbm(x + 4, y + 8, 9, 3, 4), 1e-5);
      EXPECT_NEAR(Noise2(x, y, 3, 5, 2), Noise2(x + 5, y + 2, 3, 5, 2), 1e-5);
    }
  Rng a(42), b(42);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(a.Next(), b.Next());
  EXPECT_NE(Noise(0.5f, 0.5f, 1), Noise(0.5f, 0.5f, 2));
}

TEST(Lettering, MissingFontNamesThePackage) {
  try {
    Lettering lettering("/nonexistent/Elixir.ttf");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("/nonexistent/Elixir.ttf"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("fonts-cardo"), std::string::npos);
  }
}

}  // namespace
}  // namespace kv::art
