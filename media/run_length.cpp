#include "media/run_length.h"

#include <algorithm>

namespace kv {

// The codes, read as byte pairs (first, second):
//   first > 0           a run of `first` pixels; 8-bit: all `second`; 4-bit: the high and low
//                       nibbles of `second` alternate, high first
//   0, 0                end of line: to the start of the next row up
//   0, 1                end of the picture
//   0, 2, dx, dy        move right by dx and up by dy
//   0, n (n >= 3)       n pixels follow literally (one byte, or one nibble, each), padded to
//                       an even byte count
// Nothing is written outside the picture, but the position keeps moving, so a run that leaves
// a row is cut off rather than wrapped onto the next one.
std::vector<uint8_t> ExpandRunLength(std::span<const uint8_t> data, int width, int height,
                                     bool four_bit) {
  const size_t w = static_cast<size_t>(std::max(width, 0));
  const size_t h = static_cast<size_t>(std::max(height, 0));
  std::vector<uint8_t> out(w * h, 0);
  size_t x = 0, y = 0, i = 0;
  auto put = [&](uint8_t index) {
    if (x < w) out[y * w + x] = index;
    ++x;
  };
  auto nibble = [](uint8_t byte, size_t k) {
    return static_cast<uint8_t>(k % 2 == 0 ? byte >> 4 : byte & 0x0F);
  };

  while (y < h && i + 1 < data.size()) {
    const uint8_t first = data[i];
    const uint8_t second = data[i + 1];
    i += 2;
    if (first > 0) {
      for (size_t k = 0; k < first; ++k) put(four_bit ? nibble(second, k) : second);
      continue;
    }
    if (second == 0) {
      x = 0;
      ++y;
    } else if (second == 1) {
      break;
    } else if (second == 2) {
      if (i + 1 >= data.size()) break;
      x += data[i];
      y += data[i + 1];
      i += 2;
    } else {
      const size_t count = second;
      const size_t bytes = four_bit ? (count + 1) / 2 : count;
      const size_t available = std::min(bytes, data.size() - i);
      for (size_t k = 0; k < count; ++k) {
        const size_t at = four_bit ? k / 2 : k;
        if (at >= available) break;
        put(four_bit ? nibble(data[i + at], k) : data[i + at]);
      }
      if (available < bytes) break;
      i += bytes + (bytes % 2);
    }
  }
  return out;
}

}  // namespace kv
