#pragma once

// Collection files that cost far more to load than their size suggests: the inputs of the
// issues that set the loaders' budgets, made with the writer so that tests, benchmarks and the
// regression corpus build the same bytes.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kv::test {

// A bare DIB with a 40-byte header, `colours` grey colour-table entries and the given pixel
// bytes; for run-length compression `pixels` is the run-length data.
std::vector<uint8_t> RawDib(int32_t width, int32_t height, int bits, uint32_t compression,
                            uint32_t colours, std::span<const uint8_t> pixels);

// The "Picture.Data" value of an 8-bit run-length DIB of width x height whose data is `codes`
// (none: every pixel is colour 0), with a palette of black and white.
std::vector<uint8_t> RunLengthPicture(int32_t width, int32_t height,
                                      std::span<const uint8_t> codes = {});

// An image collection of `items` run-length pictures of width x height without pixel codes.
std::vector<uint8_t> ManyLargePictures(int items, int32_t width, int32_t height);

// One width x width run-length picture cut into 256 x 256 patterns of (width - 255) pixels a
// side, one pixel apart: negative skips make each pattern overlap its neighbours almost whole.
std::vector<uint8_t> OverlappingPatterns(int32_t width);

// One uncompressed 1-bit picture of width x height (its pixel block is in the file).
std::vector<uint8_t> UncompressedPicture(int32_t width, int32_t height);

// An image collection of `count` items without any property (2 bytes each).
std::vector<uint8_t> ManyEmptyItems(int count);

// A file of `size` zero bytes, made without writing them (sparse where the file system can).
bool WriteZeroFile(const std::string& path, uint64_t size);

}  // namespace kv::test
