#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "media/byte_reader.h"
#include "media/wave_collection.h"
#include "platform/error.h"

namespace kv {
namespace {

constexpr const char* kWaveIsInvalid = "Wave is invalid";

// A RIFF chunk size with the top bit set would, taken as signed, move the scan backwards.
constexpr uint32_t kMaxChunkSize = 0x7FFFFFFF;

bool IdIs(const uint8_t* id, const char (&name)[5]) {
  return std::memcmp(id, name, 4) == 0;
}

}  // namespace

// A "Wave.WAVE" value is a RIFF WAVE file:
//   offset  size  field
//        0     4  "RIFF"
//        4     4  size (not needed)
//        8     4  "WAVE"
//       12        chunks: 4-byte id, 32-bit size, size bytes, a pad byte after an odd size
// "fmt " is kept whole; "data" is the sample data; any other chunk is passed over. A chunk
// header cut short by the end of the value reads its missing bytes as zero, and an id of four
// zero bytes ends the scan.
TWave ReadWavePayload(std::span<const uint8_t> value) {
  TWave wave;
  if (value.empty()) return wave;
  if (value.size() < 12 || std::memcmp(value.data(), "RIFF", 4) != 0 ||
      std::memcmp(value.data() + 8, "WAVE", 4) != 0) {
    throw Error(kWaveIsInvalid);
  }

  struct Span {
    size_t offset;
    size_t size;
  };
  std::optional<Span> data;
  size_t position = 12;
  while (position < value.size()) {
    uint8_t header[8] = {};
    const size_t have = std::min<size_t>(8, value.size() - position);
    std::memcpy(header, value.data() + position, have);
    position += 8;
    if (IdIs(header, "\0\0\0\0")) break;
    const uint32_t size =
        static_cast<uint32_t>(header[4]) | (static_cast<uint32_t>(header[5]) << 8) |
        (static_cast<uint32_t>(header[6]) << 16) | (static_cast<uint32_t>(header[7]) << 24);
    if (size > kMaxChunkSize) throw Error(kWaveIsInvalid);

    if (IdIs(header, "fmt ")) {
      ByteReader chunk(value);
      chunk.Seek(std::min(position, value.size()));
      wave.format = chunk.ReadVector(size);
    } else if (IdIs(header, "data")) {
      data = Span{std::min(position, value.size()), size};
    }
    position += size + (size & 1);
  }

  if (data) {
    ByteReader samples(value);
    samples.Seek(data->offset);
    wave.samples = std::make_shared<std::vector<uint8_t>>(samples.ReadVector(data->size));
  }
  return wave;
}

}  // namespace kv
