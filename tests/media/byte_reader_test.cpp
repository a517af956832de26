#include "media/byte_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kv {
namespace {

TEST(ByteReader, ReadsLittleEndianUpToTheEndAndNotBeyond) {
  const std::vector<uint8_t> bytes = {0xFE, 0x34, 0x12, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x92, 7};
  ByteReader in(bytes);
  EXPECT_EQ(in.ReadI8(), -2);
  EXPECT_EQ(in.ReadU16(), 0x1234);
  EXPECT_EQ(in.ReadI16(), -1);
  EXPECT_EQ(in.ReadI32(), static_cast<int32_t>(0x92345678));
  EXPECT_EQ(in.PeekU8(), 7);
  EXPECT_EQ(in.remaining(), 1u);
  EXPECT_THROW(in.ReadU16(), Error);
  EXPECT_EQ(in.position(), 9u);  // a failed read consumes nothing
  EXPECT_EQ(in.ReadU8(), 7);
  EXPECT_TRUE(in.AtEnd());
  EXPECT_THROW(in.PeekU8(), Error);
  EXPECT_EQ(in.ReadBytes(0).size(), 0u);
}

TEST(ByteReader, LengthsBeyondTheRestFailBeforeAllocating) {
  const std::vector<uint8_t> bytes(16, 1);
  ByteReader in(bytes);
  in.Skip(4);
  for (size_t n : {size_t{13}, size_t{0x7FFFFFFF}, SIZE_MAX}) {
    try {
      in.ReadVector(n);
      FAIL() << n;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Stream read error");
    }
    EXPECT_THROW(in.Skip(n), Error);
  }
  EXPECT_EQ(in.ReadString(12).size(), 12u);
  EXPECT_THROW(in.Seek(17), Error);
  in.Seek(16);
  EXPECT_TRUE(in.AtEnd());
}

}  // namespace
}  // namespace kv
