#include "app/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace kv {
namespace {

// The folders that exist, for FindDataFolder to try.
std::function<bool(const std::string&)> Existing(std::set<std::string> folders) {
  return [folders](const std::string& folder) { return folders.contains(folder); };
}

const DataFolderPlaces kPlaces{"", "/opt/kv/games", "../share/games/kervana/data",
                               "/usr/share/games/kervana/data"};

DataFolderPlaces Given(const char* folder) {
  return {folder, kPlaces.executable_folder, kPlaces.from_executable, kPlaces.installed};
}

TEST(DataFolder, AGivenFolderIsTakenAsGivenWhetherItExistsOrNot) {
  EXPECT_EQ(FindDataFolder(Given("mine/"), Existing({"data"})), "mine");
  EXPECT_EQ(FindDataFolder(Given("/"), Existing({})), "/");
}

TEST(DataFolder, TheFoldersAreTriedHereThenBesideTheProgramThenWhereItWasInstalled) {
  const std::string beside = "/opt/kv/share/games/kervana/data";
  const std::string installed = "/usr/share/games/kervana/data";
  EXPECT_EQ(FindDataFolder(kPlaces, Existing({"data", beside, installed})), "data");
  EXPECT_EQ(FindDataFolder(kPlaces, Existing({beside, installed})), beside);
  EXPECT_EQ(FindDataFolder(kPlaces, Existing({installed})), installed);
}

TEST(DataFolder, WithoutAnyTheMessagesNameTheFolderHere) {
  EXPECT_EQ(FindDataFolder(kPlaces, Existing({})), "data");
  // A program whose own folder is unknown still finds the installed data.
  const DataFolderPlaces unknown{"", "", kPlaces.from_executable, kPlaces.installed};
  EXPECT_EQ(FindDataFolder(unknown, Existing({"/opt/kv/share/games/kervana/data"})), "data");
}

TEST(DataFolder, FilesAreSpeltAsTheFolderIs) {
  EXPECT_EQ(DataFilePath("data", "graphic1.dat"), "data/graphic1.dat");
  EXPECT_EQ(DataFilePath("/usr/share/games/kervana/data", "maps"),
            "/usr/share/games/kervana/data/maps");
  EXPECT_EQ(DataFilePath("/", "sound.dat"), "/sound.dat");
}

TEST(DataFolder, TheProgramsOwnFolderIsWhereItsFileLies) {
  const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
  EXPECT_EQ(ExecutableFolder(), self.parent_path().string());
}

}  // namespace
}  // namespace kv
