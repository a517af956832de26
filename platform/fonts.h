#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/image565.h"

namespace kv {

// A font as the game asks for it. The face is a name ("Elixir", "Times New Roman", "Arial CE");
// an empty face is the platform's default user-interface font.
struct FontDesc {
  std::string face;
  int size = 10;      // points, at 96 pixels per inch: 10 -> 13 px, 36 -> 48 px
  int height_px = 0;  // when non-zero: the character height in pixels, overriding size
  Color color = 0;
  bool bold = false;

  // The character (em) height in pixels, rounded to the nearest pixel.
  int PixelHeight() const { return height_px > 0 ? height_px : (size * 96 + 36) / 72; }
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

// Coverage of a rendered line of text: one byte per pixel, 0 transparent .. 255 solid.
// The box is the whole text cell: advance width by the font's line height.
struct TextMask {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> alpha;
};

// The font registry and rasteriser. Texts are given in code page 1250.
class FontService {
 public:
  FontService();
  ~FontService();
  FontService(const FontService&) = delete;
  FontService& operator=(const FontService&) = delete;

  // Makes the file's face selectable under `face`. False for a missing or unreadable file,
  // which changes nothing: the face then falls back to the default face.
  bool RegisterFile(const std::string& face, const std::string& path);

  // Where the stand-in faces (any face not registered) are found from now on: the first of
  // `folders` that holds each one's file. Until this is called, FontSearchFolders without a data
  // folder. A face in none of them draws nothing.
  void LookForStandInsIn(const std::vector<std::string>& folders);

  // Width and height of the text cell.
  void Measure(const FontDesc& font, std::string_view text, int& width, int& height);
  // The line height (ascent + descent) of the font.
  int LineHeight(const FontDesc& font);
  // Renders (and caches) one line of text. Colour plays no part: callers tint the coverage.
  std::shared_ptr<const TextMask> Render(const FontDesc& font, std::string_view text);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kv
