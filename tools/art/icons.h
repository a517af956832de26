#pragma once

#include <string>

#include "tools/art/lettering.h"
#include "tools/art/raster.h"

namespace kv {

// The sizes, in pixels, at which the game's icon is written.
inline constexpr int kIconSizes[] = {48, 128, 256};

// Writes the game's icon at every size as DIR/NxN/apps/kervana.png, the layout of an icon
// theme's folder, in 8-bit RGBA (outside the emblem transparent). The same program writes the
// same bytes on every run. Returns 0, or 1 after printing the reason to stderr.
int WriteIcons(const std::string& dir);

namespace art {
// The emblem at `size` x `size` pixels; coverage is the icon's opacity.
Raster PaintEmblem(Lettering& lettering, int size);
}  // namespace art

}  // namespace kv
