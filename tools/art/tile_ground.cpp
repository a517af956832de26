// Still ground of base.dat: grass, paths and stones outdoors (64..87), floors indoors (88..111).
#include <array>
#include <cmath>

#include "tools/art/materials.h"
#include "tools/art/noise.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"
#include "tools/art/tile_painters.h"

namespace kv::art {

namespace {

// A path band across the tile whose edges wander with noise that repeats along its length.
float PathEdge(float along, uint32_t seed) {
  return 20.f + 4.f * Noise2(along / 25.f, 0.5f, seed, 4, 1);
}

Rgb PathAt(float x, float y, bool vertical, bool horizontal) {
  const Rgb grass = GrassAt(x, y, 11);
  const Rgb dirt = DirtAt(x, y, 101);
  float inside = -1e9f;
  if (vertical) inside = std::max(inside, PathEdge(y, 103) - std::abs(x - 50.f));
  if (horizontal) inside = std::max(inside, PathEdge(x, 107) - std::abs(y - 50.f));
  const float k = SmoothStep(-2.f, 2.f, inside);
  // Worn grass along the margin.
  const Rgb edge = Mix(grass, dirt, 0.5f) * 0.85f;
  return Mix(Mix(grass, edge, SmoothStep(-7.f, -1.f, inside)), dirt, k);
}

Rgb FlowersAt(float x, float y) {
  Rgb c = GrassAt(x, y, 11);
  const CellDistance f = Cells(x / 10.f, y / 10.f, 109, 10);
  if ((f.id & 7) < 3 && f.nearest < 0.16f) {
    static const std::array<Rgb, 4> kPetals = {Hex(0xF0E8F8), Hex(0xF2D040), Hex(0xB070E0),
                                               Hex(0xE05050)};
    const Rgb petal = kPetals[(f.id >> 4) & 3];
    c = f.nearest < 0.05f ? Hex(0xF0C020) : Mix(c, petal, SmoothStep(0.16f, 0.08f, f.nearest));
  }
  return c;
}

Rgb RocksAt(float x, float y) {
  Rgb c = GrassAt(x, y, 11);
  const CellDistance s = Cells(x / 25.f, y / 25.f, 113, 4);
  if ((s.id & 3) == 0) {
    const float r = 0.32f + 0.1f * ((s.id >> 8) & 3);
    if (s.nearest < r) {
      const float lit = 1.f - s.nearest / r;
      c = Mix(Hex(0x55504A), Hex(0xA8A090), lit * lit) *
          (0.9f + 0.15f * Noise(x / 2.f, y / 2.f, 5));
    } else if (s.nearest < r + 0.08f) {
      c = c * 0.6f;
    }
  }
  return c;
}

Rgb ForestFloorAt(float x, float y) {
  Rgb c = Mix(Hex(0x2A2214), Hex(0x4A3A1E), 0.5f + 0.5f * Fbm(x / 20.f, y / 20.f, 117, 3, 5));
  const CellDistance leaf = Cells(x / 6.f, y / 6.f, 119, 0);
  const float k = SmoothStep(0.35f, 0.1f, leaf.nearest);
  static const std::array<Rgb, 4> kLeaves = {Hex(0x8A4A18), Hex(0xA07020), Hex(0x6A5020),
                                             Hex(0x5A6A28)};
  return Mix(c, kLeaves[leaf.id & 3] * (0.8f + 0.3f * ((leaf.id >> 8) & 255) / 255.f), k * 0.85f);
}

Rgb SandAt(float x, float y) {
  const float ripple = Sin((y + 6.f * Noise(x / 25.f, y / 25.f, 121, 4)) * 6.2832f / 12.5f);
  const float grain = Noise(x / 1.2f, y / 1.2f, 123, 0);
  return Mix(Hex(0xB89A64), Hex(0xD8C08A), 0.5f + 0.25f * ripple) * (0.93f + 0.08f * grain);
}

// A cobbled gateway between two wall ends: stones in a frame of kerbs.
Rgb ThresholdAt(float x, float y) {
  Rgb c = CobblesAt(x, y, 127, 12.5f, Hex(0x9A9284));
  if (x < 10.f || x > 90.f) {
    bool joint = false;
    c = AshlarAt(x, y, 129, 25.f, Hex(0x8C8478), 100, &joint) * 0.8f;
    if (x > 8.f && x < 10.f) c = c * 0.5f;
  }
  return c;
}

Rgb Flagstones(float x, float y, Rgb tint, uint32_t seed) {
  const CellDistance s = Cells(x / 25.f, y / 25.f, seed, 4);
  const float joint = SmoothStep(0.03f, 0.09f, s.second - s.nearest);
  Rgb c = tint * (0.8f + 0.3f * ((s.id & 255) / 255.f)) *
          (0.9f + 0.12f * Fbm(x / 8.f, y / 8.f, seed + 1, 2, 0));
  c = c * (1.f - 0.12f * s.nearest);
  return Mix(Hex(0x1C1814), c, joint);
}

Rgb Carpet(float x, float y, Rgb field, Rgb pattern) {
  // A repeating lozenge pattern in a field with a woven texture.
  const float u = std::fmod(x, 25.f) - 12.5f, v = std::fmod(y, 25.f) - 12.5f;
  const float diamond = std::abs(u) + std::abs(v);
  Rgb c = field;
  if (diamond < 9.f && diamond > 6.f) c = pattern;
  if (diamond < 3.f) c = pattern * 1.1f;
  const float weave = ((static_cast<int>(x) + static_cast<int>(y)) & 1) ? 0.95f : 1.04f;
  return c * weave * (0.92f + 0.1f * Noise(x / 3.f, y / 3.f, 131, 0));
}

Rgb Marble(float x, float y, Rgb a, Rgb b) {
  const bool dark = ((static_cast<int>(x) / 25) + (static_cast<int>(y) / 25)) & 1;
  const float vein = std::abs(Fbm(x / 25.f, y / 25.f, 137, 4, 4));
  Rgb c = dark ? b : a;
  c = Mix(c * 0.75f, c, SmoothStep(0.0f, 0.12f, vein));
  const float fx = std::fmod(x, 25.f), fy = std::fmod(y, 25.f);
  if (fx < 1.f || fy < 1.f) c = c * 0.6f;
  return c;
}

Rgb Mosaic(float x, float y, Rgb a, Rgb b) {
  const int cx = static_cast<int>(x / 5.f), cy = static_cast<int>(y / 5.f);
  const float fx = std::fmod(x, 5.f), fy = std::fmod(y, 5.f);
  const float ring = std::abs(Hypot(cx - 9.5f, cy - 9.5f) - 6.f);
  const uint32_t h = Hash(static_cast<uint32_t>(cx), static_cast<uint32_t>(cy), 139);
  Rgb c = ring < 1.2f ? b : a;
  c = c * (0.85f + 0.25f * ((h & 255) / 255.f));
  if (fx < 0.8f || fy < 0.8f) c = Hex(0x2A2622);
  return c;
}

struct FloorStyle {
  int kind;
  Rgb a, b;
};

// Six kinds of floor in four colourings each; 88 is the plain grey flagstone.
const std::array<FloorStyle, 24> kFloors = {{
    {0, Hex(0x8A8680), {}},
    {1, Hex(0x8A5A30), {}},
    {2, Hex(0x7A1A1A), Hex(0xD0A040)},
    {3, Hex(0xD8D0C0), Hex(0x3A3634)},
    {4, Hex(0x7A6A5A), {}},
    {5, Hex(0xC0B090), Hex(0x2A5A8A)},
    {0, Hex(0x9A8A70), {}},
    {1, Hex(0x5A3A22), {}},
    {2, Hex(0x1A2A6A), Hex(0xC0C0D0)},
    {3, Hex(0x6A2A2A), Hex(0xD8C8A8)},
    {4, Hex(0x5A5A62), {}},
    {5, Hex(0x8A3A2A), Hex(0xE0C060)},
    {0, Hex(0x6A7078), {}},
    {1, Hex(0xA07A48), {}},
    {2, Hex(0x1E4A2A), Hex(0xE0C070)},
    {3, Hex(0x2A3A5A), Hex(0xC8C8D0)},
    {4, Hex(0x8A5A40), {}},
    {5, Hex(0x3A6A4A), Hex(0xE8E0C8)},
    {0, Hex(0x7A6A8A), {}},
    {1, Hex(0x6A4A3A), {}},
    {2, Hex(0x4A1A4A), Hex(0xE0B050)},
    {3, Hex(0x8A8A80), Hex(0x1A1A1A)},
    {4, Hex(0x6A4A30), {}},
    {5, Hex(0x5A2A6A), Hex(0xF0D070)},
}};

Rgb FloorAt(int index, float x, float y) {
  const FloorStyle& s = kFloors[index];
  const uint32_t seed = 200 + static_cast<uint32_t>(index);
  switch (s.kind) {
    case 0:
      return Flagstones(x, y, s.a, seed);
    case 1:
      return PlanksAt(x, y, seed, 12.5f, s.a);
    case 2:
      return Carpet(x, y, s.a, s.b);
    case 3:
      return Marble(x, y, s.a, s.b);
    case 4:
      return AshlarAt(x, y, seed, 12.5f, s.a);
    default:
      return Mosaic(x, y, s.a, s.b);
  }
}

}  // namespace

std::string GroundName(int code) {
  static const char* const kOutdoor[24] = {
      "Grass",      "Meadow",     "Gateway",  "Cobbles",    "Pond",         "Swamp",
      "Lava field", "Rune stone", "Canal NS", "Canal EW",   "Lava NS",      "Lava EW",
      "Embers",     "Deep sea",   "Portal",   "Tall grass", "Path NS",      "Path EW",
      "Crossroads", "Road",       "Sand",     "Dirt",       "Forest floor", "Rocks"};
  static const char* const kFloorKinds[6] = {"Flagstones", "Planks", "Carpet",
                                             "Marble",     "Bricks", "Mosaic"};
  if (code < 88) return kOutdoor[code - 64];
  const int i = code - 88;
  return std::string(kFloorKinds[kFloors[i].kind]) + " " + std::to_string(i / 6 + 1);
}

Raster PaintGround(int code) {
  if (code >= 68 && code < 80) return PaintChainPhase(code - 64, 0);
  if (code >= 88) {
    const int i = code - 88;
    return PaintTile([i](float x, float y) { return FloorAt(i, x, y); });
  }
  switch (code) {
    case 64:
      return PaintTile([](float x, float y) { return GrassAt(x, y, 11); });
    case 65:
      return PaintTile([](float x, float y) { return FlowersAt(x, y); });
    case 66:
      return PaintTile([](float x, float y) { return ThresholdAt(x, y); });
    case 67:
      return PaintTile([](float x, float y) { return CobblesAt(x, y, 141, 12.5f, Hex(0x8A8278)); });
    case 80:
      return PaintTile([](float x, float y) { return PathAt(x, y, true, false); });
    case 81:
      return PaintTile([](float x, float y) { return PathAt(x, y, false, true); });
    case 82:
      return PaintTile([](float x, float y) { return PathAt(x, y, true, true); });
    case 83:
      return PaintTile(
          [](float x, float y) { return CobblesAt(x, y, 143, 16.7f, Hex(0x7A7468)) * 0.95f; });
    case 84:
      return PaintTile([](float x, float y) { return SandAt(x, y); });
    case 85:
      return PaintTile([](float x, float y) { return DirtAt(x, y, 101); });
    case 86:
      return PaintTile([](float x, float y) { return ForestFloorAt(x, y); });
    default:
      return PaintTile([](float x, float y) { return RocksAt(x, y); });
  }
}

}  // namespace kv::art
