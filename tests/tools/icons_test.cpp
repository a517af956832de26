// The game's icon as a desktop reads it: a PNG with an alpha channel at each size the icon
// theme's folder names, see-through around the round emblem, and the same bytes every time.
#include "tools/art/icons.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

struct Rgba {
  int width = 0;
  int height = 0;
  bool has_alpha = false;
  std::vector<uint8_t> pixels;  // RGBA rows
  uint8_t Alpha(int x, int y) const { return pixels[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

Rgba ReadPng(const fs::path& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  Rgba result;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return result;
  result.has_alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  image.format = PNG_FORMAT_RGBA;
  result.pixels.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, result.pixels.data(), 0, nullptr)) return {};
  result.width = static_cast<int>(image.width);
  result.height = static_cast<int>(image.height);
  return result;
}

std::vector<uint8_t> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Icons, EverySizeIsARoundEmblemOnTransparencyInTheThemesLayout) {
  test::TempDir dir;
  ASSERT_EQ(WriteIcons(dir.path().string()), 0);
  for (int size : kIconSizes) {
    const std::string side = std::to_string(size);
    const Rgba icon = ReadPng(dir.path() / (side + "x" + side) / "apps/kervana.png");
    ASSERT_EQ(icon.width, size);
    ASSERT_EQ(icon.height, size);
    EXPECT_TRUE(icon.has_alpha);
    const int last = size - 1;
    // The corners lie outside the round shield; its middle and the rim are solid.
    EXPECT_EQ(icon.Alpha(0, last), 0) << size;
    EXPECT_EQ(icon.Alpha(last, last), 0) << size;
    EXPECT_EQ(icon.Alpha(0, 0), 0) << size;
    EXPECT_EQ(icon.Alpha(size / 2, size / 2), 255) << size;
    EXPECT_EQ(icon.Alpha(size / 2, size / 20), 255) << size;
    EXPECT_EQ(icon.Alpha(size / 20, size / 2), 255) << size;
  }
}

TEST(Icons, TheSameProgramWritesTheSameBytes) {
  test::TempDir first, second;
  ASSERT_EQ(WriteIcons(first.path().string()), 0);
  ASSERT_EQ(WriteIcons(second.path().string()), 0);
  for (int size : kIconSizes) {
    const std::string file =
        std::to_string(size) + "x" + std::to_string(size) + "/apps/kervana.png";
    EXPECT_EQ(Bytes(first.path() / file), Bytes(second.path() / file)) << file;
  }
}

TEST(Icons, AFolderThatCannotBeMadeFailsWithStatusOne) {
  test::TempDir dir;
  std::ofstream(dir.path() / "file") << "in the way";
  EXPECT_EQ(WriteIcons((dir.path() / "file").string()), 1);
}

}  // namespace
}  // namespace kv
