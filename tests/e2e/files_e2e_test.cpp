// The real binary and the files around it: what it opens (regular files only, never waiting)
// and what it writes (checked to the end, the old file kept when that fails).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/game_data.h"
#include "support/test_support.h"

namespace kv::test {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string err;
};

// Runs kervana headless in `dir` with the script file `script` and the further arguments and
// redirections in `rest`; `before` runs first in the same shell (a limit, say). A program that
// hangs is stopped after a while and fails the test.
Outcome RunKervana(const TempDir& dir, const std::string& script, const std::string& rest,
                   const std::string& before = "") {
  const std::string command = "cd '" + dir.path().string() + "' && " + before +
                              " timeout -k 5 60 '" KV_BUILD_DIR "/kervana' --headless --script '" +
                              script + "' " + rest + " 2> stderr.txt";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadText(dir / "stderr.txt")};
}

class FilesEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteGameData(dir_.path().string());
    fs::copy_file("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
                  dir_ / "data/Elixir.ttf");
  }
  void Script(const std::string& lines) { std::ofstream(dir_ / "script.txt") << lines; }

  TempDir dir_;
};

TEST_F(FilesEndToEnd, AFifoInPlaceOfACollectionFileIsRefusedAtOnce) {
  fs::remove(dir_ / "data/objects.dat");
  MakeFifo(dir_ / "data/objects.dat");
  Script("state -\n");
  const Outcome run = RunKervana(dir_, "script.txt", "--state-out state.json");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "Kervana: data/objects.dat\nCannot open file data/objects.dat.\nNot a regular file\n");
  EXPECT_NE(
      ReadText(dir_ / "state.json").find("\"Errors\":[\"Cannot open file data/objects.dat\"]"),
      std::string::npos);
}

TEST_F(FilesEndToEnd, AFifoInPlaceOfTheFontIsAMissingFont) {
  fs::remove(dir_ / "data/Elixir.ttf");
  MakeFifo(dir_ / "data/Elixir.ttf");
  Script("click 300 450\nclick 400 250\ntype Abc\n");
  const Outcome run = RunKervana(dir_, "script.txt", "--state-out state.json");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "kervana: data/Elixir.ttf missing or unreadable; using a stand-in face\n");
  EXPECT_NE(ReadText(dir_ / "state.json").find("\"Errors\":[]"), std::string::npos);
}

TEST_F(FilesEndToEnd, OnlyARegularFileIsAScript) {
  fs::create_directory(dir_ / "scripts");
  MakeFifo(dir_ / "fifo.script");
  for (const std::string script : {"scripts", "fifo.script", "missing.script"}) {
    const Outcome run = RunKervana(dir_, script, "--state-out state.json");
    EXPECT_EQ(run.status, 2) << script;
    EXPECT_EQ(run.err, "kervana: cannot open script " + script + "\n");
    EXPECT_FALSE(fs::exists(dir_ / "state.json")) << "the game never started";
  }
}

TEST_F(FilesEndToEnd, AStateDumpThatCannotBeWrittenIsAFailure) {
  Script("click 500 400\nframes 3\nstate -\n");
  Outcome run = RunKervana(dir_, "script.txt", "> /dev/full");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "script line 3: cannot write standard output: state -\n");

  Script("frames 3\n");
  run = RunKervana(dir_, "script.txt", "--state-out /dev/full");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "kervana: cannot write /dev/full\n");

  Script("state /dev/full\n");
  run = RunKervana(dir_, "script.txt", "");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "script line 1: cannot write /dev/full: state /dev/full\n");
}

TEST_F(FilesEndToEnd, AShotThatCannotBeWrittenIsAFailureAndKeepsTheOldShot) {
  std::ofstream(dir_ / "menu.png") << "the old shot";
  Script("move 300 300\nshot menu.png\n");
  Outcome run = RunKervana(dir_, "script.txt", "", "trap '' XFSZ; ulimit -f 1;");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "script line 2: cannot write menu.png: shot menu.png\n");
  EXPECT_EQ(ReadText(dir_ / "menu.png"), "the old shot");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 4)
      << "data, script, stderr and the old shot; nothing half-written";

  Script("shot /dev/full\n");
  run = RunKervana(dir_, "script.txt", "");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "script line 1: cannot write /dev/full: shot /dev/full\n");
}

// Standard output is /dev/null here: output that goes nowhere is not lost.
TEST_F(FilesEndToEnd, AStateDumpToADeviceIsWrittenIntoIt) {
  Script("state -\n");
  EXPECT_EQ(RunKervana(dir_, "script.txt", "--state-out /dev/null > /dev/null").status, 0);
}

}  // namespace
}  // namespace kv::test
