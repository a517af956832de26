// A file written a line at a time: every line is in the file as soon as it is written, and a
// write that fails says why and takes no more.
#include "platform/line_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

TEST(LineFile, EachLineIsInTheFileOnceWritten) {
  test::TempDir dir;
  const std::string path = (dir.path() / "r.script").string();
  EXPECT_FALSE(LineFile::WouldReplace(path));
  LineFile file(path);
  file.Append("recorded");
  EXPECT_EQ(test::ReadText(path), "recorded\n");
  file.Append("type Š");
  EXPECT_EQ(test::ReadText(path), "recorded\ntype Š\n");
  file.Close();
}

// Whatever already has the name is refused and left exactly as it was; only a device or a FIFO
// (a pipe, /dev/stdout) is written into.
TEST(LineFile, ATakenNameIsRefusedAndLeftAsItWas) {
  test::TempDir dir;
  const std::string file = dir / "file";
  std::ofstream(file) << "an old recording\n";
  fs::create_symlink(file, dir / "link");
  fs::create_symlink(dir / "missing", dir / "dangling");
  fs::create_directory(dir / "folder");
  test::MakeFifo(dir / "fifo");
  fs::create_symlink(dir / "fifo", dir / "to-fifo");
  for (const char* name : {"file", "link", "dangling", "folder"}) {
    const std::string path = dir / name;
    EXPECT_TRUE(LineFile::WouldReplace(path)) << name;
    EXPECT_EQ(test::MessageOf([&] { LineFile taken(path); }),
              "Cannot write " + path + ": File exists")
        << name;
  }
  EXPECT_EQ(test::ReadText(file), "an old recording\n");
  EXPECT_FALSE(fs::exists(dir / "missing")) << "a link must not be followed to make a file";
  for (const std::string& path : {dir / "fifo", dir / "to-fifo", std::string("/dev/null"),
                                  std::string("/dev/stdout"), dir / "new"}) {
    EXPECT_FALSE(LineFile::WouldReplace(path)) << path;
  }
  LineFile null("/dev/null");
  null.Append("recorded");
  null.Close();
}

// Lines written into a file nobody can find any more under its name are lost, and must be
// reported as lost.
TEST(LineFile, AFileRemovedOrReplacedWhileWrittenIsReportedAtTheEnd) {
  test::TempDir dir;
  const std::string path = dir / "r.script";
  const std::vector<std::pair<const char*, std::function<void()>>> cases = {
      {"removed", [&] { fs::remove(path); }},
      {"replaced", [&] { fs::rename(dir / "other", path); }},
      {"folder renamed", [&] { fs::rename(dir.path() / "in", dir.path() / "out"); }},
      {"folder removed", [&] { fs::remove_all(dir.path() / "in"); }},
  };
  for (const auto& [name, change] : cases) {
    const bool in_folder = std::string_view(name).starts_with("folder");
    fs::create_directory(dir.path() / "in");
    const std::string target = in_folder ? dir / "in/r.script" : path;
    std::ofstream(dir / "other") << "another file\n";
    LineFile file(target);
    file.Append("recorded");
    change();
    EXPECT_EQ(test::MessageOf([&] { file.Close(); }),
              "Cannot write " + target + ": the file was removed or replaced while it was written")
        << name;
    fs::remove_all(dir.path() / "in");
    fs::remove_all(dir.path() / "out");
    fs::remove(path);
  }
}

TEST(LineFile, AFileThatCannotBeWrittenSaysWhy) {
  test::TempDir dir;
  EXPECT_EQ(
      test::MessageOf([&] { LineFile file((dir.path() / "no/r.script").string()); }),
      "Cannot write " + (dir.path() / "no/r.script").string() + ": No such file or directory");
  const std::string fifo = (dir.path() / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(test::MessageOf([&] { LineFile file(fifo); }),
            "Cannot write " + fifo + ": No such device or address")
      << "a FIFO nobody reads must not keep the program waiting";

  LineFile full("/dev/full");
  EXPECT_EQ(test::MessageOf([&] { full.Append("recorded"); }),
            "Cannot write /dev/full: No space left on device");
  EXPECT_EQ(test::MessageOf([&] { full.Append("ticks 1"); }),
            "Cannot write /dev/full: the file is closed");
}

}  // namespace
}  // namespace kv
