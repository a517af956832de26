#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "media/picture.h"

namespace kv {

enum DibCompression : uint32_t {
  kDibRgb = 0,
  kDibRle8 = 1,
  kDibRle4 = 2,
  kDibBitFields = 3,
};

// The pixels of a DIB as held after loading, shared by "TDIB" and "TBitmap" pictures.
struct DibPixels {
  int32_t width = 0;
  int32_t height = 0;  // always positive; rows are held bottom-up
  int bits = 0;        // 1, 4, 8, 16, 24 or 32
  uint32_t compression = kDibRgb;
  // Where red, green and blue sit in a 16- or 32-bit pixel.
  std::array<uint32_t, 3> masks{};
  // 256 entries, those beyond the picture's own colour count zero, so any index is safe.
  std::array<Bgr0, 256> table{};
  // Uncompressed: the rows bottom-up, each padded to 4 bytes. Run-length: the data as stored.
  std::vector<uint8_t> data;
};

// Bytes in one uncompressed row: whole 32-bit words. 64-bit so that no header can overflow it.
uint64_t DibRowBytes(int64_t width, int bits);

// Uncompressed rows as held: bottom-up. Rows stored top-down are turned over.
std::vector<uint8_t> BottomUpRows(std::span<const uint8_t> block, uint64_t row_bytes,
                                  bool top_down);

// The number of one-bits upward from a mask's lowest set bit (0 for no mask).
int MaskWidth(uint32_t mask);

// Decodes held pixels to RGB, rows top-down. Never fails: pixel bytes the data lacks stay
// black, and run-length codes that leave the picture are clipped.
RgbImage DecodeDibPixels(const DibPixels& dib);
// The same pixels straight in 565, without the RGB picture in between.
Image565 DecodeDibPixels565(const DibPixels& dib);

}  // namespace kv
