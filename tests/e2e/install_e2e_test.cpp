// The real binary as an installation runs it: started from a folder that holds no data, finding
// its data through --data or beside itself, and saving its map where the player may write.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/game_data.h"
#include "support/test_support.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;

constexpr auto kTimeLimit = std::chrono::seconds(60);

// Where an installation puts the program and its data: Debian's layout under a prefix, or the
// one folder that the Windows zip and installer make. Only on Linux does a data folder without
// maps send the map to a folder of the player's that a test can choose (XDG_DATA_HOME);
// Windows' known folder is the system's.
#ifdef _WIN32
constexpr const char* kProgramFolder = "Kervana";
constexpr const char* kDataFolder = "Kervana/data";
constexpr bool kPlayersFolderMovable = false;
#else
constexpr const char* kProgramFolder = "usr/games";
constexpr const char* kDataFolder = "usr/share/games/kervana/data";
constexpr bool kPlayersFolderMovable = true;
#endif
// Into the game from the main menu's load button, a few steps, then the state.
constexpr const char* kIntoTheGame = "click 500 400\nkeydown Down\nframes 20\nkeyup Down\n";

struct GameRun {
  int status = -1;
  std::string out;
  std::string errors;
  std::string state;
};

// A player's machine in a temporary folder: an empty home (XDG_DATA_HOME below it) and an
// unrelated folder to start the game from.
class InstallTest : public ::testing::Test {
 protected:
  GameRun Play(const std::string& program, std::vector<std::string> args,
               const std::string& script = "") {
    if (!script.empty()) {
      std::ofstream(dir / "script.txt") << script;
      args.insert(args.end(), {"--headless", "--script", dir / "script.txt", "--state-out",
                               dir / "state.json"});
    }
    args.insert(args.begin(), program);
    fs::remove(dir / "state.json");
    ChildProcess game({.argv = args,
                       .env = {"HOME=" + home.string(), "XDG_DATA_HOME=" + data_home.string()},
                       .cwd = elsewhere.string(),
                       .stdout_path = dir / "out.txt",
                       .stderr_path = dir / "err.txt"});
    GameRun run;
    run.status = game.WaitExit(kTimeLimit).value_or(-1);
    run.out = ReadOutput(dir / "out.txt");
    run.errors = ReadOutput(dir / "err.txt");
    run.state = ReadText(dir / "state.json");
    return run;
  }

  // The game's data in `folder`, with or without its maps/ folder.
  void MakeData(const fs::path& folder, bool with_maps) {
    WriteGameData(dir / "made");
    fs::create_directories(folder.parent_path());
    fs::rename(dir / "made/data", folder);
    if (!with_maps) fs::remove_all(folder / "maps");
  }

  // A copy of the program laid out as an installation lays it out under `root`.
  std::string InstallProgram(const fs::path& root) {
    const fs::path program = root / kProgramFolder / fs::path(GameProgram()).filename();
    fs::create_directories(program.parent_path());
    fs::copy_file(GameProgram(), program);
    return program.string();
  }

  TempDir dir;
  fs::path home = dir.path() / "home";
  fs::path data_home = home / "xdg-data";
  fs::path elsewhere = dir.path() / "elsewhere";

  void SetUp() override {
    fs::create_directories(home);
    fs::create_directories(elsewhere);
  }
};

TEST_F(InstallTest, AGivenDataFolderWithoutMapsPutsTheMapInThePlayersFolder) {
  if (!kPlayersFolderMovable) GTEST_SKIP() << "the player's folder is the system's own here";
  MakeData(dir.path() / "somewhere/data", false);
  const GameRun run = Play(GameProgram(), {"--data", dir / "somewhere/data"}, kIntoTheGame);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.state.find("\"Map\":{\"Name\":\"Test map\"}"), std::string::npos) << run.state;
  EXPECT_NE(run.state.find("\"Errors\":[]"), std::string::npos) << run.state;
  EXPECT_EQ(fs::file_size(data_home / "kervana/maps/0.num"), 38422u);
  EXPECT_FALSE(fs::exists(dir.path() / "somewhere/data/maps"));
  EXPECT_TRUE(fs::is_empty(elsewhere)) << "nothing is written where the game was started";
}

TEST_F(InstallTest, ADataFolderWhoseMapsCanBeWrittenKeepsTheMapAsBefore) {
  MakeData(dir.path() / "somewhere/data", true);
  const GameRun run = Play(GameProgram(), {"--data=" + dir / "somewhere/data/"}, kIntoTheGame);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(fs::file_size(dir.path() / "somewhere/data/maps/0.num"), 38422u);
  EXPECT_FALSE(fs::exists(data_home));
}

TEST_F(InstallTest, AnInstallationFindsItsDataBesideItsProgramWhereverItWasUnpacked) {
  const fs::path root = dir.path() / "unpacked";
  const std::string program = InstallProgram(root);
  MakeData(root / kDataFolder, !kPlayersFolderMovable);
  const GameRun run = Play(program, {}, kIntoTheGame);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.state.find("\"Errors\":[]"), std::string::npos) << run.state;
  const fs::path map =
      kPlayersFolderMovable ? data_home / "kervana/maps/0.num" : root / kDataFolder / "maps/0.num";
  EXPECT_EQ(fs::file_size(map), 38422u);

  // A message names the file as it was opened (the error box breaks so long a line; the
  // state's list of errors keeps it whole).
  fs::remove(root / kDataFolder / "graphic1.dat");
  const GameRun broken = Play(program, {}, "state -\n");
  // The folder as the system spells it, the file's name added as the game adds it.
  const std::string opened = (root / kDataFolder).make_preferred().string() + "/graphic1.dat";
  // In the state's JSON a backslash (Windows' separator) is written twice.
  std::string in_json;
  for (const char c : opened) in_json += c == '\\' ? std::string(2, c) : std::string(1, c);
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.state.find("\"Errors\":[\"Cannot open file " + in_json + "\"]"),
            std::string::npos)
      << broken.state;
}

TEST_F(InstallTest, WithNoDataAnywhereTheMessageNamesTheDataFolderHere) {
  if (fs::exists(KV_INSTALLED_DATA_FOLDER)) GTEST_SKIP() << "the game is installed here";
  const std::string program = InstallProgram(dir.path() / "bare");
  const GameRun run = Play(program, {}, "state -\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("Kervana: data/graphic1.dat\nCannot open file data/graphic1.dat.\n"),
            std::string::npos)
      << run.errors;
}

TEST_F(InstallTest, HelpAndVersionGoToStandardOutputAndAMistakeToStandardError) {
  const GameRun help = Play(GameProgram(), {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: kervana ", 0), 0u) << help.out;
  EXPECT_NE(help.out.find("\n  --data DIR"), std::string::npos) << help.out;
  EXPECT_EQ(help.errors, "");

  const GameRun version = Play(GameProgram(), {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("Kervana IV v.0.2-June 2000\n", 0), 0u) << version.out;

  const GameRun wrong = Play(GameProgram(), {"--bogus"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.out, "");
  EXPECT_EQ(wrong.errors.rfind("kervana: unknown option --bogus\nusage: kervana ", 0), 0u)
      << wrong.errors;
  EXPECT_TRUE(fs::is_empty(elsewhere));
}

}  // namespace
}  // namespace kv::test
