#include "media/jpeg_picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

#include "media/picture_test_support.h"
#include "tools/writer/picture_writer.h"

namespace kv {
namespace {

using test::ErrorOf;
using test::LoadError;
using test::PatternImage;
using writer::JpegPictureData;
using writer::LengthPrefixed;
using writer::PictureData;

std::vector<uint8_t> JpegValue(const std::vector<uint8_t>& stream) {
  return PictureData("TJPEGImage", LengthPrefixed(stream));
}

// A smooth picture, so that a high-quality JPEG of it stays close to the source.
RgbImage SmoothImage(int width, int height) {
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgb.push_back(static_cast<uint8_t>(x * 255 / width));
      image.rgb.push_back(static_cast<uint8_t>(y * 255 / height));
      image.rgb.push_back(128);
    }
  }
  return image;
}

int MaxDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  int worst = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    worst = std::max(worst, std::abs(a[i] - b[i]));
  return worst;
}

TEST(JpegPayload, LengthRules) {
  auto empty = ReadPicturePayload(PictureData("TJPEGImage", std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_STREQ(empty->ClassName(), "TJPEGImage");
  EXPECT_TRUE(empty->empty());
  EXPECT_EQ(empty->bits_per_pixel(), 0);
  EXPECT_TRUE(empty->Pixels().rgb.empty());

  std::vector<uint8_t> value = JpegPictureData(SmoothImage(8, 8), 75, false);
  value.pop_back();
  EXPECT_EQ(LoadError(value), "Stream read error");
  EXPECT_EQ(LoadError(PictureData("TJPEGImage", std::vector<uint8_t>{5, 0})), "Stream read error");
  EXPECT_EQ(LoadError(PictureData("TJPEGImage", std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF})),
            "Stream read error");
}

TEST(JpegPayload, HeaderIsReadAtLoadAndPixelsOnFirstUse) {
  const RgbImage image = SmoothImage(21, 13);
  auto colour = ReadPicturePayload(JpegPictureData(image, 95, false));
  auto& jpeg = dynamic_cast<JpegPicture&>(*colour);
  EXPECT_EQ(colour->width(), 21);
  EXPECT_EQ(colour->height(), 13);
  EXPECT_EQ(colour->bits_per_pixel(), 24);
  EXPECT_FALSE(jpeg.header().grey);
  EXPECT_FALSE(jpeg.header().progressive);
  EXPECT_FALSE(jpeg.decoded());
  EXPECT_LE(MaxDifference(colour->Pixels().rgb, image.rgb), 12);
  EXPECT_TRUE(colour->OfferedColors().empty());

  auto progressive = ReadPicturePayload(JpegPictureData(image, 95, false, true));
  EXPECT_TRUE(dynamic_cast<JpegPicture&>(*progressive).header().progressive);
  EXPECT_LE(MaxDifference(progressive->Pixels().rgb, image.rgb), 12);
}

TEST(JpegPayload, GreyPicturesDecodeThroughTheQuantiser) {
  auto grey = ReadPicturePayload(JpegPictureData(SmoothImage(40, 30), 90, true));
  EXPECT_EQ(grey->bits_per_pixel(), 8);
  EXPECT_TRUE(grey->OfferedColors().empty());  // no palette before decoding
  const RgbImage& pixels = grey->Pixels();
  const std::vector<Bgr0> palette = grey->OfferedColors();
  ASSERT_EQ(palette.size(), 236u);
  EXPECT_EQ(palette.front(), (Bgr0{0, 0, 0, 0}));
  EXPECT_EQ(palette.back(), (Bgr0{255, 255, 255, 0}));
  for (size_t i = 0; i < pixels.rgb.size(); i += 3) {
    const Bgr0 entry{pixels.rgb[i + 2], pixels.rgb[i + 1], pixels.rgb[i], 0};
    ASSERT_NE(std::find(palette.begin(), palette.end(), entry), palette.end()) << "pixel " << i / 3;
  }
  // Released once the display has its copy, the pixels decode again the same, and the palette
  // is not offered twice.
  const std::vector<uint8_t> first = pixels.rgb;
  grey->ReleasePixels();
  EXPECT_EQ(grey->Pixels().rgb, first);
  EXPECT_EQ(grey->OfferedColors(), palette);
}

TEST(JpegPayload, LibraryErrorsCarryTheirNumber) {
  EXPECT_EQ(LoadError(JpegValue({1, 2, 3, 4, 5})), Format("JPEG error #%d", JERR_NO_SOI));

  // A stream cut after its header loads, and decodes with the missing part filled in.
  std::vector<uint8_t> stream = writer::EncodeJpeg(PatternImage(32, 32), 90, false);
  stream.resize(stream.size() / 2 + 300);
  auto cut = ReadPicturePayload(JpegValue(stream));
  EXPECT_EQ(cut->Pixels().rgb.size(), 32u * 32 * 3);
}

TEST(JpegPayload, GiantDimensionsAreRefusedAtLoad) {
  std::vector<uint8_t> stream = writer::EncodeJpeg(SmoothImage(8, 8), 50, false);
  // The frame header: FF C0, length, precision, then height and width, big-endian.
  for (size_t i = 0; i + 8 < stream.size(); ++i) {
    if (stream[i] == 0xFF && stream[i + 1] == 0xC0) {
      stream[i + 5] = stream[i + 7] = 0xFF;
      stream[i + 6] = stream[i + 8] = 0x00;
      break;
    }
  }
  EXPECT_EQ(LoadError(JpegValue(stream)), Format("JPEG error #%d", JERR_IMAGE_TOO_BIG));
}

TEST(JpegPayload, DecodeFailureIsReportedOnEveryUse) {
  // The header names Huffman tables that are never defined; only decoding looks them up.
  std::vector<uint8_t> stream = writer::EncodeJpeg(SmoothImage(8, 8), 50, false);
  size_t scan = 0;
  for (size_t i = 0; i + 1 < stream.size(); ++i) {
    if (stream[i] == 0xFF && stream[i + 1] == 0xDA) scan = i;
  }
  ASSERT_NE(scan, 0u);
  stream[scan + 6] = 0x33;  // first component: DC and AC table 3
  auto picture = ReadPicturePayload(JpegValue(stream));
  const std::string first = ErrorOf([&] { picture->Pixels(); });
  EXPECT_EQ(first.rfind("JPEG error #", 0), 0u) << first;
  EXPECT_EQ(ErrorOf([&] { picture->Pixels(); }), first);
}

}  // namespace
}  // namespace kv
