#include "media/dib_pixels.h"

#include <algorithm>

#include "media/run_length.h"

namespace kv {
namespace {

struct Channel {
  int shift = 0;
  int width = 0;
};

Channel ChannelOf(uint32_t mask) {
  Channel c;
  if (mask == 0) return c;
  while (!((mask >> c.shift) & 1)) ++c.shift;
  c.width = MaskWidth(mask);
  return c;
}

// A field of any width becomes 8 bits: wider fields keep their top 8 bits, narrower ones
// repeat their bits downward (5 bits abcde give abcdeabc), so full intensity stays 255.
uint8_t Expand(uint32_t pixel, Channel c) {
  if (c.width == 0) return 0;
  const uint64_t field = (uint64_t{pixel} >> c.shift) & ((uint64_t{1} << c.width) - 1);
  if (c.width >= 8) return static_cast<uint8_t>(field >> (c.width - 8));
  unsigned v = static_cast<unsigned>(field) << (8 - c.width);
  for (int filled = c.width; filled < 8; filled *= 2) v |= v >> filled;
  return static_cast<uint8_t>(v);
}

void PutEntry(uint8_t* rgb, const Bgr0& entry) {
  rgb[0] = entry[2];
  rgb[1] = entry[1];
  rgb[2] = entry[0];
}

// Calls put(x, index) for each pixel of a row of 1, 4 or 8 bits.
template <typename Put>
void ForEachIndex(const DibPixels& dib, const uint8_t* row, Put put) {
  const size_t width = static_cast<size_t>(dib.width);
  if (dib.bits == 8) {
    // The common case (every tile of the game) without the sub-byte arithmetic.
    for (size_t x = 0; x < width; ++x) put(x, row[x]);
    return;
  }
  // The leftmost pixel sits in the highest bits of its byte.
  const int bits = dib.bits;
  const int per_byte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (size_t x = 0; x < width; ++x) {
    const int shift = 8 - bits * (static_cast<int>(x % per_byte) + 1);
    put(x, (row[x / per_byte] >> shift) & mask);
  }
}

void DecodeRow(const DibPixels& dib, const uint8_t* row, const Channel* channels, uint8_t* rgb) {
  const size_t width = static_cast<size_t>(dib.width);
  switch (dib.bits) {
    case 1:
    case 4:
    case 8:
      ForEachIndex(dib, row,
                   [&](size_t x, unsigned index) { PutEntry(rgb + x * 3, dib.table[index]); });
      break;
    case 16:
      for (size_t x = 0; x < width; ++x) {
        const uint32_t p = row[x * 2] | (row[x * 2 + 1] << 8);
        for (int c = 0; c < 3; ++c) rgb[x * 3 + c] = Expand(p, channels[c]);
      }
      break;
    case 24:
      for (size_t x = 0; x < width; ++x) {
        rgb[x * 3] = row[x * 3 + 2];
        rgb[x * 3 + 1] = row[x * 3 + 1];
        rgb[x * 3 + 2] = row[x * 3];
      }
      break;
    case 32:
      for (size_t x = 0; x < width; ++x) {
        const uint8_t* s = row + x * 4;
        const uint32_t p = s[0] | (s[1] << 8) | (s[2] << 16) | (uint32_t{s[3]} << 24);
        for (int c = 0; c < 3; ++c) rgb[x * 3 + c] = Expand(p, channels[c]);
      }
      break;
    default:
      break;  // not loadable; the row stays black
  }
}

bool Indexed(const DibPixels& dib) {
  return dib.bits == 1 || dib.bits == 4 || dib.bits == 8;
}

}  // namespace

uint64_t DibRowBytes(int64_t width, int bits) {
  if (width <= 0 || bits <= 0) return 0;
  return ((static_cast<uint64_t>(width) * static_cast<uint64_t>(bits) + 31) / 32) * 4;
}

std::vector<uint8_t> BottomUpRows(std::span<const uint8_t> block, uint64_t row_bytes,
                                  bool top_down) {
  // Without bytes per row there is nothing to turn, however many rows are declared.
  if (!top_down || row_bytes == 0) return {block.begin(), block.end()};
  std::vector<uint8_t> rows(block.size());
  const size_t count = block.size() / row_bytes;
  for (size_t i = 0; i < count; ++i) {
    std::copy_n(block.begin() + i * row_bytes, row_bytes,
                rows.begin() + (count - 1 - i) * row_bytes);
  }
  return rows;
}

int MaskWidth(uint32_t mask) {
  if (mask == 0) return 0;
  while (!(mask & 1)) mask >>= 1;
  int width = 0;
  while (mask & 1) {
    mask >>= 1;
    ++width;
  }
  return width;
}

RgbImage DecodeDibPixels(const DibPixels& dib) {
  RgbImage image;
  if (dib.width <= 0 || dib.height <= 0) return image;
  image.width = dib.width;
  image.height = dib.height;
  const size_t width = static_cast<size_t>(dib.width);
  const size_t height = static_cast<size_t>(dib.height);
  image.rgb.assign(width * height * 3, 0);

  if (dib.compression == kDibRle8 || dib.compression == kDibRle4) {
    const std::vector<uint8_t> indexes =
        ExpandRunLength(dib.data, dib.width, dib.height, dib.compression == kDibRle4);
    for (size_t y = 0; y < height; ++y) {
      const uint8_t* src = indexes.data() + (height - 1 - y) * width;
      uint8_t* dst = image.rgb.data() + y * width * 3;
      for (size_t x = 0; x < width; ++x) PutEntry(dst + x * 3, dib.table[src[x]]);
    }
    return image;
  }

  const uint64_t row_bytes = DibRowBytes(dib.width, dib.bits);
  const Channel channels[3] = {ChannelOf(dib.masks[0]), ChannelOf(dib.masks[1]),
                               ChannelOf(dib.masks[2])};
  for (size_t y = 0; y < height; ++y) {
    // Rows are held bottom-up; a row the data does not hold whole stays black.
    const uint64_t start = (height - 1 - y) * row_bytes;
    if (start + row_bytes > dib.data.size()) continue;
    DecodeRow(dib, dib.data.data() + start, channels, image.rgb.data() + y * width * 3);
  }
  return image;
}

Image565 DecodeDibPixels565(const DibPixels& dib) {
  if (dib.width <= 0 || dib.height <= 0) return {};
  const size_t width = static_cast<size_t>(dib.width);
  const size_t height = static_cast<size_t>(dib.height);
  Image565 image(dib.width, dib.height);  // black wherever the data falls short
  std::array<uint16_t, 256> table{};
  for (size_t i = 0; i < table.size(); ++i) {
    table[i] = To565(dib.table[i][2], dib.table[i][1], dib.table[i][0]);
  }

  if (dib.compression == kDibRle8 || dib.compression == kDibRle4) {
    const std::vector<uint8_t> indexes =
        ExpandRunLength(dib.data, dib.width, dib.height, dib.compression == kDibRle4);
    for (size_t y = 0; y < height; ++y) {
      const uint8_t* src = indexes.data() + (height - 1 - y) * width;
      uint16_t* dst = image.Row(static_cast<int>(y));
      for (size_t x = 0; x < width; ++x) dst[x] = table[src[x]];
    }
    return image;
  }

  const uint64_t row_bytes = DibRowBytes(dib.width, dib.bits);
  const Channel channels[3] = {ChannelOf(dib.masks[0]), ChannelOf(dib.masks[1]),
                               ChannelOf(dib.masks[2])};
  std::vector<uint8_t> rgb(Indexed(dib) ? 0 : width * 3);
  for (size_t y = 0; y < height; ++y) {
    const uint64_t start = (height - 1 - y) * row_bytes;
    if (start + row_bytes > dib.data.size()) continue;
    const uint8_t* row = dib.data.data() + start;
    uint16_t* dst = image.Row(static_cast<int>(y));
    if (Indexed(dib)) {
      ForEachIndex(dib, row, [&](size_t x, unsigned index) { dst[x] = table[index]; });
    } else {
      DecodeRow(dib, row, channels, rgb.data());
      for (size_t x = 0; x < width; ++x) dst[x] = To565(rgb[x * 3], rgb[x * 3 + 1], rgb[x * 3 + 2]);
    }
  }
  return image;
}

}  // namespace kv
