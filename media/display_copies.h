#pragma once

#include <cstddef>  // image565.h uses size_t without including it
#include <cstdint>
#include <memory>
#include <vector>

#include "media/picture_collection.h"
#include "platform/geometry.h"
#include "platform/image565.h"

namespace kv {

// One horizontal stretch of pixels [begin, end) in a row of the picture that differ from the
// key colour.
struct OpaqueRun {
  int32_t begin = 0;
  int32_t end = 0;
};

// The display-ready copy of one picture item, made when the display opens (its pixels when the
// picture is first drawn, see PrepareDisplayCopies) and freed when it closes. The whole picture is
// converted to 565 once, into a single image of the picture's size: cutting it into blocks only
// mattered for the limits of real video memory, and the drawn result is the same either way.
struct DisplayCopies {
  Image565 image;
  PatternGrid patterns;
  uint16_t key = 0;  // the key colour as the 565 value the picture's pixels are tested with

  // Per row of the picture, the runs of pixels that are not the key colour, so a keyed copy is
  // a series of memcpy's instead of a test per pixel: row y has the runs
  // runs[row_start[y] .. row_start[y + 1]), from left to right. They belong to the picture, not
  // to its patterns, so however the grid overlaps they are built once. They are kept only while
  // they take no more memory than the image itself and a little (a picture of noise,
  // or one pixel wide, would need several times more); without them row_start is empty and
  // keyed copies test every pixel.
  std::vector<uint32_t> row_start;
  std::vector<OpaqueRun> runs;
  // Image and runs are still to be decoded: they come when the picture is first drawn.
  bool pending = false;
  // Runs are made for keyed items only, when first needed: a backdrop drawn opaque never uses
  // them.
  bool runs_built = false;

  // The last few stretches of this picture, kept as drawn: a game frame stretches the same
  // interface pictures to the same sizes every time.
  std::vector<struct StretchedCopy> stretched;

  // The bytes the copy holds: at most 4 a pixel and a fixed part (stretches not counted: they
  // are bounded by the screens they are drawn to).
  size_t Bytes() const;
};

// One pattern of a picture stretched to width x height, as a picture of its own.
struct StretchedCopy {
  int pattern = 0;
  Rect source;
  int width = 0;
  int height = 0;
  std::unique_ptr<DisplayCopies> copies;
};

// Recomputes key and runs for the image already held (after a change of the key colour).
void BuildOpaqueRuns(DisplayCopies& copies, uint16_t key);

}  // namespace kv
