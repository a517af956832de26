// Recording with the real binary: a recorded run replays to the same state and records as the
// same file again, a recording edited by hand stops at the check that shows it, and a recording
// that cannot be written says so.
#include <gtest/gtest.h>

#include <algorithm>
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

struct GameRun {
  int status = -1;
  std::string state;
  std::string errors;
};

// Runs kervana headless in `dir` with the arguments after --headless (split at blanks).
GameRun Kervana(const std::filesystem::path& dir, const std::string& args) {
  std::vector<std::string> argv = {GameProgram(), "--headless", "--state-out", "state.json"};
  std::istringstream words(args);
  for (std::string word; words >> word;) argv.push_back(word);
  std::filesystem::remove(dir / "state.json");
  const int status =
      RunToEnd({.argv = argv, .cwd = dir.string(), .stderr_path = (dir / "stderr.txt").string()});
  return {status, ReadText((dir / "state.json").string()),
          ReadOutput((dir / "stderr.txt").string())};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// Character creation with two rolls and a typed name, the options over the game, a display
// switch, a focus change and a long walk south.
constexpr const char* kSession =
    "clock 40000000\n"
    "click 300 450\n"  // new game
    "click 400 250\n"  // the name box
    "type Šťast\n"
    "key Ctrl+Shift+Left\nkey Ctrl+X\nkey Right\nkey Delete\nkey Ctrl+V\n"
    "type ný \n"  // a trailing blank
    "key Backspace\n"
    "key Enter\n"
    "click 400 555\n"  // attributes
    "wait 700\n"
    "click 500 460\n"                 // roll again
    "click 400 555\nclick 400 555\n"  // background, intro
    "click 620 578\nclick 620 578\nclick 620 578\nclick 620 578\nclick 620 578\n"
    "click 620 578\nclick 620 578\nclick 620 578\nclick 620 578\n"
    "click 730 570\n"  // into the game
    "frames 5\n"
    "click 25 125\nclick 400 555\n"  // options over the game, and back
    "key Alt+Enter\n"
    "deactivate\nwait 300\nactivate\n"
    "keydown Down\nframes 150\nkeyup Down\nframes 20\n";

class RecordEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteGameData(dir_.path().string());
    // A real face as the game's own, so that standard error holds only what a test provokes.
    std::filesystem::copy_file(TestFont("LiberationSans-Bold.ttf"),
                               dir_.path() / "data/Elixir.ttf");
  }
  std::string Read(const std::string& name) const { return ReadText(dir_ / name); }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name) << text;
  }
  TempDir dir_;
};

TEST_F(RecordEndToEnd, ARecordedRunReplaysToTheSameStateAndRecordsAsTheSameFileAgain) {
  Write("session.script", kSession);
  const GameRun played = Kervana(dir_.path(), "--script session.script --record first.script");
  ASSERT_EQ(played.status, 0) << played.errors;
  const std::string first = Read("first.script");
  ASSERT_TRUE(first.starts_with("recorded\n")) << first.substr(0, 40);
  EXPECT_NE(first.find("\nclock "), std::string::npos);
  // Typed and pasted text alike, as text lines that keep their trailing blanks in the quotes.
  const size_t typed = first.find("\ntext \"Šťast\"\n");
  EXPECT_NE(typed, std::string::npos) << first;
  EXPECT_NE(first.find("\ntext \"Šťast\"\n", typed + 1), std::string::npos) << "the paste";
  EXPECT_NE(first.find("\ntext \"ný \"\n"), std::string::npos) << first;

  const GameRun replayed = Kervana(dir_.path(), "--script first.script --record second.script");
  ASSERT_EQ(replayed.status, 0) << replayed.errors;
  EXPECT_EQ(replayed.state, played.state);
  EXPECT_EQ(Read("second.script"), first);
  EXPECT_NE(played.state.find("\"Name\":\"Šťastný\""), std::string::npos) << played.state;
  EXPECT_NE(played.state.find("\"Fullscreen\":false"), std::string::npos) << played.state;
}

// The game controller in a recording: its lines, and the moves and clicks its stick and A made
// as lines of their own, which the replay does not make again.
TEST_F(RecordEndToEnd, AControllersSessionReplaysToTheSameStateAndRecordsAsTheSameFileAgain) {
  Write("session.script",
        "pointer 300 100\n"
        "pad connect\n"
        "pad axis righty 32767\n"
        "wait 400\n"  // down to the load button
        "pad axis righty 0\n"
        "pad axis rightx 32767\n"
        "wait 250\n"
        "pad axis rightx 0\n"
        "pad button a down\n"
        "pad button a up\n"  // into the game
        "pad axis leftx -32768\n"
        "frames 40\n"
        "pad axis leftx 0\n"
        "pad button dpdown down\n"
        "frames 30\n"
        "pad button a down\n"
        "pad disconnect\n"  // with A held: no click
        "frames 10\n");
  const GameRun played = Kervana(dir_.path(), "--script session.script --record first.script");
  ASSERT_EQ(played.status, 0) << played.errors;
  const std::string first = Read("first.script");
  EXPECT_NE(first.find("\npad axis righty 32767\n"), std::string::npos) << first;
  EXPECT_NE(first.find("\npad button a down\n"), std::string::npos) << first;
  EXPECT_NE(first.find("\ndown left\n"), std::string::npos) << first;
  EXPECT_NE(first.find("\nmove "), std::string::npos) << first;
  EXPECT_NE(played.state.find("\"Active\":true,\"SubScreen\":0"), std::string::npos)
      << played.state;

  const GameRun replayed = Kervana(dir_.path(), "--script first.script --record second.script");
  ASSERT_EQ(replayed.status, 0) << replayed.errors;
  EXPECT_EQ(replayed.state, played.state);
  EXPECT_EQ(Read("second.script"), first);
}

TEST_F(RecordEndToEnd, AKeyMovedByOneFrameStopsTheReplayAtTheFirstCheckAfterIt) {
  Write("session.script", kSession);
  ASSERT_EQ(Kervana(dir_.path(), "--script session.script --record first.script").status, 0);
  std::vector<std::string> lines = Lines(Read("first.script"));

  // Down goes down one frame later: after the next frame tick.
  const auto key = std::find(lines.begin(), lines.end(), "keydown Down");
  ASSERT_NE(key, lines.end());
  const auto tick =
      std::find_if(key, lines.end(), [](const std::string& l) { return l.starts_with("ticks "); });
  ASSERT_NE(tick, lines.end());
  ASSERT_EQ(*tick, "ticks 1");
  const auto moved = std::rotate(key, key + 1, tick + 1);
  const auto check = std::find_if(moved, lines.end(),
                                  [](const std::string& l) { return l.starts_with("check "); });
  ASSERT_NE(check, lines.end());
  const size_t check_line = static_cast<size_t>(check - lines.begin()) + 1;
  Write("edited.script", Joined(lines));

  const GameRun run = Kervana(dir_.path(), "--script edited.script");
  EXPECT_EQ(run.status, 3);
  const std::string prefix =
      "script line " + std::to_string(check_line) + ": the replay diverged: ";
  EXPECT_TRUE(run.errors.starts_with(prefix)) << run.errors << "expected " << prefix;
  // The frame the hero should have set out on.
  EXPECT_NE(run.errors.find("diverged: pos: expected 19,21, found 19,20"), std::string::npos)
      << run.errors;
  EXPECT_EQ(Lines(run.errors).size(), 1u) << run.errors;
}

TEST_F(RecordEndToEnd, ARecordingThatCannotBeWrittenSaysSo) {
  Write("session.script", "click 500 400\nframes 10\n");
  const GameRun nowhere = Kervana(dir_.path(), "--script session.script --record no/such/r.script");
  EXPECT_EQ(nowhere.status, 2);
  EXPECT_EQ(nowhere.errors, "kervana: Cannot write no/such/r.script: No such file or directory\n");
  EXPECT_NE(nowhere.state.find("\"Sounds\":[]"), std::string::npos) << "the game was not played";

  // A disk that fills up: the game goes on without the recording, and the status says it was
  // lost.
#ifndef _WIN32  // Windows has no device that is always full
  const GameRun full = Kervana(dir_.path(), "--script session.script --record /dev/full");
  EXPECT_EQ(full.status, 2);
  EXPECT_EQ(full.errors,
            "kervana: the recording stopped: Cannot write /dev/full: No space left on device\n");
  EXPECT_NE(full.state.find("\"Ingame\":{\"Active\":true"), std::string::npos) << full.state;
#endif
}

}  // namespace
}  // namespace kv::test
