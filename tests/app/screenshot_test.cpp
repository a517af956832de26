// F12's pictures: where they go, what they are called, and that taking one leaves the game as
// it was.

#include "app/screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>

#include "game_fixture.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;

TEST(PicturesFolder, TheUserDirsFileNamesItRelativeToHomeOrAbsolutely) {
  const fs::path home = "/home/hrac";
  EXPECT_EQ(PicturesFolderFromUserDirs("XDG_PICTURES_DIR=\"$HOME/Obrázky\"\n", home),
            fs::path("/home/hrac/Obrázky"));
  EXPECT_EQ(PicturesFolderFromUserDirs("# written by xdg-user-dirs-update\n"
                                       "XDG_DESKTOP_DIR=\"$HOME/Plocha\"\n"
                                       "  XDG_PICTURES_DIR=\"/data/pictures/\"\r\n",
                                       home),
            fs::path("/data/pictures/"));
  EXPECT_EQ(PicturesFolderFromUserDirs("XDG_PICTURES_DIR=\"$HOME/My \\\"Shots\\\"\"", home),
            fs::path("/home/hrac/My \"Shots\""));
  // The last line wins, as when a shell reads the file.
  EXPECT_EQ(PicturesFolderFromUserDirs(
                "XDG_PICTURES_DIR=\"$HOME/a\"\nXDG_PICTURES_DIR=\"$HOME/b\"\n", home),
            fs::path("/home/hrac/b"));
}

TEST(PicturesFolder, NoFolderWhereTheFileNamesNoneOrOnlyHome) {
  const fs::path home = "/home/hrac";
  for (const char* text : {"", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n",
                           "XDG_PICTURES_DIR=\"$HOME\"\n", "XDG_PICTURES_DIR=\"$HOME/\"\n",
                           "XDG_PICTURES_DIR=$HOME/Pictures\n", "XDG_PICTURES_DIR=\"Pictures\"\n",
                           "XDG_PICTURES_DIR=\"\n", "XDG_PICTURES_DIR=\"", "XDG_PICTURES_DIR="}) {
    EXPECT_EQ(PicturesFolderFromUserDirs(text, home), std::nullopt) << text;
  }
}

TEST(ScreenshotFolder, FromTheUserDirsFileElsePicturesInHome) {
  KV_SKIP_ON_WINDOWS("user-dirs files are the freedesktop desktops'; Windows has known folders");
  TempDir dir;
  const std::string home = dir.path().string();
  EXPECT_EQ(ScreenshotFolder(home.c_str(), nullptr), dir.path() / "Pictures" / "Kervana");
  fs::create_directories(dir.path() / "config");
  std::ofstream(dir.path() / "config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Foto\"\n";
  const std::string config = (dir.path() / "config").string();
  EXPECT_EQ(ScreenshotFolder(home.c_str(), config.c_str()), dir.path() / "Foto" / "Kervana");
  // XDG_CONFIG_HOME must be absolute to count; ~/.config is the default.
  EXPECT_EQ(ScreenshotFolder(home.c_str(), "config"), dir.path() / "Pictures" / "Kervana");
  fs::create_directories(dir.path() / ".config");
  std::ofstream(dir.path() / ".config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"/elsewhere\"\n";
  EXPECT_EQ(ScreenshotFolder(home.c_str(), nullptr), fs::path("/elsewhere/Kervana"));
  // No home, or one relative to wherever the game was started: no folder at all.
  for (const char* no_home : {static_cast<const char*>(nullptr), "", "hrac", "./hrac", "~"}) {
    EXPECT_EQ(ScreenshotFolder(no_home, nullptr), fs::path()) << (no_home ? no_home : "unset");
    EXPECT_EQ(ScreenshotFolder(no_home, config.c_str()), fs::path());
  }
}

TEST(ScreenshotName, LocalDateAndTimeWithMilliseconds) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 8;
  local.tm_hour = 9;
  local.tm_min = 5;
  local.tm_sec = 7;
  EXPECT_EQ(ScreenshotName(local, 42), "2026-12-08_09-05-07.042.png");
}

TEST(SaveScreenshot, MakesTheFolderAndNeverWritesOverAnotherPicture) {
  TempDir dir;
  const fs::path folder = dir.path() / "Pictures" / "Kervana";
  std::tm local{};
  local.tm_year = 100;
  local.tm_mday = 1;
  std::string problem;
  const Image565 picture(800, 600, 0x1234);
  const auto first = SaveScreenshot(picture, folder, local, 0, problem);
  const auto second = SaveScreenshot(picture, folder, local, 0, problem);
  ASSERT_TRUE(first && second) << problem;
  EXPECT_EQ(first->filename(), "2000-01-01_00-00-00.000.png");
  EXPECT_EQ(second->filename(), "2000-01-01_00-00-00.000_2.png");
  EXPECT_TRUE(fs::is_regular_file(*first));
  EXPECT_TRUE(fs::is_regular_file(*second));
}

// A picture that cannot be saved says where and why, the system's reason included.
TEST(SaveScreenshot, WhatCannotBeWrittenSaysWhy) {
  TempDir dir;
  std::ofstream(dir.path() / "blocked") << "x";
  const fs::path folder = dir.path() / "Kervana";
  const std::string name = "2000-01-01_00-00-00.000.png";
  struct Case {
    const char* what;
    fs::path folder;
    uint64_t file_size_limit;  // 0: none
    std::string problem;
  };
  const Case cases[] = {
      {"no home", fs::path(), 0, "no home folder to put screenshots in"},
      {"a file where the folder should be", dir.path() / "blocked" / "Kervana", 0,
       "cannot make " + (dir.path() / "blocked" / "Kervana").string() + ": Not a directory"},
#ifndef _WIN32  // Windows limits no process's file sizes, which stand in for a full disk
      {"a full disk", folder, 100, "cannot write " + (folder / name).string() + ": File too large"},
#endif
  };
  std::tm local{};
  local.tm_year = 100;
  local.tm_mday = 1;
  const Image565 picture(800, 600, 0x1234);
  for (const Case& c : cases) {
    std::string problem;
    std::optional<FileSizeLimit> limit;
    if (c.file_size_limit != 0) limit.emplace(c.file_size_limit);
    EXPECT_EQ(SaveScreenshot(picture, c.folder, local, 0, problem), std::nullopt) << c.what;
    limit.reset();
    EXPECT_EQ(problem, c.problem) << c.what;
  }
  EXPECT_FALSE(fs::exists(folder / name)) << "nothing is left of a picture not written";
  EXPECT_EQ(ReadText((dir.path() / "blocked").string()), "x");
}

class ScreenshotKeyTest : public GameTest {};

TEST_F(ScreenshotKeyTest, F12WritesTheVisibleScreenAndChangesNothingInTheGame) {
  TempDir pictures;
  app_->screenshot_folder = pictures.path() / "Kervana";
  Run("click 300 450");  // the name page
  Run("click 400 250");  // its name box: the field takes the keyboard
  const std::string before = StateDump(*form_, *app_);
  const Image565 screen = VisibleScreen(*platform_, *form_);
  Run("key F12");
  EXPECT_EQ(StateDump(*form_, *app_), before);
  EXPECT_TRUE(VisibleScreen(*platform_, *form_).pixels == screen.pixels);
  std::vector<fs::path> written;
  for (const auto& entry : fs::directory_iterator(pictures.path() / "Kervana")) {
    written.push_back(entry.path());
  }
  ASSERT_EQ(written.size(), 1u);
  EXPECT_TRUE(std::regex_match(written[0].filename().string(),
                               std::regex(R"(\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\.\d{3}\.png)")))
      << written[0];
}

}  // namespace
}  // namespace kv::test
