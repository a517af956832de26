#include "ingame/map_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(MapFolder, ThePlayersFolderFollowsTheXdgBaseDirectoryRules) {
  KV_SKIP_ON_WINDOWS("the XDG base directories are the freedesktop desktops'; Windows has its own");
  EXPECT_EQ(PersonalMapFolder("/x/share", "/home/p"), fs::path("/x/share/kervana/maps"));
  EXPECT_EQ(PersonalMapFolder(nullptr, "/home/p"), fs::path("/home/p/.local/share/kervana/maps"));
  // An empty or relative XDG_DATA_HOME is not one.
  EXPECT_EQ(PersonalMapFolder("", "/home/p"), fs::path("/home/p/.local/share/kervana/maps"));
  EXPECT_EQ(PersonalMapFolder("rel", "/home/p"), fs::path("/home/p/.local/share/kervana/maps"));
  EXPECT_EQ(PersonalMapFolder(nullptr, nullptr), fs::path());
  EXPECT_EQ(PersonalMapFolder("rel", "also-rel"), fs::path());
}

class ChooseMapFolderTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  fs::path beside = dir.path() / "data/maps";
  fs::path personal = dir.path() / "home/.local/share/kervana/maps";
};

TEST_F(ChooseMapFolderTest, TheDataFoldersMapsAreUsedWhileTheyCanBeWritten) {
  fs::create_directories(beside);
  EXPECT_EQ(ChooseMapFolder({beside, personal}), beside);
  EXPECT_FALSE(fs::exists(dir.path() / "home")) << "nothing made in the player's folder";
}

TEST_F(ChooseMapFolderTest, OtherwiseThePlayersFolderIsMadeForTheOwnerAlone) {
  fs::create_directories(dir.path() / "data");
  EXPECT_EQ(ChooseMapFolder({beside, personal}), personal);
  ASSERT_TRUE(fs::is_directory(personal));
  EXPECT_FALSE(fs::exists(beside));
  for (const fs::path& made : {personal, personal.parent_path(), dir.path() / "home/.local"}) {
    ASSERT_TRUE(fs::is_directory(made)) << made;
#ifndef _WIN32  // Windows' folders take their rights from the folder above, not from modes
    EXPECT_EQ(fs::status(made).permissions() & fs::perms::all, fs::perms::owner_all) << made;
#endif
  }
  // Chosen again when it exists.
  EXPECT_EQ(ChooseMapFolder({beside, personal}), personal);
}

TEST_F(ChooseMapFolderTest, WithNoFolderOfThePlayersTheDataFoldersIsKept) {
  EXPECT_EQ(ChooseMapFolder({beside, {}}), beside);
  // A file in the way of the player's folder: the save will be skipped as before.
  std::ofstream(dir.path() / "home") << "not a folder";
  EXPECT_EQ(ChooseMapFolder({beside, personal}), beside);
}

}  // namespace
}  // namespace kv
