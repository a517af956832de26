// Walls of base.dat. A wall cell shows its own picture (the lower course of the wall) and,
// one cell higher and over the hero, picture 159 (the upper courses and the battlements).
// Both are cut from one masonry field whose course joints fall on the cell border, so the
// two halves meet on a mortar line whatever the wall's decoration.
#include <cmath>

#include "tools/art/materials.h"
#include "tools/art/noise.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"
#include "tools/art/tile_painters.h"

namespace kv::art {

namespace {

constexpr float kCourse = 20.f;
const Rgb kStone = Hex(0x8E8678);

// The wall face at (x, Y), Y running over both halves: 0..100 the top part, 100..200 the base.
Rgb MasonryAt(float x, float Y, uint32_t seed, Rgb tint) {
  Rgb c = AshlarAt(x, Y, seed, kCourse, tint);
  // Weathering darkens the face towards the foot.
  c = c * (1.04f - 0.2f * Clamp01((Y - 100.f) / 100.f));
  if (Y > 186.f) {
    bool joint = false;
    c = AshlarAt(x + 13.f, Y, seed + 5, 14.f, tint * 0.72f, 100, &joint);
    if (Y < 189.f) c = Hex(0x0E0C0A);  // the plinth steps out: a line of shadow above it
  }
  return c;
}

void Torch(Raster& r, float cx, float cy, bool lit) {
  Glow(r, Circle{cx, cy - 14, 6}, Hex(0x804010), 9.f, 30.f);
  Fill(r, RoundBox{cx - 5, cy + 4, cx + 5, cy + 9, 1}, Hex(0x2A2420));
  Fill(r, Capsule{cx, cy + 6, cx, cy - 8, 2.4f, 3.2f}, [](float x, float y, float) {
    return Mix(Hex(0x3A2414), Hex(0x7A5030), Clamp01((x - 46.f) / 8.f));
  });
  if (!lit) return;
  Fill(r, Ellipse{cx, cy - 15, 5.5f, 9.f}, [cy](float x, float y, float d) {
    const float t = Clamp01((cy - 8 - y) / 18.f);
    return Mix(Hex(0xFFF0A0), Hex(0xE04010), t) * (d > -2.f ? 0.9f : 1.1f);
  });
}

void Window(Raster& r, bool lit) {
  const auto frame = Union(RoundBox{34, 18, 66, 70, 2}, Circle{50, 34, 16});
  Fill(r, Offset(frame, 4), Hex(0x6A6458));
  Fill(r, frame, [lit](float x, float y, float) {
    return lit ? Mix(Hex(0xFFC860), Hex(0xA05010), Clamp01((y - 20) / 50.f))
               : Mix(Hex(0x141A2A), Hex(0x080A10), Clamp01((y - 20) / 50.f));
  });
  for (float bx : {42.f, 50.f, 58.f}) Fill(r, Capsule{bx, 20, bx, 70, 1.3f, 1.3f}, Hex(0x2A2624));
  Fill(r, Capsule{34, 46, 66, 46, 1.3f, 1.3f}, Hex(0x2A2624));
  Fill(r, RoundBox{30, 70, 70, 75, 1}, Hex(0xA89E8C));
  if (lit) Glow(r, frame, Hex(0x402008), 6.f, 16.f);
}

void Banner(Raster& r, Rgb cloth, Rgb trim) {
  Fill(r, Capsule{26, 10, 74, 10, 2, 2}, Hex(0x4A3A2A));
  const Polygon shape{{{30, 11}, {70, 11}, {70, 80}, {50, 68}, {30, 80}}};
  Shadow(r, shape, 3, 3, 3, 0.6f);
  Fill(r, shape, [&](float x, float y, float d) {
    const float fold = 0.85f + 0.2f * Sin(x * 0.35f);
    Rgb c = cloth * fold;
    if (d > -3.f) c = trim;
    return c;
  });
  // A rampant beast reduced to a few strokes: crown and star.
  Fill(r, Polygon{{{40, 40}, {44, 30}, {50, 38}, {56, 30}, {60, 40}}}, trim);
  Fill(r, Circle{50, 50, 4}, trim);
}

void Shield(Raster& r) {
  const Polygon shape{{{32, 22}, {68, 22}, {68, 48}, {50, 72}, {32, 48}}};
  Shadow(r, shape, 3, 3, 3, 0.6f);
  Fill(r, shape, [](float x, float y, float d) {
    Rgb c = x < 50 ? Hex(0x2A3A7A) : Hex(0xA0201A);
    c = c * (1.1f - 0.3f * Clamp01((y - 22) / 50.f));
    if (d > -3.f) c = GoldAt((x + y) / 60.f);
    return c;
  });
  Fill(r, Capsule{38, 30, 62, 58, 1.5f, 1.5f}, Hex(0xE0C060));
}

void Door(Raster& r) {
  const auto opening = Union(RoundBox{28, 30, 72, 100}, Circle{50, 34, 22});
  Fill(r, Offset(opening, 5),
       [](float x, float y, float) { return AshlarAt(x * 1.7f, y, 77, 10.f, Hex(0xA09682)); });
  Fill(r, opening,
       [](float x, float y, float) { return PlanksAt(y, x, 79, 11.f, Hex(0x6A4424)) * 0.9f; });
  for (float hy : {46.f, 80.f}) Fill(r, RoundBox{28, hy, 62, hy + 5, 1}, Hex(0x2A2624));
  Fill(r, Ring(Circle{63, 64, 4}, 1.5f), Hex(0xB09040));
}

void Cracks(Raster& r, uint32_t seed) {
  Rng rng(seed);
  float x = rng.Uniform(30, 70), y = 12;
  for (int i = 0; i < 9; ++i) {
    const float nx = x + rng.Uniform(-9, 9), ny = y + rng.Uniform(6, 10);
    Fill(r, Capsule{x, y, nx, ny, 1.2f, 0.8f}, Hex(0x141210));
    Fill(r, Capsule{x + 1, y + 1, nx + 1, ny + 1, 0.5f, 0.4f}, Hex(0xB0A898), 0.5f);
    x = nx;
    y = ny;
  }
}

void Greenery(Raster& r, uint32_t seed, float amount, bool ivy) {
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const float n =
          Fbm(x / 25.f, y / 25.f, seed, 4, 4) + (y / 100.f - 0.7f) * (ivy ? 0.2f : 1.4f);
      const float k = SmoothStep(0.55f - amount, 0.75f - amount, n);
      if (k <= 0) continue;
      const float leaf = Noise(x / 2.5f, y / 2.5f, seed + 1, 40);
      const Rgb c = ivy ? Mix(Hex(0x1E4A1A), Hex(0x5A9A30), 0.5f + 0.5f * leaf)
                        : Mix(Hex(0x3A5A1A), Hex(0x7A9A3A), 0.5f + 0.5f * leaf);
      r.Blend(x, y, c, k);
    }
}

}  // namespace

std::string WallName(int variant) {
  static const char* const kNames[23] = {
      "Wall",           "Castle wall",  "Wall torch",  "Wall 2",       "Wall window",
      "Wall banner",    "Cracked wall", "Ivy wall",    "Wall door",    "Wall shield",
      "Arrow slit",     "Mossy wall",   "Wall drain",  "Wall lantern", "Rune plaque",
      "Blue banner",    "Lit window",   "Broken wall", "Wall ring",    "Crossed swords",
      "Overgrown wall", "Dark wall",    "Pale wall"};
  return kNames[variant];
}

Raster PaintWall(int variant) {
  const uint32_t seed = 300 + static_cast<uint32_t>(variant);
  Rgb tint = kStone;
  if (variant == 1) tint = Hex(0x9A8A74);
  if (variant == 21) tint = Hex(0x6A6662);
  if (variant == 22) tint = Hex(0xB0A898);
  Raster r = PaintTile([&](float x, float y) { return MasonryAt(x, y + 100.f, seed, tint); });
  switch (variant) {
    case 1:
      Greenery(r, seed, 0.05f, false);
      break;
    case 2:
      Torch(r, 50, 50, true);
      break;
    case 4:
      Window(r, false);
      break;
    case 5:
      Banner(r, Hex(0x8A1A1A), Hex(0xE0B040));
      break;
    case 6:
      Cracks(r, seed);
      break;
    case 7:
      Greenery(r, seed, 0.25f, true);
      break;
    case 8:
      Door(r);
      break;
    case 9:
      Shield(r);
      break;
    case 10:
      Fill(r, RoundBox{45, 18, 55, 78, 3}, Hex(0x0C0C10));
      Fill(r, RoundBox{38, 42, 62, 50, 2}, Hex(0x0C0C10));
      break;
    case 11:
      Greenery(r, seed, 0.22f, false);
      break;
    case 12:
      Fill(r, RoundBox{32, 62, 68, 90, 3}, Hex(0x0C0C10));
      for (float bx = 36; bx < 66; bx += 6)
        Fill(r, Capsule{bx, 62, bx, 90, 1.2f, 1.2f}, Hex(0x4A4440));
      break;
    case 13:
      Fill(r, Capsule{50, 10, 50, 30, 1, 1}, Hex(0x2A2624));
      Glow(r, Circle{50, 42, 8}, Hex(0x906020), 8.f, 28.f);
      Fill(r, RoundBox{42, 30, 58, 54, 3}, [](float, float y, float d) {
        return d > -2.f ? Hex(0x2A2624) : Mix(Hex(0xFFE090), Hex(0xE09030), (y - 30) / 24.f);
      });
      break;
    case 14:
      Fill(r, RoundBox{26, 30, 74, 66, 3}, [](float x, float y, float d) {
        return d > -3.f ? Hex(0x5A5448) : Hex(0x8A8474) * (0.9f + 0.1f * Noise(x / 3, y / 3, 9));
      });
      for (int i = 0; i < 5; ++i) {
        const float gx = 33 + i * 8.5f;
        Fill(r, Capsule{gx, 38, gx + 3, 58, 1.3f, 1.3f}, Hex(0x2A70A0));
        Fill(r, Capsule{gx, 48, gx + 5, 44, 1.1f, 1.1f}, Hex(0x2A70A0));
      }
      break;
    case 15:
      Banner(r, Hex(0x1A2A6A), Hex(0xC8C8D8));
      break;
    case 16:
      Window(r, true);
      break;
    case 17:
      Fill(r, Ellipse{52, 52, 24, 18, 0.3f},
           [](float x, float y, float d) { return d > -3.f ? Hex(0x2A2420) : Hex(0x0E0C0C); });
      Cracks(r, seed);
      break;
    case 18:
      Fill(r, Ring(Circle{50, 50, 7}, 2.2f), Hex(0x4A4440));
      break;
    case 19:
      Fill(r, Capsule{28, 24, 72, 76, 2.2f, 1.2f}, Hex(0xC8CCD4));
      Fill(r, Capsule{72, 24, 28, 76, 2.2f, 1.2f}, Hex(0xC8CCD4));
      Fill(r, Capsule{32, 36, 42, 26, 2.f, 2.f}, Hex(0x7A5020));
      Fill(r, Capsule{68, 36, 58, 26, 2.f, 2.f}, Hex(0x7A5020));
      break;
    case 20:
      Greenery(r, seed, 0.2f, true);
      Greenery(r, seed + 7, 0.15f, false);
      break;
    default:
      break;
  }
  return r;
}

Raster PaintWallTop() {
  Raster r(100, 100, {}, 0.f);
  // Two merlons per cell; the crenels fall at the middle and across the cell border, so a row
  // of wall cells reads as one battlement.
  auto merlon_sdf = [](float x, float y) {
    float d = 1e9f;
    for (float cx : {25.f, 75.f}) d = std::min(d, RoundBox{cx - 17, 0, cx + 17, 40, 1.5f}(x, y));
    return std::min(d, 18.f - y);  // everything below the walkway is solid wall
  };
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float d = merlon_sdf(px, py);
      const float cov = Clamp01(0.5f - d);
      if (cov <= 0) continue;
      Rgb c = MasonryAt(px, py, 300, kStone);
      if (py < 4.f) c = Mix(Hex(0xC8C0B0), Hex(0x9A9282), py / 4.f);  // lit merlon caps
      if (py > 18.f && py < 26.f) {
        // The walkway's cornice: a lit top, its shadow below.
        c = py < 21.f ? Hex(0xB8B0A0) * (0.95f + 0.1f * Noise(px / 3, 1, 3)) : kStone * 0.9f;
        if (py > 24.f) c = Hex(0x2A2622);
      }
      if (d > -2.f && py < 18.f) c = c * 0.7f;  // merlon edges
      r.Blend(x, y, c, cov);
    }
  return r;
}

}  // namespace kv::art
