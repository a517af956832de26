// The default data directory as the game sees it: every file loaded with the game's own
// collection readers, every picture the screens look up present at the size its rectangle
// wants, keyed where it must be and opaque where it must cover, and the build repeatable.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "media/picture_collection.h"
#include "media/wave_collection.h"
#include "platform/cp1250.h"
#include "platform/image565.h"
#include "support/test_support.h"
#include "tools/art/build_data.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

const char* const kImageFiles[] = {"graphic1.dat", "graphic2.dat", "intro.dat",   "graphic3.dat",
                                   "base.dat",     "add.dat",      "objects.dat", "hero.dat"};

std::vector<uint8_t> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One build shared by the whole suite (it paints several megabytes of pictures), plus a second
// one to compare with.
class DataBuild : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    first_ = new test::TempDir;
    second_ = new test::TempDir;
    first_status_ = BuildDataDirectory(first_->path().string());
    second_status_ = BuildDataDirectory(second_->path().string());
  }
  static void TearDownTestSuite() {
    delete first_;
    delete second_;
  }
  void SetUp() override { ASSERT_EQ(first_status_, 0); }

  static fs::path Dir() { return first_->path(); }

  TPictureCollection& Images(const std::string& file) {
    auto& slot = loaded_[file];
    if (!slot) {
      slot = std::make_unique<TPictureCollection>();
      slot->LoadCollectionFile((Dir() / file).string());
    }
    return *slot;
  }
  TPictureCollectionItem& Item(const std::string& file, const std::string& utf8_name) {
    return Images(file).FindItemByName(cp1250::FromUtf8(utf8_name));
  }

  static test::TempDir* first_;
  static test::TempDir* second_;
  static int first_status_;
  static int second_status_;
  std::map<std::string, std::unique_ptr<TPictureCollection>> loaded_;
};

test::TempDir* DataBuild::first_ = nullptr;
test::TempDir* DataBuild::second_ = nullptr;
int DataBuild::first_status_ = -1;
int DataBuild::second_status_ = -1;

int Width(TPictureCollectionItem& item) {
  return item.picture().width();
}
int Height(TPictureCollectionItem& item) {
  return item.picture().height();
}

bool IsKey(const RgbImage& img, int x, int y) {
  const uint8_t* p = &img.rgb[(static_cast<size_t>(y) * img.width + x) * 3];
  return To565(p[0], p[1], p[2]) == 0;
}

int CountKey(const RgbImage& img, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += IsKey(img, x, y);
  return n;
}

double MeanLuma(const RgbImage& img, int x0, int y0, int x1, int y1) {
  double sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const uint8_t* p = &img.rgb[(static_cast<size_t>(y) * img.width + x) * 3];
      sum += 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
    }
  return sum / ((x1 - x0) * (y1 - y0));
}

// Mean absolute difference of two pictures, or of a column/row pair inside one.
double Difference(const RgbImage& a, const RgbImage& b) {
  double sum = 0;
  for (size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(int(a.rgb[i]) - int(b.rgb[i]));
  return sum / static_cast<double>(a.rgb.size());
}
double ColumnStep(const RgbImage& img, int xa, int xb) {
  double sum = 0;
  for (int y = 0; y < img.height; ++y)
    for (int c = 0; c < 3; ++c)
      sum += std::abs(int(img.rgb[(y * img.width + xa) * 3 + c]) -
                      int(img.rgb[(y * img.width + xb) * 3 + c]));
  return sum / (img.height * 3);
}

TEST_F(DataBuild, WritesEveryFileSmallAndRepeatably) {
  ASSERT_EQ(second_status_, 0);
  uintmax_t total = 0;
  std::vector<std::string> names(std::begin(kImageFiles), std::end(kImageFiles));
  names.insert(names.end(), {"sound.dat", "texts.txt", "Elixir.ttf", "Elixir-LICENSE.txt"});
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fs::is_regular_file(Dir() / name));
    total += fs::file_size(Dir() / name);
    EXPECT_EQ(Bytes(Dir() / name), Bytes(second_->path() / name)) << "differs between two builds";
  }
  EXPECT_LT(total, 10u * 1024 * 1024);
  EXPECT_TRUE(fs::is_directory(Dir() / "maps"));
  EXPECT_TRUE(fs::is_empty(Dir() / "maps"));
  EXPECT_EQ(Bytes(Dir() / "Elixir.ttf"), Bytes(art::ElixirFontSource()));
}

TEST_F(DataBuild, MenuPicturesFitTheirRectangles) {
  struct Lit {
    const char* name;
    int left, top, right, bottom;
  };
  const Lit lit[] = {{"Exit", 10, 30, 231, 376},
                     {"Load", 425, 345, 716, 541},
                     {"New", 115, 375, 406, 476},
                     {"Opt", 465, 75, 791, 326},
                     {"Cred", 330, 70, 452, 250}};
  TPictureCollectionItem& menu = Item("graphic1.dat", "Menu");
  EXPECT_EQ(Width(menu), 800);
  EXPECT_EQ(Height(menu), 600);
  EXPECT_FALSE(menu.Transparent);
  const RgbImage& menu_pixels = menu.picture().Pixels();
  for (const Lit& l : lit) {
    SCOPED_TRACE(l.name);
    TPictureCollectionItem& item = Item("graphic1.dat", l.name);
    EXPECT_EQ(Width(item), l.right - l.left);
    EXPECT_EQ(Height(item), l.bottom - l.top);
    EXPECT_FALSE(item.Transparent);
    // Lit means brighter than the plain panel it is drawn over.
    const RgbImage& pixels = item.picture().Pixels();
    EXPECT_GT(MeanLuma(pixels, 0, 0, pixels.width, pixels.height),
              MeanLuma(menu_pixels, l.left, l.top, l.right, l.bottom) + 10);
  }
  // The version line is written in yellow near (5, 580).
  EXPECT_LT(MeanLuma(menu_pixels, 5, 580, 200, 598), 45);
  for (const char* name : {"Info", "Tavorind", "Scroll", "Button", "NGText", "Braz"})
    EXPECT_NO_THROW(Item("graphic1.dat", name)) << name;
  EXPECT_EQ(Width(Item("graphic1.dat", "Tavorind")), 548 - 234);
  EXPECT_EQ(Height(Item("graphic1.dat", "Tavorind")), 348 - 1);
}

TEST_F(DataBuild, TextBackgroundsStayDark) {
  // Yellow, lime, red and cyan texts go on these; a pale ground would swallow them.
  const RgbImage& scroll = Item("graphic1.dat", "Scroll").picture().Pixels();
  EXPECT_LT(MeanLuma(scroll, scroll.width / 4, scroll.height / 4, scroll.width * 3 / 4,
                     scroll.height * 3 / 4),
            60);
  for (const char* name : {"Braz", "Button"}) {
    const RgbImage& img = Item("graphic1.dat", name).picture().Pixels();
    EXPECT_LT(MeanLuma(img, img.width / 5, img.height / 5, img.width * 4 / 5, img.height * 4 / 5),
              60)
        << name;
  }
}

TEST_F(DataBuild, TitleBannerIsKeyedAroundItsShape) {
  TPictureCollectionItem& banner = Item("graphic1.dat", "NGText");
  EXPECT_TRUE(banner.Transparent);
  EXPECT_LE(Width(banner), 670);  // drawn at x = 130 on an 800-pixel screen
  const RgbImage& img = banner.picture().Pixels();
  EXPECT_GT(CountKey(img, 0, 0, img.width, 4), 0);
  EXPECT_EQ(
      CountKey(img, img.width / 2 - 20, img.height / 2 - 5, img.width / 2 + 20, img.height / 2 + 5),
      0);
}

TEST_F(DataBuild, ColourTableGetsRealPaletteColours) {
  TPictureCollection& g1 = Images("graphic1.dat");
  g1.BuildColorTable();
  int used = 0;
  for (int i = 8; i < 248; ++i)
    used += g1.ColorTable[i * 4] || g1.ColorTable[i * 4 + 1] || g1.ColorTable[i * 4 + 2];
  EXPECT_GT(used, 16);
}

TEST_F(DataBuild, PortraitsAndLogo) {
  TPictureCollection& other = Images("graphic2.dat");
  ASSERT_GE(other.Count(), 26);
  EXPECT_EQ(other.IndexOfName("Logo"), 0);
  TPictureCollectionItem& logo = other.Items(0);
  EXPECT_TRUE(logo.Transparent);
  EXPECT_NEAR(Width(logo), 100, 20);
  EXPECT_NEAR(Height(logo), 100, 20);
  for (int i = 1; i <= 25; ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(other.Items(i).Transparent);
    EXPECT_GT(Width(other.Items(i)), 0);
  }
  // Drawn unscaled into the bottom bar's 80 x 80 slots.
  EXPECT_LE(Width(other.Items(16)), 80);
  EXPECT_LE(Height(other.Items(16)), 80);
}

TEST_F(DataBuild, IntroHasTenScenesOneOfThemGrey) {
  TPictureCollection& intro = Images("intro.dat");
  ASSERT_GE(intro.Count(), 10);
  int grey = 0;
  for (int i = 0; i < 10; ++i) {
    EXPECT_FALSE(intro.Items(i).Transparent);
    EXPECT_EQ(std::string(intro.Items(i).picture().ClassName()), "TJPEGImage");
    grey += intro.Items(i).picture().bits_per_pixel() == 8;
  }
  EXPECT_GE(grey, 1);
}

TEST_F(DataBuild, InterfaceAndPointers) {
  EXPECT_EQ(Width(Item("graphic3.dat", "Down")), 700);
  EXPECT_EQ(Height(Item("graphic3.dat", "Down")), 95);
  for (const char* name : {"LeftRight", "leftright", "Save", "Load", "Options", "Exit", "QSave",
                           "QLoad", "Map", "Tmap"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(Item("graphic3.dat", name).Transparent);
  }
  for (const char* name :
       {"Cursor", "SCur", "JCur", "ZCur", "VCur", "SZCur", "SVCur", "JZCur", "JVCur"}) {
    SCOPED_TRACE(name);
    TPictureCollectionItem& p = Item("graphic3.dat", name);
    EXPECT_TRUE(p.Transparent);
    EXPECT_LE(Width(p), 32);
    EXPECT_LE(Height(p), 32);
    const RgbImage& img = p.picture().Pixels();
    const int key = CountKey(img, 0, 0, img.width, img.height);
    EXPECT_GT(key, img.width * img.height / 3);  // mostly see-through
    EXPECT_LT(key, img.width * img.height);      // but something to see
  }
  // Each arrow points its way: the north arrow's ink lies high at its tip, the south's low.
  auto ink_row = [&](const char* name) {
    const RgbImage& img = Item("graphic3.dat", name).picture().Pixels();
    for (int y = 0; y < img.height; ++y)
      for (int x = 0; x < img.width; ++x)
        if (!IsKey(img, x, y)) return y;
    return -1;
  };
  EXPECT_LE(ink_row("SCur"), 2);
  EXPECT_LE(ink_row("Cursor"), 2);
}

TEST_F(DataBuild, GroundTilesCoverTheirCells) {
  TPictureCollection& base = Images("base.dat");
  ASSERT_EQ(base.Count(), 160);
  for (int i = 0; i < 160; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Width(base.Items(i)), 100);
    EXPECT_EQ(Height(base.Items(i)), 100);
    EXPECT_EQ(base.Items(i).Transparent, i == 159);
    if (i < 135) {
      EXPECT_EQ(base.Items(i).picture().bits_per_pixel(), 8);
    }
  }
}

TEST_F(DataBuild, AnimationsLoopWithoutAJump) {
  TPictureCollection& base = Images("base.dat");
  for (int chain = 0; chain < 4; ++chain) {
    SCOPED_TRACE(chain);
    const RgbImage* phase[4];
    for (int p = 0; p < 4; ++p) phase[p] = &base.Items(chain + 16 * p).picture().Pixels();
    const double steps = Difference(*phase[0], *phase[1]) + Difference(*phase[1], *phase[2]) +
                         Difference(*phase[2], *phase[3]);
    EXPECT_GT(steps, 3.0) << "the chain does not move";
    EXPECT_LT(Difference(*phase[3], *phase[0]), 2.0 * steps / 3) << "phase 4 does not lead back";
  }
}

TEST_F(DataBuild, TilesMeetWithoutSeams) {
  TPictureCollection& base = Images("base.dat");
  for (int code : {64, 88, 112, 113, 115}) {
    SCOPED_TRACE(code);
    const RgbImage& t = base.Items(code).picture().Pixels();
    // Across the border between two neighbours no bigger step than inside the tile.
    EXPECT_LT(ColumnStep(t, 99, 0), 2.5 * ColumnStep(t, 49, 50) + 8);
  }
  // The wall's top part sits on the wall: its bottom row meets the wall's top row.
  const RgbImage& top = base.Items(159).picture().Pixels();
  EXPECT_GT(CountKey(top, 0, 0, 100, 10), 0);
  EXPECT_EQ(CountKey(top, 0, 50, 100, 100), 0);
}

TEST_F(DataBuild, HeroStandsAtTheBottomOfHisPictures) {
  TPictureCollection& hero = Images("hero.dat");
  ASSERT_GE(hero.Count(), 8);
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    TPictureCollectionItem& frame = hero.Items(i);
    EXPECT_TRUE(frame.Transparent);
    EXPECT_EQ(Width(frame), 100);
    EXPECT_EQ(Height(frame), 130);
    const RgbImage& img = frame.picture().Pixels();
    EXPECT_EQ(CountKey(img, 0, 0, 100, 8), 800) << "head room is see-through";
    EXPECT_LT(CountKey(img, 0, 118, 100, 130), 1200) << "feet at the bottom";
  }
  // Two steps differ; west is not east.
  EXPECT_GT(Difference(hero.Items(4).picture().Pixels(), hero.Items(5).picture().Pixels()), 0.5);
  EXPECT_GT(Difference(hero.Items(2).picture().Pixels(), hero.Items(6).picture().Pixels()), 0.5);
}

TEST_F(DataBuild, AddAndObjectsLoad) {
  EXPECT_GT(Images("add.dat").Count(), 0);
  EXPECT_GT(Images("objects.dat").Count(), 0);
}

TEST_F(DataBuild, SoundsArePlayableAndTheTestSoundIsShort) {
  TWaveCollection waves;
  waves.LoadCollectionFile((Dir() / "sound.dat").string());
  ASSERT_GT(waves.Count(), 2);
  EXPECT_NO_THROW(waves.FindItemByName("Button"));
  for (int i = 0; i < waves.Count(); ++i) {
    const TWave& w = waves.Items(i).Wave;
    ASSERT_GE(w.format.size(), 16u);
    EXPECT_EQ(w.format[0] | (w.format[1] << 8), 1) << "PCM";
    EXPECT_FALSE(w.empty());
  }
  const TWave& test = waves.Items(0).Wave;
  const uint32_t rate = test.format[4] | (test.format[5] << 8) | (test.format[6] << 16);
  const uint32_t block = test.format[12] | (test.format[13] << 8);
  EXPECT_LT(static_cast<double>(test.samples->size()) / block / rate, 0.3);
}

TEST(DataBuildFailure, ReportsAnUnwritableDirectory) {
  test::TempDir dir;
  const std::string blocked = dir / "file";
  std::ofstream(blocked) << "not a directory";
  testing::internal::CaptureStderr();
  EXPECT_EQ(BuildDataDirectory(blocked + "/data"), 1);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("kervana-data build"), std::string::npos);
}

}  // namespace
}  // namespace kv
