// Where the game puts what it cannot keep beside its data: the folders the player's system names.
#include "platform/user_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// Sets an environment variable for as long as the object lives.
class Environment {
 public:
  Environment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value == nullptr) {
      unsetenv(name);
    } else {
      setenv(name, value, 1);
    }
  }
  ~Environment() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

TEST(UserFolders, LinuxFollowsTheFreedesktopRulesOfTheEnvironment) {
  test::TempDir dir;
  const std::string home = dir.path().string();
  const Environment no_data_home("XDG_DATA_HOME", nullptr);
  const Environment no_config_home("XDG_CONFIG_HOME", nullptr);
  const Environment home_set("HOME", home.c_str());
  EXPECT_EQ(PlayerMapFolder(), dir.path() / ".local/share/kervana/maps");
  EXPECT_EQ(PlayerScreenshotFolder(), dir.path() / "Pictures" / "Kervana");
  {
    const Environment data_home("XDG_DATA_HOME", "/srv/p/share");
    EXPECT_EQ(PlayerMapFolder(), fs::path("/srv/p/share/kervana/maps"));
  }
  fs::create_directories(dir.path() / ".config");
  {
    std::FILE* file = std::fopen((dir.path() / ".config" / "user-dirs.dirs").c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("XDG_PICTURES_DIR=\"$HOME/Obrázky\"\n", file);
    std::fclose(file);
  }
  EXPECT_EQ(PlayerScreenshotFolder(), dir.path() / "Obrázky" / "Kervana");
  const Environment no_home("HOME", nullptr);
  EXPECT_EQ(PlayerMapFolder(), fs::path());
  EXPECT_EQ(PlayerScreenshotFolder(), fs::path());
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
