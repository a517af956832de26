#pragma once

#include <string>
#include <vector>

#include "tools/art/raster.h"

namespace kv::art {

struct PointerPicture {
  std::string name;
  Raster raster;  // 24 x 24, uncovered pixels become the key colour
};

// "Cursor" (a plain pointer whose tip is the hot corner) and the eight compass arrows, "SCur"
// north, "JCur" south, "ZCur" west, "VCur" east and the four diagonals. The game draws each
// with its top-left corner at the pointer, so every arrow starts or ends near that corner.
std::vector<PointerPicture> PaintPointers();

}  // namespace kv::art
