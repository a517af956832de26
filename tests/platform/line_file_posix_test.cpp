// A line file over what only POSIX systems have: links, FIFOs and devices by name.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/line_file.h"
#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// A link is refused as the name it holds, whatever it leads to; only a device or a FIFO (a pipe,
// /dev/stdout) is written into.
TEST(LineFile, LinksAreRefusedAndDevicesAndFifosWrittenInto) {
  test::TempDir dir;
  const std::string file = dir / "file";
  std::ofstream(file) << "an old recording\n";
  fs::create_symlink(file, dir / "link");
  fs::create_symlink(dir / "missing", dir / "dangling");
  test::MakeFifo(dir / "fifo");
  fs::create_symlink(dir / "fifo", dir / "to-fifo");
  for (const char* name : {"link", "dangling"}) {
    const std::string path = dir / name;
    EXPECT_TRUE(LineFile::WouldReplace(path)) << name;
    EXPECT_EQ(test::MessageOf([&] { LineFile taken(path); }),
              "Cannot write " + path + ": File exists")
        << name;
  }
  EXPECT_EQ(test::ReadText(file), "an old recording\n");
  EXPECT_FALSE(fs::exists(dir / "missing")) << "a link must not be followed to make a file";
  for (const std::string& path :
       {dir / "fifo", dir / "to-fifo", std::string("/dev/null"), std::string("/dev/stdout")}) {
    EXPECT_FALSE(LineFile::WouldReplace(path)) << path;
  }
  LineFile null("/dev/null");
  null.Append("recorded");
  null.Close();
}

TEST(LineFile, AFifoNobodyReadsOrAFullDeviceSaysWhy) {
  test::TempDir dir;
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
