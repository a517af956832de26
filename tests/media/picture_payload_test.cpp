#include <gtest/gtest.h>

#include "media/picture_test_support.h"
#include "tools/writer/picture_writer.h"

namespace kv {
namespace {

using test::LoadError;
using writer::PictureData;

TEST(PicturePayload, UnknownKindsGiveAnEmptyPicture) {
  const std::vector<uint8_t> junk{1, 2, 3};
  for (const char* name : {"tdib", "TDib", "TPngImage", ""}) {
    SCOPED_TRACE(name);
    auto picture = ReadPicturePayload(PictureData(name, junk));
    EXPECT_EQ(picture->kind(), PictureKind::kEmpty);
    EXPECT_STREQ(picture->ClassName(), "empty");
    EXPECT_TRUE(picture->empty());
    EXPECT_TRUE(picture->OfferedColors().empty());
  }
  // Names longer than 63 bytes are outside the format, even with no name bytes behind them.
  auto long_name = ReadPicturePayload(std::vector<uint8_t>{64, 'T'});
  EXPECT_EQ(long_name->kind(), PictureKind::kEmpty);
}

TEST(PicturePayload, ValueTooShortForItsName) {
  EXPECT_EQ(LoadError({}), "Stream read error");
  EXPECT_EQ(LoadError({4, 'T', 'D', 'I'}), "Stream read error");
}

TEST(PicturePayload, IconsAndMetafilesAreRecognisedButNotDrawn) {
  auto icon = ReadPicturePayload(PictureData("TIcon", std::vector<uint8_t>{0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(icon->kind(), PictureKind::kIcon);
  EXPECT_STREQ(icon->ClassName(), "TIcon");
  EXPECT_TRUE(icon->empty());

  auto metafile =
      ReadPicturePayload(PictureData("TMetafile", std::vector<uint8_t>{2, 0, 0, 0, 7, 7}));
  EXPECT_EQ(metafile->kind(), PictureKind::kMetafile);
  EXPECT_STREQ(metafile->ClassName(), "TMetafile");
  EXPECT_TRUE(metafile->empty());
  EXPECT_EQ(LoadError(PictureData("TMetafile", std::vector<uint8_t>{3, 0, 0, 0, 7, 7})),
            "Stream read error");
  EXPECT_EQ(LoadError(PictureData("TMetafile", std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF})),
            "Stream read error");
}

TEST(PicturePayload, MakeEmptyPicture) {
  auto picture = MakeEmptyPicture();
  EXPECT_EQ(picture->kind(), PictureKind::kEmpty);
  EXPECT_EQ(picture->bits_per_pixel(), 0);
  EXPECT_TRUE(picture->Pixels().rgb.empty());
}

}  // namespace
}  // namespace kv
