// Where the stand-in faces come from: a program for Windows or the web must find them in its own
// data folder, since the folders of the machine that built it are not there when it is played.
#include "platform/font_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fonts.h"
#include "support/test_support.h"

namespace kv {
namespace {

#ifdef _WIN32
const std::vector<std::string> kSystemFolders = {};
#else
const std::vector<std::string> kSystemFolders = {"/usr/share/fonts/truetype/liberation2"};
#endif

// Where the faces lie for the tests, on every system.
const std::string kFacesHere = test::StandInFaceFolder();

std::vector<std::string> Then(std::vector<std::string> first) {
  first.insert(first.end(), kSystemFolders.begin(), kSystemFolders.end());
  return first;
}

TEST(FontFolders, TheDataFoldersFacesComeBeforeTheSystems) {
  const struct {
    const char* data_folder;
    std::vector<std::string> expected;
  } cases[] = {
      {"data", Then({"data/fonts"})},
      {"data/", Then({"data/fonts"})},
      {"C:\\Games\\Kervana\\data\\", Then({"C:\\Games\\Kervana\\data\\fonts"})},
      {"Hry/Kervaná/data", Then({"Hry/Kervaná/data/fonts"})},
      {"", kSystemFolders},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontSearchFolders(c.data_folder), c.expected) << c.data_folder;
  }
}

int SansWidth(FontService& fonts, bool bold = false) {
  FontDesc font;
  font.height_px = 20;
  font.bold = bold;
  int width = 0, height = 0;
  fonts.Measure(font, "Kervana", width, height);
  return width;
}

int SerifWidth(FontService& fonts) {
  FontDesc font;
  font.face = "Times New Roman";
  font.height_px = 20;
  int width = 0, height = 0;
  fonts.Measure(font, "Kervana", width, height);
  return width;
}

// A face is told by its widths: the serif sets "Kervana" narrower than the sans.
TEST(FontFolders, AFaceInTheDataFolderWinsOverTheSystems) {
  FontService fonts;
  fonts.LookForStandInsIn({kFacesHere});
  const int sans = SansWidth(fonts);
  const int serif = SerifWidth(fonts);
  ASSERT_GT(sans, 0);
  ASSERT_NE(sans, serif);

  test::TempDir data;
  std::filesystem::create_directory(data.path() / "fonts");
  std::filesystem::copy_file(kFacesHere + "/LiberationSerif-Regular.ttf",
                             data.path() / "fonts" / "LiberationSans-Regular.ttf");
  fonts.LookForStandInsIn({data / "fonts", kFacesHere});
  EXPECT_EQ(SansWidth(fonts), serif);
  EXPECT_EQ(SerifWidth(fonts), serif) << "the faces the data folder lacks are the system's";
}

TEST(FontFolders, AFaceFoundNowhereDrawsNothingAndBreaksNothing) {
  test::TempDir empty;
  FontService fonts;
  fonts.LookForStandInsIn({empty / "fonts", empty / "nowhere"});
  FontDesc font;
  font.height_px = 20;
  int width = -1, height = -1;
  fonts.Measure(font, "Kervana", width, height);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 20);
  EXPECT_EQ(fonts.Render(font, "Kervana")->alpha.size(), 0u);
}

// A text drawn while a face was missing drew nothing; once only the sans regular is found, the
// bold and the serif fall back to it, as to any face a system lacks; once the serif is found the
// same request draws in it.
TEST(FontFolders, WhatWasDrawnWithoutAFaceIsDrawnAnewOnceItIsFound) {
  test::TempDir data;
  std::filesystem::create_directory(data.path() / "fonts");
  std::filesystem::copy_file(kFacesHere + "/LiberationSans-Regular.ttf",
                             data.path() / "fonts" / "LiberationSans-Regular.ttf");
  FontService fonts;
  fonts.LookForStandInsIn({data / "nowhere"});
  EXPECT_EQ(SerifWidth(fonts), 0);
  fonts.LookForStandInsIn({data / "fonts"});
  const int sans = SansWidth(fonts);
  EXPECT_GT(sans, 0);
  EXPECT_EQ(SansWidth(fonts, true), sans);
  EXPECT_EQ(SerifWidth(fonts), sans) << "the serif, still missing, falls back to the sans now";
  fonts.LookForStandInsIn({kFacesHere});
  EXPECT_NE(SerifWidth(fonts), sans);
}

}  // namespace
}  // namespace kv
