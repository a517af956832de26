#pragma once

// Builds picture payloads as the game's collection files carry them: bare DIBs, BMP files,
// JPEG streams and run-length pixel data. Used by the data build, the tests and the fuzz
// seeds. Output is deterministic: the same input gives the same bytes. Bad arguments (a
// palette that cannot hold the picture's colours, a size a header cannot express) throw
// std::invalid_argument.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "media/picture.h"

namespace kv::writer {

// One colour index per pixel, rows top-down, no padding.
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> index;
};

struct DibOptions {
  int bits = 24;             // 1, 4, 8, 16, 24 or 32 (others are written as asked, for tests)
  bool top_down = false;     // negative height, rows stored top row first
  bool core_header = false;  // 12-byte header with colour triples
  int compression = 0;       // 0 none, 1 run-length 8-bit, 2 run-length 4-bit, 3 bit fields
  // Red, green, blue masks for compression 3; all zero means 5-6-5 (16 bits) or 8-8-8 (32).
  uint32_t masks[3] = {};
  // The colour table for 8 bits or fewer. Left empty for an RGB picture, it is made of the
  // picture's own colours in the order they first appear.
  std::vector<Bgr0> palette;
  int32_t colour_count = -1;  // the header's colour count; -1 picks the natural value
  int header_size = 0;        // 0: 12 or 40 by core_header; 108 and 124 write the larger headers
};

// A "Picture.Data" value: class-name length byte, the name, then the payload.
std::vector<uint8_t> PictureData(std::string_view class_name, std::span<const uint8_t> payload);

// A bare DIB: header, masks, colour table, pixels. An RGB picture of 8 bits or fewer maps each
// pixel to the nearest palette entry.
std::vector<uint8_t> EncodeDib(const RgbImage& image, const DibOptions& options);
std::vector<uint8_t> EncodeDib(const IndexedImage& image, const DibOptions& options);

// A complete BMP file: "BM" file header, then the DIB.
std::vector<uint8_t> EncodeBmpFile(const RgbImage& image, const DibOptions& options);
std::vector<uint8_t> EncodeBmpFile(const IndexedImage& image, const DibOptions& options);

// A baseline (or progressive) JPEG stream; grey stores one grey-scale component.
std::vector<uint8_t> EncodeJpeg(const RgbImage& image, int quality, bool grey,
                                bool progressive = false);

// Run-length pixel data, rows bottom-up, each row closed by an end-of-line code and the last
// by end-of-bitmap. Four-bit data needs indexes below 16.
std::vector<uint8_t> EncodeRle8(const IndexedImage& image);
std::vector<uint8_t> EncodeRle4(const IndexedImage& image);

// Whole "Picture.Data" values of the three kinds.
std::vector<uint8_t> DibPictureData(const RgbImage& image, const DibOptions& options);
std::vector<uint8_t> DibPictureData(const IndexedImage& image, const DibOptions& options);
std::vector<uint8_t> BitmapPictureData(const RgbImage& image, const DibOptions& options);
std::vector<uint8_t> BitmapPictureData(const IndexedImage& image, const DibOptions& options);
std::vector<uint8_t> JpegPictureData(const RgbImage& image, int quality, bool grey,
                                     bool progressive = false);

// The 4-byte length the JPEG and bitmap payloads put before their data.
std::vector<uint8_t> LengthPrefixed(std::span<const uint8_t> data);

}  // namespace kv::writer
