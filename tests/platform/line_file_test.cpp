// A file written a line at a time: every line is in the file as soon as it is written, and a
// write that fails says why and takes no more.
#include "platform/line_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>

#include "platform/error.h"
#include "support/test_support.h"

namespace kv {
namespace {

TEST(LineFile, EachLineIsInTheFileOnceWrittenAndAnOldFileIsEmptiedFirst) {
  test::TempDir dir;
  const std::string path = (dir.path() / "r.script").string();
  std::ofstream(path) << "an old recording, much longer than the new one\n";
  LineFile file(path);
  file.Append("recorded");
  EXPECT_EQ(test::ReadText(path), "recorded\n");
  file.Append("type Š");
  EXPECT_EQ(test::ReadText(path), "recorded\ntype Š\n");
  file.Close();
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
