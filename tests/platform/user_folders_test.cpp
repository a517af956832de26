// Where the game puts what it cannot keep beside its data: the folders the player's system names.
#include "platform/user_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// The rules themselves are the XDG folders' tests; here, that the player's folders follow them.
TEST(UserFolders, LinuxFollowsTheFreedesktopRulesOfTheEnvironment) {
  const auto now = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value != nullptr ? value : "");
  };
  const std::string home = now("HOME"), data_home = now("XDG_DATA_HOME");
  const std::string config_home = now("XDG_CONFIG_HOME");
  test::TempDir dir;
  test::SetEnvironment("HOME", dir.path().string());
  test::SetEnvironment("XDG_DATA_HOME", "/srv/p/share");
  test::SetEnvironment("XDG_CONFIG_HOME", "");
  EXPECT_EQ(PlayerMapFolder(), fs::path("/srv/p/share/kervana/maps"));
  EXPECT_EQ(PlayerScreenshotFolder(), dir.path() / "Pictures" / "Kervana");
  // Unset and empty mean the same to these rules.
  test::SetEnvironment("HOME", home);
  test::SetEnvironment("XDG_DATA_HOME", data_home);
  test::SetEnvironment("XDG_CONFIG_HOME", config_home);
}
#else
// The system's known folders, whatever the profile calls them: absolute, with the game's own
// folder at the end.
TEST(UserFolders, WindowsNamesTheProfilesKnownFolders) {
  const fs::path maps = PlayerMapFolder();
  ASSERT_TRUE(maps.is_absolute()) << maps.string();
  EXPECT_EQ(maps.filename(), "maps");
  EXPECT_EQ(maps.parent_path().filename(), "Kervana");
  EXPECT_TRUE(fs::is_directory(maps.parent_path().parent_path())) << "local application data";
  const fs::path pictures = PlayerScreenshotFolder();
  ASSERT_TRUE(pictures.is_absolute()) << pictures.string();
  EXPECT_EQ(pictures.filename(), "Kervana");
  EXPECT_TRUE(fs::is_directory(pictures.parent_path())) << "the pictures folder";
  EXPECT_NE(pictures.parent_path(), maps.parent_path().parent_path());
}
#endif

}  // namespace
}  // namespace kv
