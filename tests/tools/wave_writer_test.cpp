#include "tools/writer/wave_writer.h"

#include <gtest/gtest.h>

namespace kv::writer {
namespace {

TEST(WaveWriterTest, PlainFileHasFormatThenData) {
  const std::vector<int16_t> samples = {0x0102, -2};
  const std::vector<uint8_t> expected = {
      'R',  'I',  'F',  'F', 36 + 4, 0, 0, 0, 'W',  'A',  'V',  'E',  //
      'f',  'm',  't',  ' ', 16,     0, 0, 0,                         //
      1,    0,    2,    0,                                            // PCM, two channels
      0x22, 0x56, 0,    0,                                            // 22050 Hz
      0x88, 0x58, 0x01, 0,                                            // 88200 bytes per second
      4,    0,    16,   0,                                            // four bytes a frame, 16 bits
      'd',  'a',  't',  'a', 4,      0, 0, 0, 0x02, 0x01, 0xFE, 0xFF};
  EXPECT_EQ(EncodeWav(samples, 2, 22050), expected);
}

TEST(WaveWriterTest, OddChunksArePaddedAndRawChunksMayLie) {
  const std::vector<uint8_t> list = {'a', 'b', 'c'};
  const std::vector<uint8_t> one = {0x80};
  const auto file = WavBuilder().Chunk("LIST", list).RawChunk("data", 100, one).Bytes();
  const std::vector<uint8_t> expected = {'R', 'I', 'F', 'F', 25,  0, 0, 0, 'W', 'A', 'V', 'E',  //
                                         'L', 'I', 'S', 'T', 3,   0, 0, 0, 'a', 'b', 'c', 0,    //
                                         'd', 'a', 't', 'a', 100, 0, 0, 0, 0x80};
  EXPECT_EQ(file, expected);

  // 8-bit data goes in as it is; a one-byte mono file needs its pad byte too.
  const auto eight = EncodeWav(one, 1, 8000, 8);
  ASSERT_EQ(eight.size(), 12u + 24u + 8u + 2u);
  EXPECT_EQ(eight[4], 36 + 2);
  EXPECT_EQ(eight[32], 1);  // block align
  EXPECT_EQ(eight.back(), 0);
}

}  // namespace
}  // namespace kv::writer
