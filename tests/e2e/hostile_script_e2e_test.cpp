// Scripts and recordings as an attacker would write them, played by the real binary: a replay
// writes nothing, nothing runs for ever or takes memory without bound, and every failure says so
// with its status.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
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

constexpr const char* kEnterNameAndWrite =
    "click 300 450\n"
    "click 400 250\n"
    "key End\n"
    "type $(touch pwned)\n";

class HostileScripts : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteGameData(dir_.path().string());
    std::filesystem::copy_file(TestFont("LiberationSans-Bold.ttf"),
                               dir_.path() / "data/Elixir.ttf");
  }

  // Runs kervana headless in the test's folder with the arguments after --headless (split at
  // blanks), the environment's `settings` added; `unread_output`: into a pipe nobody reads.
  GameRun Kervana(const std::string& args, const std::vector<std::string>& settings = {},
                  bool unread_output = false) const {
    std::vector<std::string> argv = {GameProgram(), "--headless", "--state-out", "state.json"};
    std::istringstream words(args);
    for (std::string word; words >> word;) argv.push_back(word);
    std::filesystem::remove(dir_.path() / "state.json");
    // A day of waits is millions of frame ticks: more than a minute under the sanitizers. A run
    // that hangs still ends the case.
    const int status = RunToEnd({.argv = argv,
                                 .env = settings,
                                 .cwd = dir_.path().string(),
                                 .stderr_path = dir_ / "stderr.txt",
                                 .stdout_unread = unread_output},
                                std::chrono::minutes(5));
    return {status, Read("state.json"), ReadOutput(dir_ / "stderr.txt")};
  }
  std::string Read(const std::string& name) const { return ReadText(dir_ / name); }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name, std::ios::binary) << text;
  }
  bool Exists(const std::string& name) const {
    return std::filesystem::exists(std::filesystem::symlink_status(dir_.path() / name));
  }

  TempDir dir_;
};

TEST_F(HostileScripts, EachAttackIsRefusedWithItsStatusAndWritesNothing) {
  const struct {
    std::string name;
    std::string script;
    std::string args;  // after --headless --state-out state.json
    int status;
    std::string error;  // what standard error starts with
  } cases[] = {
      // A recording overwriting a file of the maintainer's, whichever option plays it.
      {"state in a recording", std::string("recorded\n") + kEnterNameAndWrite + "state victim\n",
       "--replay s", 2, "script line 6: a recording writes no files: state victim"},
      {"state in a recording played as a script",
       std::string("recorded\n") + kEnterNameAndWrite + "state victim\n", "--script s", 2,
       "script line 6: a recording writes no files"},
      {"shot in a recording", "# mine\nrecorded windowed\nshot victim\n", "--replay s", 2,
       "script line 3: a recording writes no files: shot victim"},
      {"a script is no recording", "state victim\n", "--replay s", 2,
       "kervana: --replay: s is not a recording (its first line is not 'recorded')"},
      {"recorded later on", "frames 1\nrecorded\n", "--replay s", 2,
       "kervana: --replay: s is not a recording"},
      {"a second recorded", "recorded\nrecorded\n", "--replay s", 2,
       "script line 2: only as the first line"},
      // Counts and times that would wrap or never end are refused at once.
      {"a wait that wraps", "wait 4294967296\n", "--script s", 2,
       "script line 1: expected milliseconds from 0 to 86400000: wait 4294967296"},
      {"endless frames", "frames 9223372036854775807\n", "--script s", 2,
       "script line 1: expected a count from 0 to 10000000"},
      {"a day of waits, then more", "wait 86400000\nwait 1\n", "--script s", 2,
       "script line 2: the run would make more than 86400000 ms of waits"},
      {"too many frames in all", "frames 0\n" + std::string("frames 10000000\n") + "frames 1\n",
       "--script s", 2, "script line 3: the run would make more than 10000000 frame ticks"},
      // Lines read whole or not at all; what is quoted cannot work the terminal.
      {"a NUL byte in a path", std::string("shot notes.txt\0.png\n", 20), "--script s", 2,
       "script line 1: a NUL byte"},
      {"a NUL byte in a comment", std::string("# \0\nstate victim\n", 18), "--script s", 2,
       "script line 1: a NUL byte"},
      {"a line too long", "type " + std::string(70000, 'a') + "\n", "--script s", 2,
       "script line 1: longer than 65536 bytes"},
      {"a terminal's escape", "frames 1 \x1b]2;owned\x07\n", "--script s", 2,
       "script line 1: unexpected words at the end: '\\x1b]2;owned\\x07': frames 1 "
       "\\x1b]2;owned\\x07"},
      // A recording that ends the game before its end.
      {"lines after the game ended", "recorded\nkey Escape\nframes 1\ntimer\n# no more\nend\n",
       "--replay s", 3,
       "script line 2: the replay diverged: the game ended with 2 lines of the recording still to "
       "play"},
      {"a line after end", "recorded\nend\ntimer\n", "--replay s", 2,
       "script line 2: lines after 'end'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Write("victim", "the maintainer's\n");
    Write("s", c.script);
    const GameRun run = Kervana(c.args);
    EXPECT_EQ(run.status, c.status) << run.errors;
    EXPECT_TRUE(run.errors.starts_with(c.error)) << run.errors;
    EXPECT_EQ(run.errors.find('\x1b'), std::string::npos);
    EXPECT_EQ(Read("victim"), "the maintainer's\n");
    EXPECT_FALSE(Exists("pwned") || Exists("notes.txt") || Exists("notes.txt.png"));
  }
}

TEST_F(HostileScripts, AReplayEndsAsItsRecordingDid) {
  // Ended by the game itself: quiet, whether or not the "end" line is reached.
  Write("ended.script", "\xEF\xBB\xBF# a recording\nrecorded\nkey Escape\nend\n");
  GameRun run = Kervana("--replay ended.script");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors, "");
  EXPECT_NE(run.state.find("\"Running\":false"), std::string::npos) << run.state;

  // F12 takes no picture of its own in a replay.
  Write("ended.script", "recorded\nclick 300 450\nkey F12\ntimer\nend\n");
  const std::vector<std::string> home_here = {"HOME=" + dir_.path().string(), "XDG_CONFIG_HOME="};
  run = Kervana("--replay ended.script", home_here);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.errors, "");
  EXPECT_FALSE(Exists("Pictures"));
  run = Kervana("--script ended.script", home_here);
  EXPECT_FALSE(Exists("Pictures")) << "a recording played as a script neither";

  // A recording whose game was killed: played as far as it goes, and said so.
  Write("cut.script", "recorded\nclick 300 450\ntimer\n");
  run = Kervana("--replay cut.script");
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_TRUE(run.errors.starts_with("kervana: the recording was cut short")) << run.errors;
  EXPECT_NE(run.state.find("\"Newgame\":{\"Active\":true"), std::string::npos) << run.state;
}

TEST_F(HostileScripts, ARecordingNeverReplacesAFileAndIsMadeOnlyByAGameThatStarted) {
  Write("s", "click 300 450\nframes 2\n");
  Write("mine.script", "my own work\n");
  GameRun run = Kervana("--script s --record mine.script");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors,
            "kervana: --record: mine.script already exists, and a recording never replaces a "
            "file\n");
  EXPECT_EQ(Read("mine.script"), "my own work\n");
  EXPECT_EQ(run.state, "") << "refused before the game started";

#ifndef _WIN32  // making a link on Windows takes a right that players do not have
  std::filesystem::create_symlink("elsewhere", dir_.path() / "link.script");
  EXPECT_EQ(Kervana("--script s --record link.script").status, 2);
  EXPECT_FALSE(Exists("elsewhere"));
#endif

  std::filesystem::remove_all(dir_.path() / "data");
  run = Kervana("--script s --record new.script --data data");
  EXPECT_EQ(run.status, 1);
  EXPECT_FALSE(Exists("new.script")) << "a game that cannot start records nothing";

  WriteGameData(dir_.path().string());
  std::filesystem::copy_file(TestFont("LiberationSans-Bold.ttf"), dir_.path() / "data/Elixir.ttf");
  run = Kervana("--script s --record new.script");
  EXPECT_EQ(run.status, 0) << run.errors;
  const std::string recording = Read("new.script");
  EXPECT_TRUE(recording.starts_with("recorded\n# Recorded by kervana ")) << recording;
  EXPECT_TRUE(recording.ends_with("\nend\n")) << recording;
  EXPECT_EQ(Kervana("--replay new.script").status, 0);
}

TEST_F(HostileScripts, ScriptsLargerThanAScriptMayBeAreRefusedBeforeTheGameStarts) {
  { std::ofstream(dir_.path() / "huge.script") << "frames 1\n"; }
  std::filesystem::resize_file(dir_.path() / "huge.script", 300u << 20);  // sparse: NUL bytes
  const GameRun run = Kervana("--script huge.script");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors,
            "kervana: script huge.script is larger than 268435456 bytes, more than a script may "
            "be\n");
  EXPECT_EQ(run.state, "");
}

// Polls `done` until it holds or ten seconds have gone by.
bool Eventually(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// Ctrl+C or kill stops a headless run as closing the window does: its state written, where it
// stopped said, status 0; and a recording whose file went meanwhile is reported as lost.
TEST_F(HostileScripts, ASignalStopsAHeadlessRunWithItsStateWritten) {
  KV_SKIP_ON_WINDOWS("Windows has no signals; Ctrl+C at a console is a console's event");
  const struct {
    std::string script;
    std::string option;
    int signal;
    std::string stopped;     // the line into the game,
    std::string or_stopped;  // or the line after it
  } cases[] = {
      {"click 500 400\nframes 10000000\n", "--script", SIGTERM, "line 1", "line 2"},
      {"recorded\nclick 500 400\nticks 10000000\nend\n", "--replay", SIGINT, "line 2", "line 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    std::filesystem::remove(dir_.path() / "data/maps/0.num");
    std::filesystem::remove(dir_.path() / "state.json");
    std::filesystem::remove(dir_.path() / "r.script");
    Write("s", c.script);
    ChildProcess::Options options;
    options.argv = {GameProgram(), "--headless", c.option,   "s",
                    "--state-out", "state.json", "--record", "r.script"};
    options.cwd = dir_.path().string();
    options.stderr_path = (dir_.path() / "stderr.txt").string();
    ChildProcess game(options);
    // The game view is up once its map is written.
    ASSERT_TRUE(Eventually([&] { return Exists("data/maps/0.num") && Exists("r.script"); }));
    std::filesystem::remove(dir_.path() / "r.script");
    game.Signal(c.signal);
    EXPECT_EQ(game.WaitExit(std::chrono::seconds(20)), 2) << "the recording was lost";
    // The signal may come while the line into the game is still running, or on the next.
    const std::string errors = Read("stderr.txt");
    EXPECT_TRUE(errors.starts_with("kervana: stopped at script line ")) << errors;
    EXPECT_TRUE(errors.find(c.stopped + "\n") != std::string::npos ||
                errors.find(c.or_stopped + "\n") != std::string::npos)
        << errors;
    EXPECT_TRUE(errors.ends_with(
        "\nkervana: the recording stopped: Cannot write r.script: the file was removed or "
        "replaced while it was written\n"))
        << errors;
    const std::string state = Read("state.json");
    EXPECT_NE(state.find("\"Running\":false"), std::string::npos) << state;
    EXPECT_NE(state.find("\"Ingame\":{\"Active\":true"), std::string::npos) << state;
  }
}

TEST_F(HostileScripts, AStateDumpIntoAPipeNobodyReadsFailsWithAMessage) {
  Write("s", "state -\nframes 1\n");
  const GameRun run = Kervana("--script s", {}, true);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors, "script line 1: cannot write standard output: state -\n");
}

}  // namespace
}  // namespace kv::test
