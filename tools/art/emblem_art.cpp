// The game's emblem, which the desktop shows as its icon: a round shield with a gold rim, a
// sword laid across it and the game's initial in the menu's gold lettering. Everything is
// sized from the icon's own size, so each size is painted, not scaled down from another.
#include <cmath>

#include "tools/art/icons.h"
#include "tools/art/materials.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"

namespace kv::art {

Raster PaintEmblem(Lettering& lettering, int size) {
  // Painted at twice the size and averaged down, which keeps the lettering's and the rim's
  // edges smooth at 48 pixels too.
  const int big = size * 2;
  const float s = big / 256.f, c = big / 2.f;
  Raster r(big, big, {}, 0.f);

  const Circle shield{c, c, 120 * s};
  const Circle field{c, c, 106 * s};
  Fill(r, shield, [&](float x, float y, float) {
    // Light from the upper left runs round the rim.
    const float towards_light = ((c - x) + (c - y)) / (240 * s);
    return GoldAt(Clamp01(0.45f + 0.45f * towards_light));
  });
  Fill(r, Ring(Circle{c, c, 113 * s}, 2.5f * s), Hex(0x6A4410));
  Fill(r, field, [&](float x, float y, float d) {
    Rgb col = LeatherAt(x / s, y / s, 521, Hex(0x2A2232));
    const float gx = (x - c) / (90 * s), gy = (y - c) / (90 * s);
    col = col + Hex(0x7A4A14) * (0.6f * Exp(-(gx * gx + gy * gy) * 1.5f));
    return col * (0.55f + 0.45f * Clamp01(-d / (16 * s)));  // shaded under the rim
  });

  // The sword, point to the lower left, hilt to the upper right.
  const float ax = c + 62 * s, ay = c - 62 * s, bx = c - 74 * s, by = c + 74 * s;
  Fill(r, Capsule{ax, ay, bx, by, 9 * s, 2 * s}, [&](float x, float y, float d) {
    const float across = (x - c) + (y - c);  // which side of the blade's ridge
    return Mix(Hex(0xE8ECF4), Hex(0x7C8494), Clamp01(0.5f + across / (18 * s))) *
           (d > -1.5f * s ? 0.75f : 1.f);
  });
  Fill(r, Capsule{c + 44 * s, c - 80 * s, c + 80 * s, c - 44 * s, 7 * s, 7 * s},
       [&](float, float y, float) { return GoldAt(Clamp01((y - c + 80 * s) / (40 * s))); });
  Fill(r, Capsule{ax, ay, c + 86 * s, c - 86 * s, 5 * s, 5 * s}, Hex(0x4A2A14));
  Fill(r, Circle{c + 90 * s, c - 90 * s, 8 * s}, GoldAt(0.8f));

  TextStyle letter;
  letter.height = static_cast<int>(std::lround(150 * s));
  letter.top = Hex(0xFFF0B0);
  letter.bottom = Hex(0xC07A18);
  letter.outline = Hex(0x100804);
  letter.outline_width = std::max(1, static_cast<int>(std::lround(5 * s)));
  letter.shadow_offset = 4 * s;
  DrawTextCentred(r, lettering, "K", c, c + 4 * s, letter);

  // Painting over transparency leaves each colour multiplied by its coverage; averaging down and
  // the icon's file both want the colour apart from it.
  r.Apply([&](int x, int y, Rgb col) {
    const float a = r.alpha(x, y);
    return a > 0.f ? col * (1.f / a) : col;
  });
  return r.Resized(size, size);
}

}  // namespace kv::art
