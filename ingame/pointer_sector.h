#pragma once

#include <array>
#include <string_view>

#include "platform/geometry.h"

namespace kv {

// The in-game pointer: which picture it shows and which compass direction (0 none, 1 north,
// clockwise to 8 north-west) a held button walks, by where it is on the screen.
struct Sector {
  std::string_view picture;  // an item of the in-game image list
  int direction;
};

struct SectorArea {
  Rect rect;
  Sector sector;
};

// Tested in order, the first containing rectangle wins. The hero's own cell comes first; the
// one-pixel seams at x = 349 and y = 205 / 306 beside it belong to no sector.
inline constexpr std::array<SectorArea, 9> kPointerSectors = {{
    {{350, 206, 450, 306}, {"Cursor", 0}},
    {{350, 6, 450, 205}, {"SCur", 1}},
    {{350, 307, 450, 495}, {"JCur", 5}},
    {{50, 206, 349, 306}, {"ZCur", 7}},
    {{450, 206, 750, 306}, {"VCur", 3}},
    {{50, 6, 350, 206}, {"SZCur", 8}},
    {{450, 6, 750, 206}, {"SVCur", 2}},
    {{50, 306, 350, 495}, {"JZCur", 6}},
    {{450, 306, 750, 495}, {"JVCur", 4}},
}};

// Outside every sector (the interface strips, the bottom bar and the seams).
inline constexpr Sector kNoSector = {"Cursor", 0};

Sector SectorAt(Point p);

}  // namespace kv
