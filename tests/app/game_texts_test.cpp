// The data folder's texts and info pictures at start-up: an older folder without them keeps the
// placeholder story and the empty info boxes without a word; a folder with them shows them; a
// faulty texts file stops the start like any broken data file.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "newgame/intro.h"
#include "platform/cp1250.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace kv::test {
namespace {

constexpr Color kInfoColor = Rgb(200, 40, 120);

void WriteFile(const std::string& path, const std::string& utf8) {
  std::ofstream(path, std::ios::binary) << utf8;
}

// graphic2.dat again, with the race člověk's info picture after the portraits.
void WriteInfoPicture(const std::string& data) {
  std::vector<writer::PictureItemEntry> items;
  writer::DibOptions options;
  options.bits = 24;
  const auto flat = [&](const std::string& name, int w, int h, Color c) {
    writer::PictureItemEntry item;
    item.name = name;
    RgbImage image{w, h, {}};
    for (int i = 0; i < w * h; ++i) {
      image.rgb.insert(image.rgb.end(),
                       {static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF),
                        static_cast<uint8_t>((c >> 16) & 0xFF)});
    }
    item.picture_data = writer::DibPictureData(image, options);
    item.transparent = false;
    items.push_back(std::move(item));
  };
  flat("Logo", 100, 100, ItemColor("Logo"));
  for (int i = 1; i <= 25; ++i) flat("Portrait" + std::to_string(i), 80, 80, Rgb(0, 0, i));
  flat("Info7", 30, 20, kInfoColor);
  ASSERT_TRUE(writer::WriteFile(data + "/graphic2.dat", writer::WriteImageCollection(items)));
}

class WithoutTexts : public GameTest {};

TEST_F(WithoutTexts, KeepThePlaceholderAndEmptyInfoBoxesSilently) {
  ASSERT_TRUE(started_);
  EXPECT_TRUE(app_->errors().empty());
  const TNewgame& newgame = form_->Newgame();
  for (const auto& page : newgame.Intro->Texts) {
    EXPECT_EQ(std::string(page.data()), IntroPlaceholderText());
  }
  for (const auto& entry : newgame.InfoTexts) EXPECT_EQ(entry[0], '\0');
  for (int i = 0; i < 11; ++i) EXPECT_TRUE(form_->InfoPicture(i).empty()) << i;
}

class WithTexts : public GameTest {
 protected:
  static void SetUpTestSuite() {
    GameTest::SetUpTestSuite();
    const std::string data = *data_dir_ / "data";
    WriteFile(data + "/texts.txt",
              "# test\n[intro 2]\nDruhá stránka\npříběhu.\n[race 1]\nLidé jsou všude.\n");
    WriteInfoPicture(data);
  }
};

TEST_F(WithTexts, FillTheirPagesAndLeaveTheOthersAsTheyWere) {
  ASSERT_TRUE(started_);
  EXPECT_TRUE(app_->errors().empty());
  TNewgame& newgame = form_->Newgame();
  EXPECT_EQ(cp1250::ToUtf8(newgame.Intro->Texts[1].data()), "Druhá stránka příběhu.");
  EXPECT_EQ(std::string(newgame.Intro->Texts[0].data()), IntroPlaceholderText());
  EXPECT_EQ(cp1250::ToUtf8(newgame.InfoTexts[7].data()), "Lidé jsou všude.");
  EXPECT_EQ(newgame.InfoTexts[6][0], '\0');
  EXPECT_TRUE(form_->InfoPicture(6).empty());

  Run("click 300 450");  // New
  Run("click 170 450");  // the race's "i": člověk, entry 7
  ASSERT_EQ(newgame.Page, 1);
  EXPECT_EQ(Pixel(100, 200), To565(kInfoColor));
  EXPECT_EQ(Pixel(129, 219), To565(kInfoColor));
  EXPECT_NE(Pixel(130, 220), To565(kInfoColor));

  // The intro, begun anew, still tells the data's story.
  Run("click 10 10");
  for (int i = 0; i < 3; ++i) Run("click 400 555");
  ASSERT_EQ(newgame.Intro->Page, 1);
  EXPECT_EQ(cp1250::ToUtf8(newgame.Intro->Texts[1].data()), "Druhá stránka příběhu.");
}

class WithFaultyTexts : public GameTest {
 protected:
  static void SetUpTestSuite() {
    GameTest::SetUpTestSuite();
    WriteFile(*data_dir_ / "data/texts.txt", "[intro 1]\nDobře.\n[intro 1]\nZnovu.\n");
  }
};

TEST_F(WithFaultyTexts, StopTheStartWithTheLineAndTheReason) {
  EXPECT_FALSE(started_);
  EXPECT_EQ(app_->errors(),
            std::vector<std::string>{"Line 3: section [intro 1] appears twice (first at line 1)"});
}

}  // namespace
}  // namespace kv::test
