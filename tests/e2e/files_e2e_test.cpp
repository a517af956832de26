// The real binary and the files around it: what it opens (regular files only, never waiting)
// and what it writes (checked to the end, the old file kept when that fails).
#include <gtest/gtest.h>

#include <cstdint>
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

struct Outcome {
  int status = -1;
  std::string err;
};

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";
#endif

// Runs kervana headless in `dir` with the script file `script` and the further arguments in
// `rest`, its standard output into `out` (none: the null device) and no file it writes larger
// than `file_size_limit` (0: no limit). A program that hangs is stopped after a while and fails
// the test.
Outcome RunKervana(const TempDir& dir, const std::string& script,
                   const std::vector<std::string>& rest, const std::string& out = "",
                   uint64_t file_size_limit = 0) {
  std::vector<std::string> argv = {GameProgram(), "--headless", "--script", script};
  argv.insert(argv.end(), rest.begin(), rest.end());
  const int status = RunToEnd({.argv = argv,
                               .cwd = dir.path().string(),
                               .stdout_path = out,
                               .stderr_path = dir / "stderr.txt",
                               .file_size_limit = file_size_limit});
  return {status, ReadOutput(dir / "stderr.txt")};
}

class FilesEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteGameData(dir_.path().string());
    fs::copy_file(TestFont("LiberationSans-Bold.ttf"), dir_ / "data/Elixir.ttf");
  }
  void Script(const std::string& lines) { std::ofstream(dir_ / "script.txt") << lines; }

  TempDir dir_;
};

TEST_F(FilesEndToEnd, AFifoInPlaceOfACollectionFileIsRefusedAtOnce) {
  KV_SKIP_ON_WINDOWS("Windows has no FIFOs");
  fs::remove(dir_ / "data/objects.dat");
  MakeFifo(dir_ / "data/objects.dat");
  Script("state -\n");
  const Outcome run = RunKervana(dir_, "script.txt", {"--state-out", "state.json"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "Kervana: data/objects.dat\nCannot open file data/objects.dat.\nNot a regular file\n");
  EXPECT_NE(
      ReadText(dir_ / "state.json").find("\"Errors\":[\"Cannot open file data/objects.dat\"]"),
      std::string::npos);
}

TEST_F(FilesEndToEnd, AFifoInPlaceOfTheFontIsAMissingFont) {
  KV_SKIP_ON_WINDOWS("Windows has no FIFOs");
  fs::remove(dir_ / "data/Elixir.ttf");
  MakeFifo(dir_ / "data/Elixir.ttf");
  Script("click 300 450\nclick 400 250\ntype Abc\n");
  const Outcome run = RunKervana(dir_, "script.txt", {"--state-out", "state.json"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "kervana: data/Elixir.ttf missing or unreadable; using a stand-in face\n");
  EXPECT_NE(ReadText(dir_ / "state.json").find("\"Errors\":[]"), std::string::npos);
}

TEST_F(FilesEndToEnd, OnlyARegularFileIsAScript) {
  fs::create_directory(dir_ / "scripts");
  std::vector<std::string> scripts = {"scripts", "missing.script"};
#ifndef _WIN32
  MakeFifo(dir_ / "fifo.script");
  scripts.push_back("fifo.script");
#endif
  for (const std::string& script : scripts) {
    const Outcome run = RunKervana(dir_, script, {"--state-out", "state.json"});
    EXPECT_EQ(run.status, 2) << script;
    EXPECT_EQ(run.err, "kervana: cannot open script " + script + "\n");
    EXPECT_FALSE(fs::exists(dir_ / "state.json")) << "the game never started";
  }
}

TEST_F(FilesEndToEnd, AStateDumpThatCannotBeWrittenIsAFailure) {
  KV_SKIP_ON_WINDOWS("Windows has no device that is always full");
  Script("click 500 400\nframes 3\nstate -\n");
  Outcome run = RunKervana(dir_, "script.txt", {}, "/dev/full");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "script line 3: cannot write standard output: state -\n");

  Script("frames 3\n");
  run = RunKervana(dir_, "script.txt", {"--state-out", "/dev/full"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "kervana: cannot write /dev/full\n");

  Script("state /dev/full\n");
  run = RunKervana(dir_, "script.txt", {});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "script line 1: cannot write /dev/full: state /dev/full\n");
}

TEST_F(FilesEndToEnd, AShotThatCannotBeWrittenIsAFailureAndKeepsTheOldShot) {
  KV_SKIP_ON_WINDOWS("Windows limits no process's file sizes, nor has a full device");
  std::ofstream(dir_ / "menu.png") << "the old shot";
  Script("move 300 300\nshot menu.png\n");
  Outcome run = RunKervana(dir_, "script.txt", {}, "", 512);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "script line 2: cannot write menu.png: shot menu.png\n");
  EXPECT_EQ(ReadText(dir_ / "menu.png"), "the old shot");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 4)
      << "data, script, stderr and the old shot; nothing half-written";

  Script("shot /dev/full\n");
  run = RunKervana(dir_, "script.txt", {});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "script line 1: cannot write /dev/full: shot /dev/full\n");
}

// Standard output is the null device here: output that goes nowhere is not lost.
TEST_F(FilesEndToEnd, AStateDumpToADeviceIsWrittenIntoIt) {
  Script("state -\n");
  EXPECT_EQ(RunKervana(dir_, "script.txt", {"--state-out", kNullDevice}, kNullDevice).status, 0);
}

}  // namespace
}  // namespace kv::test
