// Writing into what only POSIX systems have under a name: devices and FIFOs.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/replace_file.h"
#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

TEST(WriteOutputFile, DevicesAndFifosAreWrittenIntoAndTheirFailuresSeen) {
  EXPECT_EQ(WriteOutputFile("/dev/null", Bytes("gone")), WriteResult::kWritten);
  EXPECT_EQ(WriteOutputFile("/dev/full", Bytes("lost")), WriteResult::kWriteFailed);

  test::TempDir dir;
  const std::string fifo = dir / "pipe";
  test::MakeFifo(fifo);
  WriteResult result = WriteResult::kWritten;
  EXPECT_TRUE(test::ReturnsAtOnce([&] { result = WriteOutputFile(fifo, Bytes("x")); }, fifo));
  EXPECT_EQ(result, WriteResult::kCannotCreate) << "nobody reads the FIFO: refused, not waited on";

  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(WriteOutputFile(fifo, Bytes("state")), WriteResult::kWritten);
  char got[16] = {};
  EXPECT_EQ(read(reader, got, sizeof got), 5);
  EXPECT_STREQ(got, "state");
  close(reader);
  EXPECT_FALSE(fs::is_regular_file(fifo));
}

}  // namespace
}  // namespace kv
