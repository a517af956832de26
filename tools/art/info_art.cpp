// The info boxes' pictures (graphic2.dat, "Info0".."Info10" after the portraits): a gilded
// plaque for each profession with its emblem, and one for each race with a face of that race.
// The info box draws them unscaled and unkeyed at (100, 200), left of its text, on the dark
// middle of the scroll: so the plaque fills its whole rectangle and its edge is dark.
#include <cmath>
#include <string>

#include "tools/art/art_items.h"
#include "tools/art/lettering.h"
#include "tools/art/materials.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"

namespace kv::art {

namespace {

constexpr int kW = 240, kH = 300;
constexpr float kPi = 3.14159265f;
constexpr float kCx = kW / 2.f, kCy = 128.f;  // the emblem's middle, above the name
constexpr Rgb kSteel = Hex(0xD8DEE8), kSteelDark = Hex(0x6A7282), kWood = Hex(0x5A3418);

Raster Plaque() {
  Raster r(kW, kH);
  const RoundBox outer{1, 1, kW - 1.f, kH - 1.f, 14};
  const RoundBox field{11, 11, kW - 11.f, kH - 11.f, 8};
  Fill(r, outer, [](float x, float y, float) {
    // Light from the upper left runs round the rim.
    return GoldAt(Clamp01(0.5f + 0.5f * ((kW - x) / kW + (kH - y) / kH - 1.f)));
  });
  Fill(r, Ring(outer, 1.5f), Hex(0x1A0E06));
  Fill(r, field, [](float x, float y, float d) {
    Rgb c = LeatherAt(x, y, 611, Hex(0x2A2232));
    const float gx = (x - kCx) / 110.f, gy = (y - kCy) / 110.f;
    c = c + Hex(0x5A3810) * (0.7f * Exp(-(gx * gx + gy * gy) * 2.f));
    return c * (0.55f + 0.45f * Clamp01(-d / 10.f));  // shaded under the rim
  });
  Fill(r, Ring(field, 1.f), Hex(0x3A2408));
  return r;
}

void Name(Raster& r, Lettering& lettering, const char* name) {
  TextStyle style;
  style.height = 28;
  style.outline_width = 2;
  style.shadow_offset = 2;
  DrawTextCentred(r, lettering, name, kCx, 262, style);
}

// A sword from its hilt (hx, hy) along the direction of `angle` (radians, 0 = upwards).
void Sword(Raster& r, float hx, float hy, float angle, float length) {
  const float dx = Sin(angle), dy = -Cos(angle);
  const float tx = hx + dx * length, ty = hy + dy * length;
  Fill(r, Capsule{hx, hy, tx, ty, 7, 1}, [&](float x, float y, float) {
    const float across = (x - hx) * dy - (y - hy) * dx;  // which side of the blade's ridge
    return Mix(kSteel, kSteelDark, Clamp01(0.5f + across / 8.f));
  });
  Fill(r, Capsule{hx - dy * 26, hy + dx * 26, hx + dy * 26, hy - dx * 26, 5, 5},
       [&](float, float y, float) { return GoldAt(Clamp01((y - hy + 8) / 16.f)); });
  Fill(r, Capsule{hx, hy, hx - dx * 34, hy - dy * 34, 5, 5}, kWood);
  Fill(r, Circle{hx - dx * 40, hy - dy * 40, 8}, GoldAt(0.8f));
}

// Points along a circular arc, for bows and crescents.
template <typename F>
void AlongArc(float cx, float cy, float radius, float from, float to, int steps, F f) {
  for (int i = 0; i <= steps; ++i) {
    const float a = from + (to - from) * i / steps;
    f(cx + radius * Cos(a), cy + radius * Sin(a));
  }
}

void Bow(Raster& r, float cx, float cy, float radius, float half_angle) {
  float px = 0, py = 0;
  bool first = true;
  AlongArc(cx, cy, radius, kPi - half_angle, kPi + half_angle, 24, [&](float x, float y) {
    if (!first) Fill(r, Capsule{px, py, x, y, 5, 5}, kWood * 1.3f);
    px = x, py = y, first = false;
  });
  const float sx = cx - radius * Cos(half_angle), sy = radius * Sin(half_angle);
  Fill(r, Capsule{sx, cy - sy, sx, cy + sy, 1, 1}, Hex(0xE8E0C8));
}

void Arrow(Raster& r, float x0, float y0, float x1, float y1) {
  const float len = Hypot(x1 - x0, y1 - y0), ux = (x1 - x0) / len, uy = (y1 - y0) / len;
  Fill(r, Capsule{x0, y0, x1, y1, 2.5f, 2.5f}, Hex(0xA07A48));
  Fill(r,
       Polygon{
           {{x1 + ux * 18, y1 + uy * 18}, {x1 - uy * 8, y1 + ux * 8}, {x1 + uy * 8, y1 - ux * 8}}},
       kSteel);
  for (float k : {0.f, 10.f, 20.f}) {
    const float fx = x0 + ux * k, fy = y0 + uy * k;
    Fill(r, Polygon{{{fx, fy}, {fx - ux * 10 - uy * 9, fy - uy * 10 + ux * 9}, {fx + ux * 4, fy}}},
         Hex(0xC02830));
    Fill(r, Polygon{{{fx, fy}, {fx - ux * 10 + uy * 9, fy - uy * 10 - ux * 9}, {fx + ux * 4, fy}}},
         Hex(0x901820));
  }
}

void Ranger(Raster& r) {
  // A pine of the wild borders, an arrow across it.
  Fill(r, RoundBox{kCx - 7, kCy + 50, kCx + 7, kCy + 82, 2}, kWood);
  for (int i = 0; i < 4; ++i) {
    const float top = kCy - 78 + i * 30, w = 26 + i * 16;
    Fill(r, Polygon{{{kCx, top}, {kCx + w, top + 58}, {kCx - w, top + 58}}},
         [&](float x, float, float) {
           return Mix(Hex(0x4A8A3A), Hex(0x1A4A22), (x - kCx + w) / (2 * w));
         });
  }
  Arrow(r, kCx - 80, kCy + 70, kCx + 72, kCy - 62);
}

void Wizard(Raster& r) {
  // A staff with a glowing stone, under a crescent and stars.
  Fill(r, Capsule{kCx + 6, kCy + 92, kCx - 6, kCy - 50, 5, 6}, kWood * 1.2f);
  Glow(r, Circle{kCx - 8, kCy - 66, 14}, Hex(0x3060E0), 10, 60);
  Fill(r, Circle{kCx - 8, kCy - 66, 14}, [&](float x, float y, float) {
    return Mix(Hex(0xE0F0FF), Hex(0x2050C0), Clamp01(Hypot(x - kCx + 14, y - kCy + 72) / 20));
  });
  Fill(r, Subtract(Circle{kCx + 58, kCy - 72, 26}, Circle{kCx + 70, kCy - 80, 24}), GoldAt(0.9f));
  for (const Pt& s : {Pt{kCx - 70, kCy - 40}, Pt{kCx - 52, kCy + 20}, Pt{kCx + 60, kCy + 4},
                      Pt{kCx + 40, kCy + 60}, Pt{kCx - 66, kCy + 74}}) {
    Glow(r, Circle{s.x, s.y, 2}, Hex(0xA0B0FF), 2, 12);
    Fill(r, Circle{s.x, s.y, 3}, Hex(0xFFFFF0));
  }
}

void Archer(Raster& r) {
  Bow(r, kCx + 120, kCy, 150, 0.62f);
  Arrow(r, kCx - 60, kCy, kCx + 60, kCy);
}

void Swordsman(Raster& r) {
  Sword(r, kCx - 46, kCy + 62, 0.62f, 130);
  Sword(r, kCx + 46, kCy + 62, -0.62f, 130);
}

void Warrior(Raster& r) {
  // A round shield behind a battle axe.
  const Circle shield{kCx, kCy, 74};
  Fill(r, shield, [&](float x, float y, float) {
    return Mix(Hex(0x8A2A20), Hex(0x3A1410), Clamp01((x - kCx + y - kCy) / 150.f + 0.5f));
  });
  Fill(r, Ring(shield, 6), GoldAt(0.6f));
  Fill(r, Circle{kCx, kCy, 14}, GoldAt(0.85f));
  Fill(r, Capsule{kCx - 58, kCy + 78, kCx + 50, kCy - 70, 5, 5}, kWood * 1.3f);
  const float ax = kCx + 34, ay = kCy - 48;
  Fill(r, Polygon{{{ax - 8, ay - 6}, {ax + 30, ay - 44}, {ax + 44, ay - 10}, {ax + 10, ay + 10}}},
       [&](float x, float y, float) {
         return Mix(kSteel, kSteelDark, Clamp01((x - ax + y - ay) / 60.f + 0.4f));
       });
  Fill(r, Polygon{{{ax - 10, ay - 4}, {ax - 40, ay - 32}, {ax - 52, ay + 4}, {ax - 18, ay + 14}}},
       [&](float x, float y, float) {
         return Mix(kSteel, kSteelDark, Clamp01((y - ay) / 40.f + 0.5f));
       });
}

void Thief(Raster& r) {
  // A key crossed with a dagger, and a coin.
  const float kx = kCx - 40, ky = kCy - 60;
  Fill(r, Ring(Circle{kx, ky, 18}, 6), GoldAt(0.75f));
  Fill(r, Capsule{kx + 12, ky + 14, kx + 92, ky + 118, 5, 5}, GoldAt(0.6f));
  Fill(r, RoundBox{kx + 70, ky + 100, kx + 84, ky + 108, 2}, GoldAt(0.5f));
  Fill(r, RoundBox{kx + 60, ky + 86, kx + 74, ky + 94, 2}, GoldAt(0.5f));
  Sword(r, kCx + 40, kCy - 30, kPi + 0.55f, 90);
  Fill(r, Circle{kCx - 52, kCy + 64, 20}, GoldAt(0.7f));
  Fill(r, Ring(Circle{kCx - 52, kCy + 64, 14}, 1.5f), GoldAt(0.35f));
}

using Emblem = void (*)(Raster&);

ArtPicture Info(int entry, Raster r) {
  ArtPicture p;
  p.name = "Info" + std::to_string(entry);
  p.raster = std::move(r);
  p.encoding = Encoding::kDib24;
  p.transparent = false;
  return p;
}

}  // namespace

std::vector<ArtPicture> PaintInfoPictures(Lettering& lettering) {
  static const char* const kProfessions[6] = {"Hraničář", "Kouzelník", "Lučištník",
                                              "Šermíř",   "Válečník",  "Zloděj"};
  static const Emblem kEmblems[6] = {Ranger, Wizard, Archer, Swordsman, Warrior, Thief};
  static const char* const kRaces[5] = {"Barbar", "Člověk", "Elf", "Thrán", "Trpaslík"};
  std::vector<ArtPicture> pictures;
  for (int p = 0; p < 6; ++p) {
    Raster r = Plaque();
    kEmblems[p](r);
    Name(r, lettering, kProfessions[p]);
    pictures.push_back(Info(p, std::move(r)));
  }
  for (int race = 0; race < 5; ++race) {
    Raster r = Plaque();
    const RoundBox frame{kCx - 93, 26, kCx + 93, 224, 6};
    Fill(r, Offset(frame, 5), [](float, float y, float) { return GoldAt(Clamp01(1.f - y / 240)); });
    Fill(r, Ring(Offset(frame, 5), 1.f), Hex(0x1A0E06));
    r.Draw(PaintRaceFace(race, 186, 198), static_cast<int>(kCx - 93), 26);
    Name(r, lettering, kRaces[race]);
    pictures.push_back(Info(6 + race, std::move(r)));
  }
  return pictures;
}

}  // namespace kv::art
