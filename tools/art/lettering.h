#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "platform/fonts.h"
#include "tools/art/raster.h"

namespace kv::art {

// The game's face rendered into coverage maps, for titles and labels painted into pictures.
// Painters run in parallel, so rendering is serialised here.
class Lettering {
 public:
  // Fails with a kv::Error naming the file when the font cannot be found.
  explicit Lettering(const std::string& font_path);

  // One line of UTF-8 text at a character height in pixels.
  AlphaMap Line(std::string_view utf8, int pixel_height);

 private:
  std::mutex mutex_;
  FontService fonts_;
};

// How a painted label looks.
struct TextStyle {
  int height = 24;             // character height in pixels
  Rgb top = Hex(0xFFE9A0);     // fill, graded from the top of the letters...
  Rgb bottom = Hex(0xC08A2A);  // ...to their foot
  Rgb outline = Hex(0x1A0E06);
  int outline_width = 0;
  float shadow_offset = 0;  // drop shadow down and right, pixels
  float shadow_strength = 0.7f;
  Rgb glow{};  // light spilled around the letters; black for none
  int glow_radius = 6;
  bool engraved = false;  // cut into the surface: dark upper edge, light lower edge
};

// Paints text with its top-left corner at (x, y) and returns its width.
int DrawText(Raster& r, Lettering& l, std::string_view utf8, float x, float y,
             const TextStyle& style);
// Centred on (cx, cy).
int DrawTextCentred(Raster& r, Lettering& l, std::string_view utf8, float cx, float cy,
                    const TextStyle& style);

}  // namespace kv::art
