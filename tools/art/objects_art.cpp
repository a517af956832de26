// add.dat and objects.dat: things to place on the map and things to carry. The game loads
// both and draws nothing from them yet, so they hold a few finished pieces ready for use.
#include <cmath>

#include "tools/art/art_items.h"
#include "tools/art/materials.h"
#include "tools/art/noise.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"

namespace kv::art {

namespace {

constexpr float kTau = 6.2831853f;

ArtPicture Keyed(const std::string& name, Raster r, Encoding encoding) {
  AddOutline(r, Hex(0x140C08));
  ArtPicture p;
  p.name = name;
  p.raster = std::move(r);
  p.encoding = encoding;
  p.transparent = true;
  return p;
}

auto Shaded(Rgb c, float x0, float x1) {
  return [=](float x, float, float d) {
    Rgb out = c * (1.25f - 0.6f * Clamp01((x - x0) / (x1 - x0)));
    return d > -1.5f ? out * 0.75f : out;
  };
}

Raster Tree() {
  Raster r(100, 130, {}, 0.f);
  Fill(r, Capsule{50, 126, 50, 70, 7, 5}, Shaded(Hex(0x5A3A22), 42, 58));
  Rng rng(1001);
  for (int i = 0; i < 14; ++i) {
    const float a = rng.Uniform(0, kTau), d = rng.Uniform(0, 24);
    const float cx = 50 + Cos(a) * d, cy = 48 + Sin(a) * d * 0.8f;
    Fill(r, Circle{cx, cy, rng.Uniform(14, 20)}, [cx, cy](float x, float y, float) {
      const float lit = Clamp01(0.5f + ((cx - x) + (cy - y)) / 30.f);
      return Mix(Hex(0x1E4A1A), Hex(0x6AA040), lit) *
             (0.85f + 0.2f * Noise(x / 3.f, y / 3.f, 1003));
    });
  }
  return r;
}

Raster Barrel() {
  Raster r(100, 100, {}, 0.f);
  Fill(r, RoundBox{26, 16, 74, 92, 14}, [](float x, float y, float d) {
    Rgb c = PlanksAt(x * 1.0f, y * 0.2f, 1005, 8.f, Hex(0x8A5A30));
    c = c * (1.2f - 0.6f * Clamp01((x - 26) / 48.f));
    if (std::abs(y - 30) < 3 || std::abs(y - 78) < 3)
      c = Hex(0x4A4A50) * (1.3f - Clamp01((x - 26) / 48.f));
    return d > -1.5f ? c * 0.7f : c;
  });
  Fill(r, Ellipse{50, 18, 22, 6}, Hex(0x6A4024));
  return r;
}

Raster Chest() {
  Raster r(100, 100, {}, 0.f);
  Fill(r, RoundBox{18, 44, 82, 88, 3}, [](float x, float y, float d) {
    Rgb c = PlanksAt(y, x, 1007, 11.f, Hex(0x7A4A28));
    return d > -1.5f ? c * 0.6f : c;
  });
  Fill(r, Union(RoundBox{18, 30, 82, 46, 3}, Ellipse{50, 34, 32, 14}), [](float x, float y, float) {
    return PlanksAt(y, x, 1009, 11.f, Hex(0x8A5A30)) * (1.2f - Clamp01((y - 20) / 40.f) * 0.5f);
  });
  for (float bx : {28.f, 72.f})
    Fill(r, RoundBox{bx - 3, 22, bx + 3, 88, 1}, Shaded(Hex(0xC8A040), 10, 90));
  Fill(r, RoundBox{44, 44, 56, 58, 2}, Shaded(Hex(0xE0C060), 44, 56));
  Fill(r, Circle{50, 51, 2}, Hex(0x201008));
  return r;
}

Raster Rock() {
  Raster r(100, 100, {}, 0.f);
  const auto rock = MakeShape(Box{10, 30, 90, 92}, [](float x, float y) {
    return Ellipse{50, 64, 38, 26}(x, y) - 5.f * Noise(x / 10.f, y / 10.f, 1011);
  });
  Fill(r, rock, [](float x, float y, float d) {
    const float lit = Clamp01(0.5f + ((50 - x) + (56 - y)) / 60.f);
    Rgb c = Mix(Hex(0x4A4640), Hex(0xB0A898), lit) * (0.85f + 0.2f * Noise(x / 4.f, y / 4.f, 1013));
    return d > -2.f ? c * 0.7f : c;
  });
  return r;
}

Raster Sword() {
  Raster r(40, 40, {}, 0.f);
  Fill(r, Polygon{{{33, 5}, {36, 4}, {35, 7}, {15, 27}, {12, 24}}}, Shaded(Hex(0xE0E4F0), 10, 36));
  Fill(r, Capsule{9, 21, 18, 30, 2, 2}, Shaded(Hex(0xD8B040), 8, 20));
  Fill(r, Capsule{12, 27, 6, 33, 2, 2}, Hex(0x5A3018));
  Fill(r, Circle{5, 34, 2.5f}, Hex(0xE0C050));
  return r;
}

Raster Shield() {
  Raster r(40, 40, {}, 0.f);
  const Polygon shape{{{7, 6}, {33, 6}, {33, 20}, {20, 36}, {7, 20}}};
  Fill(r, shape, [](float x, float y, float d) {
    Rgb c = Mix(Hex(0x8A9098), Hex(0x4A4E58), Clamp01((x - 7) / 26.f));
    if (d > -2.5f) c = GoldAt(0.3f + y / 60.f);
    return c;
  });
  Fill(r, Circle{20, 18, 4}, Shaded(Hex(0xC02020), 16, 24));
  return r;
}

Raster Potion() {
  Raster r(40, 40, {}, 0.f);
  Fill(r, Circle{20, 25, 11}, [](float x, float y, float) {
    Rgb c = y > 22 ? Mix(Hex(0xE03030), Hex(0x801010), Clamp01((x - 9) / 22.f)) : Hex(0x3A3A50);
    return c + Hex(0xFFFFFF) * (Hypot(x - 16, y - 21) < 2.5f ? 0.6f : 0.f);
  });
  Fill(r, RoundBox{16, 6, 24, 15, 1}, Shaded(Hex(0xA0B0C0), 16, 24));
  Fill(r, RoundBox{15, 3, 25, 7, 1}, Hex(0x8A5A30));
  return r;
}

// Four frames of a coin turning, cut by the item's pattern width.
Raster Coins() {
  Raster r(160, 40, {}, 0.f);
  for (int f = 0; f < 4; ++f) {
    const float width = 12.f * std::abs(Cos(f * kTau / 8.f)) + 2.f;
    const float cx = 20 + 40 * f;
    Fill(r, Ellipse{cx, 20, width, 12}, [cx, width](float x, float y, float) {
      return GoldAt(0.3f + (x - cx + width) / (4 * width + 1) + (y - 8) / 60.f);
    });
  }
  return r;
}

}  // namespace

ArtFile PaintAddFile() {
  ArtFile file{"add.dat", {}};
  file.items.push_back(Keyed("Strom", Tree(), Encoding::kBitmap24));
  file.items.push_back(Keyed("Sud", Barrel(), Encoding::kDib8));
  file.items.push_back(Keyed("Truhla", Chest(), Encoding::kDib8));
  file.items.push_back(Keyed("Kámen", Rock(), Encoding::kDib24));
  return file;
}

ArtFile PaintObjectsFile() {
  ArtFile file{"objects.dat", {}};
  file.items.push_back(Keyed("Meč", Sword(), Encoding::kDib8));
  file.items.push_back(Keyed("Štít", Shield(), Encoding::kDib8));
  file.items.push_back(Keyed("Lektvar", Potion(), Encoding::kDib4));
  file.items.push_back(Keyed("Zlato", Coins(), Encoding::kBitmap8));
  file.items.back().pattern_width = 40;
  file.items.back().pattern_height = 40;
  return file;
}

}  // namespace kv::art
