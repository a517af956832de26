// What loading pictures may cost: one picture, and all pictures of a display's collections.
// The files here are small, but declare pictures that would take gigabytes.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "media/dxdraw.h"
#include "media/image_list.h"
#include "media/picture_collection.h"
#include "platform/error.h"
#include "platform/platform.h"
#include "support/hostile_files.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace kv {
namespace {

constexpr const char* kItemWrap =
    "Error reading TPictureCollectionComponent.List: Error reading "
    "TPictureCollectionItem.Picture.Data: ";

std::string LoadError(TPictureCollection& images, const std::vector<uint8_t>& file) {
  try {
    images.LoadCollectionStream(file);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

std::vector<uint8_t> OneItem(const std::string& name, std::vector<uint8_t> picture_data) {
  writer::PictureItemEntry item;
  item.name = name;
  item.picture_data = std::move(picture_data);
  return writer::WriteImageCollection({item});
}

TEST(PictureBudget, PicturesOfEveryKindAreCappedAtSixtyFourMebipixels) {
  TPictureCollection images;
  // Exactly at the cap loads; the pixel block of an uncompressed picture is in the file.
  EXPECT_EQ(LoadError(images, test::UncompressedPicture(8192, 8192)), "no error");
  EXPECT_EQ(LoadError(images, test::UncompressedPicture(16384, 4097)),
            std::string(kItemWrap) +
                "Image 'Plain' (item 0) is too large: 16384x4097 pixels, more than 67108864 in "
                "one picture");
  EXPECT_EQ(LoadError(images, OneItem("Rle", test::RunLengthPicture(8193, 8192))),
            std::string(kItemWrap) +
                "Image 'Rle' (item 0) is too large: 8193x8192 pixels, more than 67108864 in one "
                "picture");
  // A payload read on its own keeps its kind's message.
  EXPECT_THROW(ReadPicturePayload(test::RunLengthPicture(8193, 8192)), PictureTooLarge);
}

TEST(PictureBudget, JpegHeadersAreHeldToTheSameCap) {
  std::vector<uint8_t> stream =
      writer::EncodeJpeg(RgbImage{8, 8, std::vector<uint8_t>(192)}, 50, false);
  // The frame header: FF C0, length, precision, then height and width, big-endian.
  for (size_t i = 0; i + 8 < stream.size(); ++i) {
    if (stream[i] == 0xFF && stream[i + 1] == 0xC0) {
      stream[i + 5] = stream[i + 7] = 0xFF;
      stream[i + 6] = stream[i + 8] = 0x00;
      break;
    }
  }
  TPictureCollection images;
  EXPECT_EQ(LoadError(images, OneItem("Photo", writer::PictureData(
                                                   "TJPEGImage", writer::LengthPrefixed(stream)))),
            std::string(kItemWrap) +
                "Image 'Photo' (item 0) is too large: 65280x65280 pixels, more than 67108864 in "
                "one picture");
}

TEST(PictureBudget, AllPicturesOfACollectionTogetherAtMostTheTotal) {
  TPictureCollection images;
  // Forty items of 82 bytes that would be 2.6 G pixels: the third one does not fit.
  EXPECT_EQ(LoadError(images, test::ManyLargePictures(40, 8192, 8192)),
            std::string(kItemWrap) +
                "Image 'Big2' (item 2) is too large: 8192x8192 pixels bring all pictures to "
                "201326592, more than 134217728");
  // Items read before the failure stay, as with every failed load.
  EXPECT_EQ(images.Count(), 3);
  EXPECT_EQ(images.DeclaredPixels(), uint64_t{128} << 20);
}

TEST(PictureBudget, ReplacedPicturesNoLongerCount) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart();
  // The same item given three giant pictures in turn, then none: only one counts at a time.
  for (int i = 0; i < 3; ++i)
    writer::WriteBinaryProperty(w, "Picture.Data", test::RunLengthPicture(8192, 8192));
  w.PropertyName("Picture");
  w.Nil();
  w.End();
  w.ItemStart();
  writer::WriteBinaryProperty(w, "Picture.Data", test::RunLengthPicture(8192, 8192));
  w.End();
  w.ItemStart();
  writer::WriteBinaryProperty(w, "Picture.Data", test::RunLengthPicture(8192, 8192));
  w.End();
  w.End();
  // A second list replaces the first, and its pictures start from nothing.
  w.PropertyName("List");
  w.CollectionStart();
  for (int i = 0; i < 2; ++i) {
    w.ItemStart();
    writer::WriteBinaryProperty(w, "Picture.Data", test::RunLengthPicture(8192, 8192));
    w.End();
  }
  w.End();
  writer::FinishRoot(w);
  TPictureCollection images;
  EXPECT_EQ(LoadError(images, w.Take()), "no error");
  EXPECT_EQ(images.Count(), 2);
}

TEST(PictureBudget, TheTotalCountsEveryCollectionOfTheDisplay) {
  std::unique_ptr<Platform> platform = MakeHeadlessPlatform();
  TDXDraw draw(*platform);
  TDXImageList first(&draw), second(&draw), elsewhere(nullptr);
  ASSERT_EQ(LoadError(first.Items, test::ManyLargePictures(1, 8192, 8192)), "no error");
  ASSERT_EQ(LoadError(second.Items, test::ManyLargePictures(1, 8192, 8192)), "no error");
  // Full: one pixel more fails as the load of the file that brings it.
  EXPECT_EQ(LoadError(elsewhere.Items, test::ManyLargePictures(1, 8192, 8192)), "no error");
  TDXImageList third(&draw);
  EXPECT_EQ(LoadError(third.Items, test::ManyLargePictures(1, 1, 1)),
            std::string(kItemWrap) +
                "Image 'Big0' (item 0) is too large: 1x1 pixels bring all pictures to "
                "134217729, more than 134217728");
  // A collection loaded again counts what it holds now, not what it held before.
  ASSERT_EQ(LoadError(first.Items, test::ManyLargePictures(1, 8192, 8191)), "no error");
  EXPECT_EQ(LoadError(third.Items, test::ManyLargePictures(1, 8192, 1)), "no error");
  EXPECT_EQ(LoadError(first.Items, test::ManyLargePictures(1, 8192, 8192)),
            std::string(kItemWrap) +
                "Image 'Big0' (item 0) is too large: 8192x8192 pixels bring all pictures to "
                "134225920, more than 134217728");
}

TEST(PictureBudget, SmallerBudgetsAreHonoured) {
  TPictureCollection images;
  images.budget = PictureBudget{.picture_pixels = 100, .total_pixels = 150};
  EXPECT_EQ(LoadError(images, test::ManyLargePictures(1, 10, 10)), "no error");
  EXPECT_EQ(LoadError(images, test::ManyLargePictures(1, 11, 10)),
            std::string(kItemWrap) +
                "Image 'Big0' (item 0) is too large: 11x10 pixels, more than 100 in one picture");
  EXPECT_EQ(LoadError(images, test::ManyLargePictures(2, 10, 10)),
            std::string(kItemWrap) +
                "Image 'Big1' (item 1) is too large: 10x10 pixels bring all pictures to 200, more "
                "than 150");
}

}  // namespace
}  // namespace kv
