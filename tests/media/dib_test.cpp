#include "media/dib.h"

#include <gtest/gtest.h>

#include "media/picture_test_support.h"
#include "tools/writer/picture_writer.h"

namespace kv {
namespace {

using test::ErrorOf;
using test::FewColourImage;
using test::LoadError;
using test::PatternImage;
using writer::DibOptions;
using writer::EncodeDib;
using writer::PictureData;

std::unique_ptr<Picture> LoadDib(const std::vector<uint8_t>& dib) {
  return ReadPicturePayload(PictureData("TDIB", dib));
}

DibPicture& AsDib(Picture& picture) {
  return dynamic_cast<DibPicture&>(picture);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// What a 5- or 6-bit field holds of an 8-bit value, expanded back to 8 bits.
uint8_t Through(uint8_t v, int bits) {
  const int field = v >> (8 - bits);
  return static_cast<uint8_t>(field << (8 - bits) | field >> (2 * bits - 8));
}

RgbImage Through16(const RgbImage& image, int green_bits) {
  RgbImage out = image;
  for (size_t i = 0; i < out.rgb.size(); ++i) {
    out.rgb[i] = Through(out.rgb[i], i % 3 == 1 ? green_bits : 5);
  }
  return out;
}

TEST(DibPayload, NoBytesGiveAnEmptyPicture) {
  auto picture = LoadDib({});
  EXPECT_STREQ(picture->ClassName(), "TDIB");
  EXPECT_TRUE(picture->empty());
  EXPECT_EQ(picture->width(), 0);
  EXPECT_EQ(picture->height(), 0);
  EXPECT_EQ(picture->bits_per_pixel(), 0);
  EXPECT_TRUE(picture->Pixels().rgb.empty());
}

TEST(DibPayload, MalformedHeadersAreInvalid) {
  for (size_t n = 1; n <= 3; ++n) {
    EXPECT_EQ(LoadError(PictureData("TDIB", std::vector<uint8_t>(n, 40))), "DIB is invalid");
  }
  const RgbImage image = PatternImage(3, 2);
  for (int size : {108, 124}) {
    DibOptions options;
    options.header_size = size;
    EXPECT_EQ(LoadError(PictureData("TDIB", EncodeDib(image, options))), "DIB is invalid");
  }
  std::vector<uint8_t> dib = EncodeDib(image, {});
  Put32(dib, 0, 16);
  EXPECT_EQ(LoadError(PictureData("TDIB", dib)), "DIB is invalid");

  dib = EncodeDib(image, {});
  Put32(dib, 4, static_cast<uint32_t>(-3));  // negative width
  EXPECT_EQ(LoadError(PictureData("TDIB", dib)), "DIB is invalid");
  dib = EncodeDib(RgbImage{}, {});
  Put32(dib, 8, 0x80000000u);  // a height with no positive twin
  EXPECT_EQ(LoadError(PictureData("TDIB", dib)), "DIB is invalid");

  dib = EncodeDib(image, {});
  dib.resize(30);  // header cut short
  EXPECT_EQ(LoadError(PictureData("TDIB", dib)), "Stream read error");
}

TEST(DibPayload, EveryDepthReadsBackItsPixels) {
  const RgbImage rgb = PatternImage(9, 5);
  struct Case {
    int bits;
    bool core;
    RgbImage source;
    RgbImage expected;
  };
  const std::vector<Case> cases = {
      {1, false, FewColourImage(9, 5, 2), FewColourImage(9, 5, 2)},
      {4, false, FewColourImage(9, 5, 16), FewColourImage(9, 5, 16)},
      {8, false, FewColourImage(9, 5, 11), FewColourImage(9, 5, 11)},
      {8, true, FewColourImage(9, 5, 11), FewColourImage(9, 5, 11)},
      {16, false, rgb, Through16(rgb, 5)},
      {24, false, rgb, rgb},
      {24, true, rgb, rgb},
      {32, false, rgb, rgb},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " bits, core " << c.core);
    DibOptions options;
    options.bits = c.bits;
    options.core_header = c.core;
    auto picture = LoadDib(EncodeDib(c.source, options));
    EXPECT_EQ(picture->width(), 9);
    EXPECT_EQ(picture->height(), 5);
    EXPECT_EQ(picture->bits_per_pixel(), c.bits);
    EXPECT_EQ(AsDib(*picture).header_size(), c.core ? 12 : 40);
    EXPECT_EQ(picture->Pixels().rgb, c.expected.rgb);
  }
}

TEST(DibPayload, TopDownRowsReadLikeTheirBottomUpTwin) {
  const RgbImage image = FewColourImage(6, 4, 7);
  DibOptions options;
  options.bits = 8;
  auto bottom_up = LoadDib(EncodeDib(image, options));
  options.top_down = true;
  auto top_down = LoadDib(EncodeDib(image, options));
  EXPECT_EQ(top_down->height(), 4);
  EXPECT_EQ(AsDib(*top_down).held().data, AsDib(*bottom_up).held().data);
  EXPECT_EQ(top_down->Pixels().rgb, image.rgb);
}

TEST(DibPayload, RowsArePaddedToWholeWords) {
  const RgbImage image = PatternImage(3, 2);
  auto picture = LoadDib(EncodeDib(image, {}));
  EXPECT_EQ(AsDib(*picture).held().data.size(), 24u);
  EXPECT_EQ(picture->Pixels().rgb, image.rgb);
}

TEST(DibPayload, ColourCountRules) {
  DibOptions options;
  options.bits = 4;
  options.colour_count = 0;
  auto four = LoadDib(EncodeDib(FewColourImage(5, 3, 9), options));
  EXPECT_EQ(AsDib(*four).colour_count(), 16u);

  // 300 entries are more than a table holds: 256 are read, and the pixels follow them.
  options.bits = 8;
  options.colour_count = 300;
  const RgbImage eight_source = FewColourImage(5, 3, 16);
  auto eight = LoadDib(EncodeDib(eight_source, options));
  EXPECT_EQ(AsDib(*eight).colour_count(), 256u);
  EXPECT_EQ(eight->Pixels().rgb, eight_source.rgb);

  std::vector<uint8_t> dib = EncodeDib(eight_source, {.bits = 8});
  Put32(dib, 32, 0x80000000u);
  EXPECT_EQ(LoadError(PictureData("TDIB", dib)), "DIB is invalid");

  // A true-colour picture may carry a table; it is read and kept, and the pixels follow it.
  DibOptions rgb_options;
  rgb_options.palette = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
  const RgbImage rgb = PatternImage(4, 2);
  auto rgb_picture = LoadDib(EncodeDib(rgb, rgb_options));
  EXPECT_EQ(AsDib(*rgb_picture).colour_count(), 3u);
  EXPECT_EQ((AsDib(*rgb_picture).color_table()[2]), (Bgr0{7, 8, 9, 0}));
  EXPECT_EQ(rgb_picture->Pixels().rgb, rgb.rgb);
}

TEST(DibPayload, BitFieldMasksCountOnlyByTheirWidths) {
  const RgbImage image = PatternImage(5, 3);
  DibOptions options;
  options.bits = 16;
  options.compression = 3;
  options.masks[0] = 0xF800, options.masks[1] = 0x07E0, options.masks[2] = 0x001F;
  auto rgb565 = LoadDib(EncodeDib(image, options));
  EXPECT_EQ(AsDib(*rgb565).layout(), (std::array<int, 3>{5, 6, 5}));
  EXPECT_EQ(rgb565->Pixels().rgb, Through16(image, 6).rgb);

  // Red in the low bits: the layout still puts red at the top, so red and blue trade places.
  options.masks[0] = 0x001F, options.masks[1] = 0x03E0, options.masks[2] = 0x7C00;
  auto swapped = LoadDib(EncodeDib(image, options));
  EXPECT_EQ(AsDib(*swapped).layout(), (std::array<int, 3>{5, 5, 5}));
  RgbImage expected = Through16(image, 5);
  for (size_t i = 0; i < expected.rgb.size(); i += 3)
    std::swap(expected.rgb[i], expected.rgb[i + 2]);
  EXPECT_EQ(swapped->Pixels().rgb, expected.rgb);

  options.masks[0] = 0xF00, options.masks[1] = 0x0F0, options.masks[2] = 0x00F;
  EXPECT_EQ(LoadError(PictureData("TDIB", EncodeDib(image, options))), "PixelFormat in invalid");
  options.bits = 32;
  options.masks[0] = 0xFF0000, options.masks[1] = 0xFF00, options.masks[2] = 0xFF;
  EXPECT_EQ(LoadDib(EncodeDib(image, options))->Pixels().rgb, image.rgb);
}

TEST(DibPayload, FormatChecks) {
  const RgbImage image = FewColourImage(4, 2, 2);
  DibOptions options;
  options.bits = 1;
  std::vector<uint8_t> dib = EncodeDib(image, options);
  dib[14] = 2;
  EXPECT_EQ(LoadError(PictureData("TDIB", dib)), "Bitcount in invalid (2)");

  options.bits = 8;
  options.compression = 3;
  options.masks[0] = 0x7C00, options.masks[1] = 0x3E0, options.masks[2] = 0x1F;
  EXPECT_EQ(LoadError(PictureData("TDIB", EncodeDib(image, options))), "PixelFormat in invalid");

  dib = EncodeDib(PatternImage(4, 2), {});
  Put32(dib, 16, 5);  // a compression the kind does not know
  EXPECT_EQ(LoadError(PictureData("TDIB", dib)), "DIB is invalid");
}

TEST(DibPayload, PixelsMustAllBeThereAndNothingMore) {
  std::vector<uint8_t> dib = EncodeDib(PatternImage(5, 4), {});
  std::vector<uint8_t> longer = dib;
  longer.insert(longer.end(), {1, 2, 3, 4, 5});
  EXPECT_EQ(LoadDib(longer)->Pixels().rgb, PatternImage(5, 4).rgb);
  dib.pop_back();
  EXPECT_EQ(LoadError(PictureData("TDIB", dib)), "Stream read error");

  // A huge declared size fails on the bytes it lacks, before anything is allocated for it.
  for (int32_t height : {0x7FFFFFFF, -0x7FFFFFFF}) {
    std::vector<uint8_t> huge = EncodeDib(PatternImage(1, 1), {.bits = 32});
    Put32(huge, 4, 0x7FFFFFFF);
    Put32(huge, 8, static_cast<uint32_t>(height));
    EXPECT_EQ(LoadError(PictureData("TDIB", huge)), "Stream read error");
  }
  // No width, countless top-down rows: nothing to read and nothing to turn over.
  std::vector<uint8_t> no_width = EncodeDib(RgbImage{}, {});
  Put32(no_width, 8, static_cast<uint32_t>(-0x7FFFFFFF));
  EXPECT_TRUE(LoadDib(no_width)->empty());
}

TEST(DibPayload, OfferedColoursAreTheWholeTableForPaletteDepths) {
  DibOptions options;
  options.bits = 4;
  options.palette = {{10, 20, 30, 0}, {40, 50, 60, 7}};
  writer::IndexedImage indexed{2, 1, {0, 5}};
  auto picture = LoadDib(EncodeDib(indexed, options));
  const std::vector<Bgr0> offered = picture->OfferedColors();
  ASSERT_EQ(offered.size(), 256u);
  EXPECT_EQ(offered[1], (Bgr0{40, 50, 60, 7}));
  EXPECT_EQ(offered[2], (Bgr0{}));
  // Index 5 lies beyond the two colours: its entry is zero, so the pixel is black.
  EXPECT_EQ(picture->Pixels().rgb, (std::vector<uint8_t>{30, 20, 10, 0, 0, 0}));

  EXPECT_TRUE(LoadDib(EncodeDib(PatternImage(2, 2), {}))->OfferedColors().empty());
}

}  // namespace
}  // namespace kv
