#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>

#include "platform/platform.h"
#include "support/test_support.h"

namespace kv {
namespace {

struct Rgb8 {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

Rgb8 ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Rgb8 out;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  image.format = PNG_FORMAT_RGB;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) out = {};
  return out;
}

TEST(PngTest, PixelsComeBackAsTheirExpandedColours) {
  test::TempDir dir;
  Image565 image(7, 3);
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = static_cast<uint16_t>(i * 9973u);
  }
  image.pixels[0] = 0xFFFF;
  image.pixels[1] = To565(Rgb(255, 255, 0));
  ASSERT_TRUE(WritePng(dir / "shot.png", image));

  const Rgb8 back = ReadPng(dir / "shot.png");
  ASSERT_EQ(back.width, 7);
  ASSERT_EQ(back.height, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) {
      const uint16_t p = image.At(x, y);
      const uint8_t* got = &back.rgb[(static_cast<size_t>(y) * 7 + x) * 3];
      EXPECT_EQ(got[0], Red565(p));
      EXPECT_EQ(got[1], Green565(p));
      EXPECT_EQ(got[2], Blue565(p));
    }
  }
  EXPECT_EQ(back.rgb[0], 255) << "white stays full white";
  EXPECT_EQ(back.rgb[5], 0);
}

TEST(PngTest, ImpossibleShotsReportFailure) {
  test::TempDir dir;
  EXPECT_FALSE(WritePng(dir / "none/shot.png", Image565(4, 4)));
  EXPECT_FALSE(WritePng(dir / "empty.png", Image565()));
  EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
  Image565 lying(4, 4);
  lying.pixels.resize(3);
  EXPECT_FALSE(WritePng(dir / "lying.png", lying));
}

TEST(PngTest, AShotThatCannotBeWrittenWholeKeepsTheOldOne) {
  KV_SKIP_ON_WINDOWS("Windows limits no process's file sizes, nor has a device always full");
  test::TempDir dir;
  Image565 image(64, 64);
  for (size_t i = 0; i < image.pixels.size(); ++i)
    image.pixels[i] = static_cast<uint16_t>(i * 7919u);
  ASSERT_TRUE(WritePng(dir / "shot.png", Image565(2, 2)));
  const auto good = std::filesystem::file_size(dir / "shot.png");
  {
    test::FileSizeLimit full_disk(good + 100);
    EXPECT_FALSE(WritePng(dir / "shot.png", image));
  }
  EXPECT_EQ(std::filesystem::file_size(dir / "shot.png"), good);
  EXPECT_EQ(ReadPng(dir / "shot.png").width, 2);
  EXPECT_FALSE(WritePng("/dev/full", image));
}

}  // namespace
}  // namespace kv
