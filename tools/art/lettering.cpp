#include "tools/art/lettering.h"

#include <cmath>
#include <filesystem>

#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv::art {

namespace {
constexpr const char* kFace = "Elixir";
}

Lettering::Lettering(const std::string& font_path) {
  if (!std::filesystem::is_regular_file(font_path))
    throw Error("Font file " + font_path +
                " is missing: install the package fonts-cardo (scripts/setup)");
  fonts_.RegisterFile(kFace, font_path);
}

AlphaMap Lettering::Line(std::string_view utf8, int pixel_height) {
  FontDesc font;
  font.face = kFace;
  font.height_px = pixel_height;
  font.bold = false;  // the face itself is the bold cut
  std::lock_guard<std::mutex> lock(mutex_);
  const auto mask = fonts_.Render(font, cp1250::FromUtf8(utf8));
  AlphaMap map{mask->width, mask->height, {}};
  map.a.resize(mask->alpha.size());
  for (size_t i = 0; i < mask->alpha.size(); ++i) map.a[i] = mask->alpha[i] / 255.f;
  return map;
}

namespace {

// Rows that hold ink, so gradients run over the letters and not over the empty line cell.
void InkRows(const AlphaMap& m, int& top, int& bottom) {
  top = m.height;
  bottom = 0;
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      if (m.at(x, y) > 0.2f) {
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
        break;
      }
  if (top >= bottom) {
    top = 0;
    bottom = m.height;
  }
}

void Stamp(Raster& r, const AlphaMap& m, float x, float y, int grow, Rgb color, float strength) {
  const int ox = static_cast<int>(std::lround(x)) - grow,
            oy = static_cast<int>(std::lround(y)) - grow;
  for (int j = 0; j < m.height; ++j)
    for (int i = 0; i < m.width; ++i) {
      const float a = m.at(i, j) * strength;
      if (a > 0.f) r.Blend(ox + i, oy + j, color, a);
    }
}

}  // namespace

int DrawText(Raster& r, Lettering& l, std::string_view utf8, float x, float y,
             const TextStyle& style) {
  const AlphaMap mask = l.Line(utf8, style.height);
  if (style.glow.r + style.glow.g + style.glow.b > 0) {
    const int rad = std::max(1, style.glow_radius / 3);
    const AlphaMap halo = Blurred(mask, rad);
    const int ox = static_cast<int>(std::lround(x)) - rad * 3;
    const int oy = static_cast<int>(std::lround(y)) - rad * 3;
    for (int j = 0; j < halo.height; ++j)
      for (int i = 0; i < halo.width; ++i)
        r.Add(ox + i, oy + j, style.glow * (halo.at(i, j) * 1.6f));
  }
  if (style.shadow_offset > 0) {
    const AlphaMap soft = Blurred(mask, 1, 2);
    Stamp(r, soft, x + style.shadow_offset, y + style.shadow_offset, 2, {0, 0, 0},
          style.shadow_strength);
  }
  if (style.engraved) {
    Stamp(r, mask, x - 1, y - 1, 0, {0, 0, 0}, 0.8f);
    Stamp(r, mask, x + 1, y + 1, 0, Hex(0xF0D8A0), 0.35f);
  }
  if (style.outline_width > 0) {
    Stamp(r, Dilated(mask, style.outline_width), x, y, style.outline_width, style.outline, 1.f);
  }
  int top, bottom;
  InkRows(mask, top, bottom);
  const int ox = static_cast<int>(std::lround(x)), oy = static_cast<int>(std::lround(y));
  for (int j = 0; j < mask.height; ++j) {
    const float t = Clamp01((j - top) / static_cast<float>(std::max(1, bottom - top - 1)));
    const Rgb c = Mix(style.top, style.bottom, t);
    for (int i = 0; i < mask.width; ++i) {
      const float a = mask.at(i, j);
      if (a > 0.f) r.Blend(ox + i, oy + j, c, a);
    }
  }
  return mask.width;
}

int DrawTextCentred(Raster& r, Lettering& l, std::string_view utf8, float cx, float cy,
                    const TextStyle& style) {
  const AlphaMap mask = l.Line(utf8, style.height);
  int top, bottom;
  InkRows(mask, top, bottom);
  return DrawText(r, l, utf8, cx - mask.width / 2.f, cy - (top + bottom) / 2.f, style);
}

}  // namespace kv::art
