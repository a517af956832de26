#pragma once

#include <string>
#include <vector>

#include "media/picture.h"
#include "tools/art/art_items.h"

namespace kv::art {

// Writes an 8-bit RGB PNG. False when the file cannot be written.
bool WritePng(const std::string& path, const RgbImage& image);

// Contact sheets of every painted collection and mock-ups of the screens as the game composes
// them (key colour compared in 16 bits, nearest-pixel stretching), written as PNG files into
// `dir`. For looking at the art while painting it; the data build does not need it.
void WritePreviews(const std::string& dir, const std::vector<ArtFile>& files);

}  // namespace kv::art
