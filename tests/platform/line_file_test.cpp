// A file written a line at a time: every line is in the file as soon as it is written, and a
// write that fails says why and takes no more.
#include "platform/line_file.h"

#include <gtest/gtest.h>

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

// Whatever already has the name is refused and left exactly as it was (links, FIFOs and
// devices: line_file_posix_test.cpp).
TEST(LineFile, ATakenNameIsRefusedAndLeftAsItWas) {
  test::TempDir dir;
  const std::string file = dir / "file";
  std::ofstream(file, std::ios::binary) << "an old recording\n";
  fs::create_directory(dir / "folder");
  for (const char* name : {"file", "folder"}) {
    const std::string path = dir / name;
    EXPECT_TRUE(LineFile::WouldReplace(path)) << name;
    EXPECT_EQ(test::MessageOf([&] { LineFile taken(path); }),
              "Cannot write " + path + ": File exists")
        << name;
  }
  EXPECT_EQ(test::ReadText(file), "an old recording\n");
  EXPECT_FALSE(LineFile::WouldReplace(dir / "new"));
}

// Lines written into a file nobody can find any more under its name are lost, and must be
// reported as lost.
TEST(LineFile, AFileRemovedOrReplacedWhileWrittenIsReportedAtTheEnd) {
  KV_SKIP_ON_WINDOWS(
      "Windows gives no open file's name, nor its folder's, to another; and Wine "
      "does not mark an open file removed as pending deletion");
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
}

}  // namespace
}  // namespace kv
