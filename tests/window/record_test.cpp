// A session played in the real window is recorded, and the recording plays it again headless,
// checking itself all the way.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <string>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

constexpr const char* kRecording = "session.script";

// Frame ticks the recording holds after its first `from` bytes.
long TicksAfter(const std::string& recording, size_t from) {
  long ticks = 0;
  for (size_t line = recording.find("\nticks ", from ? from - 1 : 0); line != std::string::npos;
       line = recording.find("\nticks ", line + 1)) {
    ticks += std::stol(recording.substr(line + 7));
  }
  return ticks;
}

// A state dump with the fields that measure the real clock blanked out.
std::string WithoutClockReadings(std::string state) {
  const std::string key = "\"MeasuredFrameRate\":";
  const size_t at = state.find(key);
  if (at == std::string::npos) return state;
  const size_t end = state.find_first_not_of("0123456789", at + key.size());
  return state.replace(at + key.size(), end - at - key.size(), "_");
}

// The first field where two dumps differ, with what follows it in each, for a failure to show.
std::string FirstDifference(const std::string& a, const std::string& b) {
  size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  const size_t field = a.rfind('"', a.rfind('"', a.rfind(':', at) - 1) - 1);
  const size_t from = field == std::string::npos ? 0 : field;
  return "recorded: " + a.substr(from, at - from + 40) +
         "\nreplayed: " + b.substr(from, at - from + 40);
}

class Recording : public ::testing::Test {
 protected:
  void SetUp() override {
    x_.StartWindowManager();
    // The Czech letters of the hero's name, which the server's US keyboard lacks.
    x_.BindKeysyms({"Scaron", "tcaron", "yacute"});
    game_ = std::make_unique<WindowGame>(x_, WindowGame::Setup{{"--record", kRecording}});
    ASSERT_TRUE(game_->WaitForMenu()) << game_->Stderr();
  }

  std::string Recorded() const { return ReadText(game_->dir() / kRecording); }
  // Waits until the recording holds `part`.
  // Waits until the recording holds `part` after its first `from` bytes.
  bool Records(const std::string& part, size_t from = 0) {
    return WaitUntil([&] { return Recorded().find(part, from) != std::string::npos; }, 10s);
  }
  // Where the recording ends now.
  size_t Mark() const { return Recorded().size(); }
  bool RecordsTicksAfter(size_t mark, long ticks) {
    if (WaitUntil([&] { return TicksAfter(Recorded(), mark) >= ticks; }, 10s)) return true;
    const std::string recording = Recorded();
    ADD_FAILURE() << "fewer than " << ticks << " ticks recorded; the recording ends\n"
                  << recording.substr(recording.size() - std::min<size_t>(recording.size(), 600));
    return false;
  }

  // Plays the recording headless in the game's folder, recording it again: its exit status, and
  // its final state dump in `state`.
  int Replay(std::string& state) {
    ChildProcess::Options options;
    options.argv = {KV_BUILD_DIR "/kervana", "--headless",  "--script", kRecording,
                    "--state-out",           "replay.json", "--record", "replayed.script"};
    options.cwd = game_->dir().path().string();
    options.stderr_path = game_->dir() / "replay-stderr.txt";
    ChildProcess replay(options);
    const std::optional<int> status = replay.WaitExit(60s);
    state = ReadText(game_->dir() / "replay.json");
    return status.value_or(-1);
  }
  std::string ReplayStderr() const { return ReadText(game_->dir() / "replay-stderr.txt"); }

  XServer x_{1024, 768};
  std::unique_ptr<WindowGame> game_;
};

TEST_F(Recording, ACreationAWalkAndAFocusChangeReplayHeadlessToTheSameState) {
  WindowGame& game = *game_;

  game.ClickAt(600, 200);  // options, and back
  ASSERT_TRUE(Records("check screen=options"));
  game.ClickAt(400, 555);
  ASSERT_TRUE(game.WaitForDisplayColor(400, 300, ItemColor("Menu")));

  game.ClickAt(200, 420);  // new game, and a name typed into the field
  ASSERT_TRUE(Records("check screen=creation page=0"));
  game.ClickAt(400, 200);
  ASSERT_TRUE(game.WaitForDisplayColor(590, 265, Rgb8{0, 0, 0}));
  for (int i = 0; i < 14; ++i) x_.TapKey("BackSpace");
  for (const char* key : {"Scaron", "tcaron", "a", "s", "t", "n", "yacute"}) x_.TapKey(key);
  x_.TapKey("Return");
  ASSERT_TRUE(game.WaitForDisplayColor(590, 265, ItemColor("Braz")));

  game.ClickAt(400, 555);  // the attributes, rolled four times, each at its own time of day
  ASSERT_TRUE(Records("check screen=creation page=2"));
  for (int roll = 2; roll <= 4; ++roll) {
    game.ClickAt(500, 460);
    ASSERT_TRUE(WaitUntil([&] { return CountOf(Recorded(), "\nclock ") >= roll; }, 10s));
  }
  game.ClickAt(400, 555);
  ASSERT_TRUE(Records("check screen=creation page=3"));
  game.ClickAt(400, 555);
  ASSERT_TRUE(Records("check screen=intro page=1"));
  for (int page = 2; page <= 10; ++page) {
    game.ClickAt(620, 578);
    ASSERT_TRUE(Records("check screen=intro page=" + std::to_string(page)));
  }
  game.ClickAt(730, 570);
  ASSERT_TRUE(Records("check screen=game"));

  // Walking south on the keyboard, then east with the button held.
  size_t mark = Mark();
  x_.Key("Down", true);
  ASSERT_TRUE(RecordsTicksAfter(mark, 40));
  x_.Key("Down", false);
  ASSERT_TRUE(Records("keyup Down"));
  game.PointAt(700, 300);
  mark = Mark();
  x_.Button(1, true);
  ASSERT_TRUE(RecordsTicksAfter(mark, 40));
  mark = Mark();
  x_.Button(1, false);
  ASSERT_TRUE(Records("up left", mark));

  // Another window takes the focus for a while and gives it back.
  mark = Mark();
  const unsigned long thief = x_.OpenFocusThief(100, 100, 300, 200);
  ASSERT_TRUE(Records("deactivate", mark));
  const unsigned long own = game.FindWindow();
  mark = Mark();
  x_.Activate(own);
  ASSERT_TRUE(WaitUntil([&] { return x_.FocusedWindow() == own; }, 5s));
  x_.CloseWindow(thief);
  ASSERT_TRUE(RecordsTicksAfter(mark, 10));

  game.LeaveWithEscape();
  const std::string recording = Recorded();
  EXPECT_TRUE(recording.starts_with("recorded\n")) << recording.substr(0, 80);
  EXPECT_NE(recording.find("text \"Š"), std::string::npos);
  EXPECT_GT(CountOf(recording, "\ncheck "), 20);
  const std::string recorded = game.State();
  EXPECT_NE(recorded.find("\"Name\":\"Šťastný\""), std::string::npos) << recorded;
  EXPECT_GT(JsonNumber(recorded, "CellY").value_or(0), 22) << recorded;
  EXPECT_GT(JsonNumber(recorded, "CellX").value_or(0), 20) << recorded;

  std::string replayed;
  ASSERT_EQ(Replay(replayed), 0) << ReplayStderr();
  const std::string a = WithoutClockReadings(recorded);
  const std::string b = WithoutClockReadings(replayed);
  EXPECT_EQ(a, b) << FirstDifference(a, b);
  EXPECT_EQ(ReadText(game.dir() / "replayed.script"), recording) << "recorded again, not the same";
}

TEST_F(Recording, AGameKilledMidSessionLeavesARecordingThatReplays) {
  WindowGame& game = *game_;
  game.ClickAt(500, 400);  // load: straight into the game
  ASSERT_TRUE(Records("check screen=game"));
  size_t mark = Mark();
  x_.Key("Down", true);
  ASSERT_TRUE(RecordsTicksAfter(mark, 40));
  x_.Key("Down", false);
  ASSERT_TRUE(Records("keyup Down"));
  mark = Mark();
  ASSERT_TRUE(RecordsTicksAfter(mark, 30));

  game.Signal(SIGKILL);
  ASSERT_EQ(game.WaitExit(), 128 + SIGKILL);
  const std::string recording = Recorded();
  ASSERT_TRUE(recording.ends_with("\n")) << "a line cut short";

  std::string replayed;
  ASSERT_EQ(Replay(replayed), 0) << ReplayStderr();
  EXPECT_NE(replayed.find("\"Ingame\":{\"Active\":true"), std::string::npos) << replayed;
  EXPECT_GT(JsonNumber(replayed, "CellY").value_or(0), 22) << replayed;
}

TEST(RecordingDemo, AHeadlessRecordingPlaysInAWindowAtItsPaceToTheSameState) {
  TempDir made;
  WriteGameData(made.path().string());
  {
    std::ofstream(made.path() / "session.script")
        << "move 520 420\nclick 500 400\nframes 20\nkeydown Right\nframes 60\nkeyup Right\n"
           "frames 40\n";
  }
  ChildProcess::Options options;
  options.argv = {KV_BUILD_DIR "/kervana", "--headless",  "--script",  "session.script", "--record",
                  "demo.script",           "--state-out", "state.json"};
  options.cwd = made.path().string();
  ASSERT_EQ(ChildProcess(options).WaitExit(30s), 0);
  const std::string recording = ReadText(made.path() / "demo.script");
  const size_t first_ms = recording.find("\nms ");
  const size_t last_ms = recording.rfind("\nms ");
  ASSERT_NE(first_ms, std::string::npos);
  const long span_ms =
      std::stol(recording.substr(last_ms + 4)) - std::stol(recording.substr(first_ms + 4));
  ASSERT_GT(span_ms, 1500);

  XServer x(1024, 768);
  const auto start = std::chrono::steady_clock::now();
  WindowGame demo(x, WindowGame::Setup{{"--script", (made.path() / "demo.script").string()}});
  ASSERT_EQ(demo.WaitExit(30s), 0) << demo.Stderr();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(span_ms)) << "faster than it was recorded";
  EXPECT_EQ(demo.State(), ReadText(made.path() / "state.json"));
}

}  // namespace
}  // namespace kv::test
