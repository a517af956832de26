// The display's copy is decoded straight to 565 for every kind of picture; it must be the very
// pixels that converting the RGB decode gives, whatever the depth, layout or damage.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/dib_pixels.h"
#include "media/picture.h"
#include "tests/media/picture_test_support.h"
#include "tools/writer/picture_writer.h"

namespace kv {
namespace {

using test::FewColourImage;
using test::PatternImage;

void ExpectSameAsConverted(const std::vector<uint8_t>& value, const std::string& what) {
  SCOPED_TRACE(what);
  auto direct = ReadPicturePayload(value);
  auto through_rgb = ReadPicturePayload(value);
  const Image565 expected = ConvertTo565(through_rgb->Pixels());
  const Image565 got = direct->Pixels565();
  EXPECT_EQ(got.width, expected.width);
  EXPECT_EQ(got.height, expected.height);
  EXPECT_EQ(got.pixels, expected.pixels);
  // Asked again after the RGB decode, the picture converts what it holds and lets it go.
  EXPECT_EQ(through_rgb->Pixels565().pixels, expected.pixels);
}

TEST(Pixels565, EveryDepthAndLayoutDecodesAsTheRgbPicture) {
  const RgbImage pattern = PatternImage(13, 7);
  for (int bits : {16, 24, 32}) {
    for (bool top_down : {false, true}) {
      const writer::DibOptions options{.bits = bits, .top_down = top_down};
      ExpectSameAsConverted(writer::DibPictureData(pattern, options),
                            "TDIB " + std::to_string(bits) + (top_down ? " top-down" : ""));
      ExpectSameAsConverted(writer::BitmapPictureData(pattern, options),
                            "TBitmap " + std::to_string(bits));
    }
  }
  const writer::DibOptions fields{.bits = 16, .compression = 3, .masks = {0x7C00, 0x03E0, 0x001F}};
  ExpectSameAsConverted(writer::DibPictureData(pattern, fields), "TDIB 5-5-5 fields");
  for (int bits : {1, 4, 8}) {
    const RgbImage few = FewColourImage(13, 7, bits == 1 ? 2 : 16);
    ExpectSameAsConverted(writer::DibPictureData(few, {.bits = bits}),
                          "TDIB " + std::to_string(bits));
    ExpectSameAsConverted(writer::BitmapPictureData(few, {.bits = bits, .core_header = true}),
                          "TBitmap core " + std::to_string(bits));
  }
  const RgbImage few = FewColourImage(13, 7, 16);
  ExpectSameAsConverted(writer::DibPictureData(few, {.bits = 8, .compression = 1}), "RLE8");
  ExpectSameAsConverted(writer::DibPictureData(few, {.bits = 4, .compression = 2}), "RLE4");
  ExpectSameAsConverted(writer::JpegPictureData(pattern, 90, false), "JPEG colour");
  ExpectSameAsConverted(writer::JpegPictureData(pattern, 90, true), "JPEG grey");
}

TEST(Pixels565, DamagedPixelDataDecodesAsTheRgbPicture) {
  DibPixels dib;
  dib.width = 9;
  dib.height = 6;
  for (int i = 0; i < 256; ++i) dib.table[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7), 0};
  const auto same = [&](const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(DecodeDibPixels565(dib).pixels, ConvertTo565(DecodeDibPixels(dib)).pixels);
  };
  dib.bits = 24;
  dib.data.assign(DibRowBytes(9, 24) * 4, 0x5A);  // two rows short: the top ones stay black
  same("24 bits, rows missing");
  dib.bits = 8;
  dib.compression = kDibRle8;
  // A run, a delta that leaves the picture, a run past the row's end, an early end.
  dib.data = {4, 17, 0, 2, 20, 1, 12, 200, 0, 1};
  same("RLE8 damaged");
  dib.bits = 4;
  dib.compression = kDibRle4;
  dib.data = {5, 0x3C, 0, 0, 3, 0x12, 0, 3, 0x45, 0x60};
  same("RLE4 absolute run and early end of line");
}

}  // namespace
}  // namespace kv
