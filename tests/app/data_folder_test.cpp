#include "app/data_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace kv {
namespace {

// A folder found beside the program, spelt as the system spells paths it puts together.
std::string Native(const std::string& folder) {
  return std::filesystem::path(folder).make_preferred().string();
}

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

// The installation's own data comes first, so that an installed game started where an unrelated
// data/ lies reads its own; a program built but not installed finds the data built beside it.
TEST(DataFolder, TheFoldersAreTriedInOrder) {
  const std::string own = Native("/opt/kv/share/games/kervana/data");
  const std::string built = Native("/opt/kv/games/data");
  const std::string installed = "/usr/share/games/kervana/data";
  const DataFolderPlaces unknown{"", "", kPlaces.from_executable, kPlaces.installed};
  struct Case {
    DataFolderPlaces places;
    std::set<std::string> existing;
    std::string found;
  };
  const Case cases[] = {
      {kPlaces, {own, "data", built, installed}, own},
      {kPlaces, {"data", built, installed}, "data"},
      {kPlaces, {built, installed}, built},
      {kPlaces, {installed}, installed},
      {kPlaces, {}, "data"},
      // A program whose own folder is unknown looks neither there nor beside it.
      {unknown, {own, built, "/data"}, "data"},
      {unknown, {own, built, installed}, installed},
      {unknown, {"data", installed}, "data"},
  };
  for (const Case& c : cases) {
    std::string existing;
    for (const std::string& folder : c.existing) existing += folder + " ";
    EXPECT_EQ(FindDataFolder(c.places, Existing(c.existing)), c.found)
        << "program in '" << c.places.executable_folder << "', existing: " << existing;
  }
}

// A game that knows no installation of its own (the Windows one, unpacked anywhere) looks only
// where it is started and beside its program, whose folder may have any letters in its name.
TEST(DataFolder, AGameWithNoInstallationLooksWhereItIsStartedThenBesideItsProgram) {
#ifdef _WIN32
  const std::string program = "C:\\Hry\\Kervaná";
  const std::string beside = "C:\\Hry\\Kervaná\\data";
#else
  const std::string program = "/hry/Kervaná";
  const std::string beside = "/hry/Kervaná/data";
#endif
  const DataFolderPlaces places{"", program, "", ""};
  EXPECT_EQ(DataFolderCandidates(places), (std::vector<std::string>{"data", beside}));
  EXPECT_EQ(FindDataFolder(places, Existing({beside})), beside);
  EXPECT_EQ(FindDataFolder(places, Existing({"data", beside})), "data");
  EXPECT_EQ(FindDataFolder(places, Existing({})), "data");
  EXPECT_EQ(MissingDataHint(places),
            "No data folder was found (looked in ./data, " + beside + "); --data DIR chooses one.");
}

TEST(DataFolder, WithNoneFoundThePlayerIsToldWhereTheGameLookedAndHowToChoose) {
  EXPECT_EQ(MissingDataHint(kPlaces),
            "No data folder was found (looked in " + Native("/opt/kv/share/games/kervana/data") +
                ", ./data, " + Native("/opt/kv/games/data") +
                ", /usr/share/games/kervana/data); --data DIR chooses one.");
  // A program that does not know its own folder looked in two places only.
  EXPECT_EQ(MissingDataHint({"", "", kPlaces.from_executable, kPlaces.installed}),
            "No data folder was found (looked in ./data, /usr/share/games/kervana/data); "
            "--data DIR chooses one.");
}

TEST(DataFolder, FilesAreSpeltAsTheFolderIs) {
  EXPECT_EQ(DataFilePath("data", "graphic1.dat"), "data/graphic1.dat");
  EXPECT_EQ(DataFilePath("/usr/share/games/kervana/data", "maps"),
            "/usr/share/games/kervana/data/maps");
  EXPECT_EQ(DataFilePath("/", "sound.dat"), "/sound.dat");
}

TEST(DataFolder, TheProgramsOwnFolderIsWhereItsFileLies) {
  // This test's program is built into the build folder's tests/.
  const std::filesystem::path built_into = std::filesystem::absolute(KV_BUILD_DIR "/tests");
  ASSERT_FALSE(ExecutableFolder().empty());
  EXPECT_TRUE(std::filesystem::equivalent(ExecutableFolder(), built_into)) << ExecutableFolder();
#ifndef _WIN32
  const std::filesystem::path self = std::filesystem::canonical("/proc/self/exe");
  EXPECT_EQ(ExecutableFolder(), self.parent_path().string());
#endif
}

}  // namespace
}  // namespace kv
