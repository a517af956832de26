#pragma once

#include <vector>

#include "media/picture.h"
#include "tools/writer/picture_writer.h"

namespace kv::art {

struct Quantized {
  writer::IndexedImage image;
  std::vector<Bgr0> palette;  // at most the number of colours asked for
};

// Median-cut reduction to at most `colours` palette entries. With `keyed`, entry 0 is pure
// black and takes every pure-black pixel, and no other entry reads as black in 16 bits, so
// the picture keeps its holes exactly where it had them.
Quantized Quantize(const RgbImage& image, int colours, bool keyed);

}  // namespace kv::art
