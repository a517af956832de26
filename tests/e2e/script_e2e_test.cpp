// Runs the real binary headless with scripts, as a player's tests and demos do.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/game_data.h"
#include "support/test_support.h"

namespace kv::test {
namespace {

struct RunResult {
  int status = -1;
  std::string state;
  std::string errors;
};

// Runs kervana in `dir` with the script; returns its exit status and final state dump.
RunResult RunGame(const std::string& dir, const std::string& script) {
  const std::string script_path = dir + "/script.txt";
  std::ofstream(script_path) << script;
  RunResult result;
  result.status = RunToEnd(
      {.argv = {GameProgram(), "--headless", "--script", "script.txt", "--state-out", "state.json"},
       .cwd = dir,
       .stderr_path = dir + "/stderr.txt"});
  result.state = ReadText(dir + "/state.json");
  result.errors = ReadOutput(dir + "/stderr.txt");
  return result;
}

TEST(ScriptEndToEnd, AScriptWalksFromTheMenuIntoTheGameAndEndsCleanly) {
  TempDir dir;
  WriteGameData(dir.path().string());
  const RunResult run = RunGame(dir.path().string(),
                                "# into the game and a few steps east and south\n"
                                "move 300 300\n"
                                "click 500 400\n"
                                "keydown Down\n"
                                "frames 30\n"
                                "keyup Down\n"
                                "frames 10\n"
                                "shot game.png\n"
                                "state mid.json\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.state.find("\"Running\":false"), std::string::npos) << run.state;
  EXPECT_NE(run.state.find("\"Errors\":[]"), std::string::npos) << run.state;
  const std::string mid = ReadText(dir / "mid.json");
  EXPECT_NE(mid.find("\"Active\":true,\"SubScreen\":0"), std::string::npos) << mid;
  EXPECT_NE(mid.find("\"Map\":{\"Name\":\"Test map\"}"), std::string::npos) << mid;
  EXPECT_TRUE(std::filesystem::exists(dir / "game.png"));
  EXPECT_EQ(std::filesystem::file_size(dir / "data/maps/0.num"), 38422u);
}

TEST(ScriptEndToEnd, F12PutsAPictureInThePicturesFolderOfHomeAndPrintsItsPath) {
  KV_SKIP_ON_WINDOWS("Windows' Pictures folder is the shell's, not one a user-dirs file names");
  TempDir dir;
  WriteGameData(dir.path().string());
  const std::filesystem::path home = dir.path() / "home";
  std::filesystem::create_directories(home / ".config");
  std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Obrázky\"\n";
  std::ofstream(dir.path() / "script.txt") << "key F12\nshot same.png\n";
  const int status = RunToEnd({.argv = {GameProgram(), "--headless", "--script", "script.txt"},
                               .env = {"HOME=" + home.string(), "XDG_CONFIG_HOME="},
                               .cwd = dir.path().string(),
                               .stdout_path = dir / "out.txt",
                               .stderr_path = dir / "err.txt"});
  ASSERT_EQ(status, 0) << ReadOutput(dir / "err.txt");
  const std::filesystem::path folder = home / "Obrázky" / "Kervana";
  std::vector<std::filesystem::path> written;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    written.push_back(entry.path());
  }
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(ReadOutput(dir / "out.txt"), written[0].string() + "\n");
  // The same picture as the script's own shot of the screen.
  EXPECT_EQ(ReadText(written[0].string()), ReadText(dir / "same.png"));
}

TEST(ScriptEndToEnd, AWalkAroundTheTestMapReachesTheMapEdgeWithoutError) {
  TempDir dir;
  WriteGameData(dir.path().string());
  // East along row 20 is walled in by the square; go south past the long wall's end, then
  // east to the map's edge, then north along it.
  const RunResult run = RunGame(dir.path().string(),
                                "click 500 400\n"
                                "keydown Down\nframes 120\nkeyup Down\nframes 6\n"
                                "shot south.png\n"
                                "keydown Right\nframes 320\nkeyup Right\nframes 6\n"
                                "shot east-edge.png\n"
                                "keydown Up\nframes 60\nkeyup Up\nframes 6\n"
                                "state edge.json\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  const std::string edge = ReadText(dir / "edge.json");
  EXPECT_NE(edge.find("\"CellX\":80,"), std::string::npos) << edge;
  EXPECT_NE(edge.find("\"Errors\":[]"), std::string::npos) << edge;
  EXPECT_TRUE(std::filesystem::exists(dir / "east-edge.png"));
}

TEST(ScriptEndToEnd, EscapeEndsTheProgramWithStatusZero) {
  TempDir dir;
  WriteGameData(dir.path().string());
  const RunResult run = RunGame(dir.path().string(), "key Escape\nstate never.json\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "never.json"));
}

TEST(ScriptEndToEnd, AMissingDataFileIsReportedAndEndsTheProgram) {
  TempDir dir;
  WriteGameData(dir.path().string());
  std::filesystem::remove(dir / "data/graphic1.dat");
  const RunResult run = RunGame(dir.path().string(), "state -\n");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.errors.find("Kervana: data/graphic1.dat\nCannot open file data/graphic1.dat.\n"),
            std::string::npos)
      << run.errors;
}

TEST(ScriptEndToEnd, TheNameFieldTakesTypingAtOnceAndAltEnterOnlySwitchesTheDisplay) {
  TempDir dir;
  WriteGameData(dir.path().string());
  const RunResult run = RunGame(dir.path().string(),
                                "click 300 450\n"  // New
                                "click 400 250\n"  // the name box
                                "type Abc\n"
                                "key Alt+Enter\n"
                                "state alt.json\n"
                                "key Enter\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  const std::string alt = ReadText(dir / "alt.json");
  EXPECT_NE(alt.find("\"Fullscreen\":false"), std::string::npos) << alt;
  EXPECT_NE(alt.find("\"NEdit\":{\"Visible\":true,\"Text\":\"Abc\"}"), std::string::npos) << alt;
  EXPECT_NE(alt.find("\"Character\":{\"Name\":\"Neznámý hrdina\","), std::string::npos) << alt;
  EXPECT_NE(run.state.find("\"Character\":{\"Name\":\"Abc\","), std::string::npos) << run.state;
  EXPECT_NE(run.state.find("\"NEdit\":{\"Visible\":false"), std::string::npos) << run.state;
}

// A real face copied in as the game's own, so that standard error holds only what a test
// provokes.
void WriteFont(const TempDir& dir) {
  std::filesystem::copy_file(TestFont("LiberationSans-Bold.ttf"), dir / "data/Elixir.ttf");
}

TEST(ScriptEndToEnd, ADamagedDataFileIsNamedAboveTheMessageWhichTheErrorListKeepsAlone) {
  TempDir dir;
  WriteGameData(dir.path().string());
  WriteFont(dir);
  const std::filesystem::path objects = dir / "data/objects.dat";
  std::filesystem::resize_file(objects, std::filesystem::file_size(objects) / 2);
  const RunResult run = RunGame(dir.path().string(), "state -\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors,
            "Kervana: data/objects.dat\n"
            "Error reading TPictureCollectionComponent.List: Error reading\n"
            "TPictureCollectionItem.Picture.Data: Stream read error.\n");
  EXPECT_NE(run.state.find("\"Errors\":[\"Error reading TPictureCollectionComponent.List: Error "
                           "reading TPictureCollectionItem.Picture.Data: Stream read error\"]"),
            std::string::npos)
      << run.state;
}

TEST(ScriptEndToEnd, AMissingFontFileGivesOneWarningAndTheGameGoesOn) {
  TempDir dir;
  WriteGameData(dir.path().string());
  const RunResult run = RunGame(dir.path().string(), "click 300 450\nclick 400 250\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.errors, "kervana: data/Elixir.ttf missing or unreadable; using a stand-in face\n");
  EXPECT_NE(run.state.find("\"Errors\":[]"), std::string::npos) << run.state;
  EXPECT_NE(run.state.find("\"NEdit\":{\"Visible\":true"), std::string::npos) << run.state;
}

TEST(ScriptEndToEnd, TheBuiltDataStartsWithoutErrorAndShowsTheMenu) {
  const std::filesystem::path built = KV_BUILD_DIR "/data";
  if (!std::filesystem::exists(built / "graphic1.dat")) GTEST_SKIP() << "no built data";
  TempDir dir;
  std::filesystem::copy(built, dir / "data", std::filesystem::copy_options::recursive);
  const RunResult run = RunGame(dir.path().string(), "shot menu.png\nmove 50 100\nstate s.json\n");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors, "") << "the built data holds the font";
  const std::string state = ReadText(dir / "s.json");
  EXPECT_NE(state.find("\"Errors\":[]"), std::string::npos) << state;
  EXPECT_NE(state.find("\"MenuHover\":1"), std::string::npos) << state;
}

}  // namespace
}  // namespace kv::test
