#include <gtest/gtest.h>

#include "media/dib.h"
#include "media/picture_test_support.h"
#include "media/run_length.h"
#include "tools/writer/picture_writer.h"

namespace kv {
namespace {

using test::LoadError;
using writer::IndexedImage;

// Expands and turns the rows top-down, so expectations read like the picture.
std::vector<uint8_t> Expand(std::vector<uint8_t> codes, int width, int height, bool four_bit) {
  const std::vector<uint8_t> bottom_up = ExpandRunLength(codes, width, height, four_bit);
  std::vector<uint8_t> top_down;
  for (int y = height - 1; y >= 0; --y) {
    top_down.insert(top_down.end(), bottom_up.begin() + y * width,
                    bottom_up.begin() + (y + 1) * width);
  }
  return top_down;
}

IndexedImage Indexes(int width, int height, int limit) {
  IndexedImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    // Runs, single pixels and stretches without repeats, all in one picture.
    image.index.push_back(static_cast<uint8_t>(i % 11 < 5 ? (i / 11) % limit : (i * 7) % limit));
  }
  return image;
}

TEST(RunLength, EncodedPicturesRoundTripThroughTheDibKind) {
  for (int compression : {1, 2}) {
    for (int width : {1, 7, 37}) {
      SCOPED_TRACE(testing::Message() << "compression " << compression << " width " << width);
      const int limit = compression == 1 ? 256 : 16;
      const IndexedImage image = Indexes(width, 5, limit);
      writer::DibOptions options;
      options.bits = compression == 1 ? 8 : 4;
      options.compression = compression;
      for (int i = 0; i < limit; ++i) {
        options.palette.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 9, 0});
      }
      auto picture = ReadPicturePayload(writer::DibPictureData(image, options));
      EXPECT_EQ(dynamic_cast<DibPicture&>(*picture).compression(), uint32_t(compression));
      const RgbImage& pixels = picture->Pixels();
      ASSERT_EQ(pixels.rgb.size(), image.index.size() * 3);
      for (size_t i = 0; i < image.index.size(); ++i) {
        ASSERT_EQ(pixels.rgb[i * 3 + 1], 255 - image.index[i]) << "pixel " << i;
      }
    }
  }
}

TEST(RunLength, CodesOfEveryKind) {
  // Bottom row: a run of 2 x 7, then an absolute stretch 1 2 3 (padded); end of line.
  // Next row up: move right 1 and up 1 (to the top row), then a run of 1 x 9; end of picture.
  EXPECT_EQ(Expand({2, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 1, 9, 0, 1}, 5, 3, false),
            (std::vector<uint8_t>{0, 9, 0, 0, 0,  //
                                  0, 0, 0, 0, 0,  //
                                  7, 7, 1, 2, 3}));
  // Four-bit: nibbles alternate within a run; an odd absolute stretch takes 2 bytes.
  EXPECT_EQ(Expand({3, 0x12, 0, 3, 0x45, 0x60, 0, 1}, 6, 1, true),
            (std::vector<uint8_t>{1, 2, 1, 4, 5, 6}));
}

TEST(RunLength, CodesThatLeaveThePictureAreClipped) {
  // A run past the row's end is cut off, not wrapped onto the next row.
  EXPECT_EQ(Expand({6, 5, 0, 0, 1, 8}, 3, 2, false), (std::vector<uint8_t>{8, 0, 0, 5, 5, 5}));
  // An absolute stretch past the end, then a delta beyond the picture: nothing more lands.
  EXPECT_EQ(Expand({0, 4, 1, 2, 3, 4, 0, 2, 9, 9, 1, 6}, 2, 2, false),
            (std::vector<uint8_t>{0, 0, 1, 2}));
  // More rows than the picture has.
  EXPECT_EQ(Expand({0, 0, 0, 0, 0, 0, 1, 3}, 1, 2, false), (std::vector<uint8_t>{0, 0}));
}

TEST(RunLength, DataThatEndsEarlyLeavesIndexZero) {
  EXPECT_EQ(Expand({2, 4}, 3, 2, false), (std::vector<uint8_t>{0, 0, 0, 4, 4, 0}));
  EXPECT_EQ(Expand({0, 5, 1, 2}, 3, 1, false), (std::vector<uint8_t>{1, 2, 0}));
  EXPECT_EQ(Expand({0, 2, 1}, 2, 1, false), (std::vector<uint8_t>{0, 0}));
  EXPECT_EQ(Expand({0, 4, 0x12}, 4, 1, true), (std::vector<uint8_t>{1, 2, 0, 0}));
  EXPECT_EQ(Expand({7}, 2, 1, false), (std::vector<uint8_t>{0, 0}));
}

TEST(RunLength, TheDibKindReadsExactlyTheImageSize) {
  const IndexedImage image = Indexes(6, 3, 4);
  writer::DibOptions options;
  options.bits = 8;
  options.compression = 1;
  options.palette.assign(4, Bgr0{1, 1, 1, 0});
  std::vector<uint8_t> value = writer::DibPictureData(image, options);
  // Bytes after the run-length data are no part of it.
  value.push_back(0xEE);
  EXPECT_EQ(ReadPicturePayload(value)->width(), 6);
  value.resize(value.size() - 2);
  EXPECT_EQ(LoadError(value), "Stream read error");
}

TEST(RunLength, HugePicturesAreRefusedAtLoad) {
  // Four bytes of codes can describe any size; the expansion is never attempted.
  std::vector<uint8_t> dib =
      writer::EncodeDib(IndexedImage{1, 1, {0}}, {.bits = 8, .compression = 1, .palette = {{}}});
  for (int at : {4, 8}) dib[at + 2] = 1;  // width and height of 65537
  EXPECT_EQ(LoadError(writer::PictureData("TDIB", dib)), "DIB is invalid");
}

}  // namespace
}  // namespace kv
