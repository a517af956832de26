#include <gtest/gtest.h>

#include "media/bitmap_picture.h"
#include "media/picture_test_support.h"
#include "tools/writer/picture_writer.h"

namespace kv {
namespace {

using test::FewColourImage;
using test::LoadError;
using test::PatternImage;
using writer::DibOptions;
using writer::EncodeBmpFile;
using writer::LengthPrefixed;
using writer::PictureData;

std::vector<uint8_t> BitmapValue(const std::vector<uint8_t>& file) {
  return PictureData("TBitmap", LengthPrefixed(file));
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

TEST(BitmapPayload, LengthRules) {
  auto empty = ReadPicturePayload(PictureData("TBitmap", std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_STREQ(empty->ClassName(), "TBitmap");
  EXPECT_TRUE(empty->empty());
  EXPECT_EQ(LoadError(PictureData("TBitmap", std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF})),
            "Bitmap image is not valid");
  EXPECT_EQ(LoadError(PictureData("TBitmap", std::vector<uint8_t>{1, 0})), "Stream read error");
  std::vector<uint8_t> value = BitmapValue(EncodeBmpFile(PatternImage(2, 2), {}));
  value.pop_back();
  EXPECT_EQ(LoadError(value), "Stream read error");
}

TEST(BitmapPayload, ReadsOnlyWithinItsLength) {
  // The file claims one byte less than its pixels need; the bytes after the payload, though
  // there, are not the file's.
  std::vector<uint8_t> file = EncodeBmpFile(PatternImage(3, 3), {});
  std::vector<uint8_t> value = PictureData("TBitmap", LengthPrefixed(file));
  Put32(value, 8, static_cast<uint32_t>(file.size() - 1));
  EXPECT_EQ(LoadError(value), "Stream read error");
}

TEST(BitmapPayload, FileAndHeaderChecks) {
  const std::vector<uint8_t> good = EncodeBmpFile(PatternImage(3, 2), {});
  std::vector<uint8_t> file = good;
  file[1] = 'A';
  EXPECT_EQ(LoadError(BitmapValue(file)), "Bitmap image is not valid");
  file = good;
  file[26] = 2;  // planes
  EXPECT_EQ(LoadError(BitmapValue(file)), "Bitmap image is not valid");
  file = good;
  Put32(file, 14, 20);  // header size between the core and the info header
  EXPECT_EQ(LoadError(BitmapValue(file)), "Bitmap image is not valid");
  file = good;
  file[28] = 2;  // bits per pixel
  EXPECT_EQ(LoadError(BitmapValue(file)), "Bitmap image is not valid");
  file = good;
  Put32(file, 30, 1);  // run-length 8-bit on a 24-bit picture
  EXPECT_EQ(LoadError(BitmapValue(file)), "Bitmap image is not valid");
  EXPECT_EQ(LoadError(BitmapValue({'B', 'M', 0, 0})), "Stream read error");
  // No width, countless top-down rows: nothing to read and nothing to turn over.
  file = EncodeBmpFile(RgbImage{}, {});
  Put32(file, 22, static_cast<uint32_t>(-0x7FFFFFFF));
  EXPECT_TRUE(ReadPicturePayload(BitmapValue(file))->empty());
}

TEST(BitmapPayload, LargerInfoHeadersLoad) {
  const RgbImage image = PatternImage(5, 3);
  for (int size : {108, 124}) {
    SCOPED_TRACE(size);
    DibOptions options;
    options.header_size = size;
    EXPECT_EQ(ReadPicturePayload(writer::BitmapPictureData(image, options))->Pixels().rgb,
              image.rgb);
    // Masks inside the larger header, red in the lowest byte.
    options.bits = 32;
    options.compression = 3;
    options.masks[0] = 0xFF, options.masks[1] = 0xFF00, options.masks[2] = 0xFF0000;
    EXPECT_EQ(ReadPicturePayload(writer::BitmapPictureData(image, options))->Pixels().rgb,
              image.rgb);
  }
}

TEST(BitmapPayload, MasksCountWhereTheyAre) {
  // Unlike a bare DIB, a BMP file's masks mean what they say: red in the low bits stays red.
  RgbImage image{2, 1, {248, 0, 0, 0, 0, 248}};
  DibOptions options;
  options.bits = 16;
  options.compression = 3;
  options.masks[0] = 0x001F, options.masks[1] = 0x03E0, options.masks[2] = 0x7C00;
  EXPECT_EQ(ReadPicturePayload(writer::BitmapPictureData(image, options))->Pixels().rgb,
            (std::vector<uint8_t>{255, 0, 0, 0, 0, 255}));
}

TEST(BitmapPayload, EveryDepthAndOrderReadsBack) {
  for (int bits : {1, 4, 8, 24, 32}) {
    for (bool top_down : {false, true}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, top-down " << top_down);
      const RgbImage image =
          bits <= 8 ? FewColourImage(7, 4, 1 << std::min(bits, 3)) : PatternImage(7, 4);
      DibOptions options;
      options.bits = bits;
      options.top_down = top_down;
      auto picture = ReadPicturePayload(writer::BitmapPictureData(image, options));
      EXPECT_EQ(picture->bits_per_pixel(), bits);
      EXPECT_EQ(picture->Pixels().rgb, image.rgb);
    }
  }
  DibOptions core;
  core.core_header = true;
  core.bits = 8;
  EXPECT_EQ(
      ReadPicturePayload(writer::BitmapPictureData(FewColourImage(3, 3, 5), core))->Pixels().rgb,
      FewColourImage(3, 3, 5).rgb);
}

TEST(BitmapPayload, PixelOffsetIsHonouredWhenSensible) {
  const RgbImage image = PatternImage(2, 2);
  std::vector<uint8_t> file = EncodeBmpFile(image, {});
  // Four spare bytes between header and pixels, as some writers leave.
  file.insert(file.begin() + 54, {9, 9, 9, 9});
  Put32(file, 10, 58);
  EXPECT_EQ(ReadPicturePayload(BitmapValue(file))->Pixels().rgb, image.rgb);
  // An offset into the header or past the end is ignored: the pixels follow the header.
  for (uint32_t offset : {3u, 100000u}) {
    file = EncodeBmpFile(image, {});
    Put32(file, 10, offset);
    EXPECT_EQ(ReadPicturePayload(BitmapValue(file))->Pixels().rgb, image.rgb);
  }
}

TEST(BitmapPayload, RunLengthAndPalette) {
  DibOptions options;
  options.bits = 8;
  options.compression = 1;
  options.palette = {{0, 0, 255, 9}, {0, 255, 0, 9}, {255, 0, 0, 9}};
  const writer::IndexedImage image{5, 2, {0, 0, 0, 1, 2, 2, 2, 1, 1, 1}};
  auto picture = ReadPicturePayload(writer::BitmapPictureData(image, options));
  EXPECT_EQ(picture->Pixels().rgb,
            (std::vector<uint8_t>{255, 0, 0,   255, 0, 0,   255, 0,   0, 0, 255, 0, 0, 0,   255,
                                  0,   0, 255, 0,   0, 255, 0,   255, 0, 0, 255, 0, 0, 255, 0}));
  // The palette is its own colours only, with the reserved byte cleared.
  EXPECT_EQ(picture->OfferedColors(),
            (std::vector<Bgr0>{{0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}}));
  EXPECT_TRUE(ReadPicturePayload(writer::BitmapPictureData(PatternImage(2, 2), {}))
                  ->OfferedColors()
                  .empty());
}

}  // namespace
}  // namespace kv
