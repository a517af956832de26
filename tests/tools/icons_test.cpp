// The game's icon as a desktop reads it: a PNG with an alpha channel at each size the icon
// theme's folder names, see-through around the round emblem, and the same bytes every time.
#include "tools/art/icons.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
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
  if (!png_image_begin_read_from_file(&image, path.string().c_str())) return result;
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

// The icon file's directory names each image's side (256 as 0), its size and where it lies, and
// the images follow it whole: what a reader of the format finds.
TEST(Icons, AnIconFileListsEachImageWhereItLies) {
  test::TempDir dir;
  ASSERT_EQ(WriteIconFile((dir.path() / "kervana.ico").string()), 0);
  ASSERT_EQ(WriteIcons(dir.path().string()), 0);
  const std::vector<uint8_t> ico = Bytes(dir.path() / "kervana.ico");
  const auto u16 = [&](size_t at) { return ico.at(at) | ico.at(at + 1) << 8; };
  const auto u32 = [&](size_t at) { return static_cast<size_t>(u16(at) | u16(at + 2) << 16); };
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(u16(0), 0);
  EXPECT_EQ(u16(2), 1);
  ASSERT_EQ(u16(4), static_cast<int>(std::size(kIconSizes)));
  size_t expected_offset = 6 + 16 * std::size(kIconSizes);
  for (size_t i = 0; i < std::size(kIconSizes); ++i) {
    const int size = kIconSizes[i];
    const size_t entry = 6 + 16 * i;
    EXPECT_EQ(ico.at(entry), size == 256 ? 0 : size) << size;
    EXPECT_EQ(u16(entry + 6), 32) << size;
    const std::string file =
        std::to_string(size) + "x" + std::to_string(size) + "/apps/kervana.png";
    const std::vector<uint8_t> png = Bytes(dir.path() / file);
    ASSERT_EQ(u32(entry + 8), png.size()) << size;
    ASSERT_EQ(u32(entry + 12), expected_offset) << size;
    EXPECT_TRUE(std::equal(png.begin(), png.end(), ico.begin() + expected_offset)) << size;
    expected_offset += png.size();
  }
  EXPECT_EQ(expected_offset, ico.size());
}

TEST(Icons, AFolderThatCannotBeMadeFailsWithStatusOne) {
  test::TempDir dir;
  std::ofstream(dir.path() / "file") << "in the way";
  EXPECT_EQ(WriteIcons((dir.path() / "file").string()), 1);
}

}  // namespace
}  // namespace kv
