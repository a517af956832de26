#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/art/lettering.h"
#include "tools/art/raster.h"

namespace kv {

// The sizes, in pixels, at which the game's icon is written.
inline constexpr int kIconSizes[] = {48, 128, 256};

// Writes the game's icon at every size as DIR/NxN/apps/kervana.png, the layout of an icon
// theme's folder, in 8-bit RGBA (outside the emblem transparent). The same program writes the
// same bytes on every run. Returns 0, or 1 after printing the reason to stderr.
int WriteIcons(const std::string& dir);

// One size of an icon file: a square PNG of `size` pixels a side, at most 256.
struct IcoImage {
  int size = 0;
  std::vector<uint8_t> png;
};

// An icon file (.ico) holding the images as they are: PNG-compressed entries, which Windows
// reads since Vista, keep the alpha channel and the bytes the icon theme's files have.
std::vector<uint8_t> PackIco(const std::vector<IcoImage>& images);

// Writes the game's icon at every size as one icon file, as Windows shows a program's icon.
// Returns 0, or 1 after printing the reason to stderr.
int WriteIconFile(const std::string& file);

namespace art {
// The emblem at `size` x `size` pixels; coverage is the icon's opacity.
Raster PaintEmblem(Lettering& lettering, int size);
}  // namespace art

}  // namespace kv
