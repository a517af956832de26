#pragma once

#include <cstddef>  // image565.h uses size_t without including it
#include <cstdint>
#include <vector>

#include "platform/geometry.h"
#include "platform/image565.h"

namespace kv {

// One horizontal stretch of pixels [begin, end) in a row of a pattern that differ from the key
// colour, counted from the pattern's left edge.
struct OpaqueRun {
  int32_t begin = 0;
  int32_t end = 0;
};

// The display-ready copy of one picture item, built when the display opens and freed when it
// closes. The whole picture is converted to 565 once, into a single image of the picture's
// size: cutting it into blocks only mattered for the limits of real video memory, and the
// drawn result is the same either way.
struct DisplayCopies {
  Image565 image;
  std::vector<Rect> patterns;  // one rectangle on `image` per pattern
  uint16_t key = 0;  // the key colour as the 565 value the picture's pixels are tested with

  // Per pattern row, the runs of pixels that are not the key colour, so a keyed copy is a
  // series of memcpy's instead of a test per pixel. Row r of pattern k has the runs
  // runs[row_start[i] .. row_start[i + 1]) with i = row_base[k] + r, from left to right. Rows
  // (or parts of rows) of a pattern that lie outside the picture have none.
  std::vector<uint32_t> row_base;
  std::vector<uint32_t> row_start;
  std::vector<OpaqueRun> runs;
};

// Recomputes key and runs for the image already held (after a change of the key colour).
void BuildOpaqueRuns(DisplayCopies& copies, uint16_t key);

}  // namespace kv
