// The frame around the game view (graphic3.dat): the bottom bar, the side strips, the strip's
// buttons and the pointer pictures.
#include <cmath>

#include "tools/art/art_items.h"
#include "tools/art/materials.h"
#include "tools/art/noise.h"
#include "tools/art/pointer_art.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"

namespace kv::art {

namespace {

constexpr float kPi = 3.14159265f;

ArtPicture Picture(const std::string& name, Raster r, Encoding encoding, bool keyed = false) {
  ArtPicture p;
  p.name = name;
  p.raster = std::move(r);
  p.encoding = encoding;
  p.transparent = keyed;
  return p;
}

Rgb DarkWood(float x, float y) {
  return PlanksAt(y * 0.3f, x, 401, 40.f, Hex(0x4A3020)) * 0.75f;
}

// A gold moulding along a rectangle's inside edge, `w` pixels wide.
void GoldFrame(Raster& r, float x0, float y0, float x1, float y1, float w) {
  Fill(r, Subtract(RoundBox{x0, y0, x1, y1, 2}, RoundBox{x0 + w, y0 + w, x1 - w, y1 - w, 1}),
       [&](float x, float y, float d) {
         const float across = Clamp01(-d / w);
         return GoldAt(across * 0.6f + 0.1f) *
                (0.85f + 0.25f * ((x - x0) + (y - y0) < (x1 - x) + (y1 - y) ? 1.f : 0.6f));
       });
}

Raster BottomBar() {
  Raster r(700, 95);
  r.Apply([](int x, int y, Rgb) {
    Rgb c = LeatherAt(x, y, 403, Hex(0x4A3424));
    return c * (0.8f + 0.3f * Sin(kPi * (y + 0.5f) / 95.f));
  });
  GoldFrame(r, 0, 0, 700, 95, 4);
  // Three recessed slots for the party's portraits; their pictures cover the inside.
  for (float sx : {1.f, 235.f, 469.f}) {
    Fill(r, RoundBox{sx - 3, 5, sx + 83, 91, 3}, [](float x, float y, float d) {
      return d > -2.f ? GoldAt(0.3f + (y - 5) / 160.f) : Hex(0x120C08);
    });
  }
  // A calm band under the status numbers; a carved vine fills the free space on the right.
  for (float x = 570; x < 690; x += 20) {
    Fill(r, Circle{x, 47, 7}, [x](float px, float py, float) {
      const float lit = Clamp01(0.5f + ((x - px) + (47 - py)) / 14.f);
      return Mix(Hex(0x5A3A14), Hex(0xE8C060), lit);
    });
  }
  Fill(r, Capsule{562, 47, 692, 47, 1.2f, 1.2f}, GoldAt(0.5f));
  return r;
}

Raster SideStrip() {
  Raster r(50, 600);
  r.Apply([](int x, int y, Rgb) {
    Rgb c = DarkWood(x, y);
    const float round = Sin(kPi * (x + 0.5f) / 50.f);
    return c * (0.6f + 0.5f * round);
  });
  GoldFrame(r, 0, -10, 50, 610, 3);
  // Studs between the buttons, so the gaps do not look empty.
  for (float y : {50.f, 100.f, 155.f, 300.f, 400.f, 450.f, 505.f}) {
    Fill(r, Circle{25, y, 3.5f}, [y](float px, float py, float) {
      return Mix(Hex(0x6A4A1A), Hex(0xF8E090), Clamp01(0.5f + (25 - px + y - py) / 6.f));
    });
  }
  // A long gem in the empty middle run.
  const Ellipse gem{25, 300, 9, 60};
  Glow(r, gem, Hex(0x102040), 6.f, 14.f);
  Fill(r, gem, [](float x, float y, float d) {
    const float hl = Clamp01(1.f - Hypot((x - 21) / 5.f, (y - 270) / 25.f));
    Rgb c = Mix(Hex(0x0A1A4A), Hex(0x3A6AC0), Clamp01((300 - y) / 120.f + 0.4f));
    c = c + Hex(0xC0E0FF) * (hl * hl);
    return d > -1.5f ? GoldAt(0.4f) : c;
  });
  return r;
}

// A 40 x 40 (or 40 x 80) button plate with a symbol painted by `symbol`.
template <class Symbol>
Raster Plate(int w, int h, Symbol symbol) {
  Raster r(w, h);
  r.Apply([h](int x, int y, Rgb) {
    return Mix(Hex(0x3A2A20), Hex(0x1A120C), (y + 0.5f) / h) *
           (0.9f + 0.1f * Noise(x / 3.f, y / 3.f, 7));
  });
  GoldFrame(r, 0, 0, static_cast<float>(w), static_cast<float>(h), 3);
  symbol(r);
  return r;
}

const Rgb kInk = Hex(0xF0D890);
const Rgb kInkDark = Hex(0x8A6A30);

auto Lit(Rgb top, Rgb bottom, float y0, float y1) {
  return [=](float, float y, float) { return Mix(top, bottom, Clamp01((y - y0) / (y1 - y0))); };
}

void BookSymbol(Raster& r, bool open) {
  if (open) {
    Fill(r, Polygon{{{7, 12}, {20, 15}, {20, 31}, {7, 28}}},
         Lit(Hex(0xF4E8C8), Hex(0xC0A878), 12, 31));
    Fill(r, Polygon{{{33, 12}, {20, 15}, {20, 31}, {33, 28}}},
         Lit(Hex(0xE8DCB8), Hex(0xB09868), 12, 31));
    for (float y : {18.f, 21.f, 24.f}) {
      Fill(r, Capsule{10, y, 17, y + 1.5f, 0.5f, 0.5f}, Hex(0x6A5A40));
      Fill(r, Capsule{23, y + 1.5f, 30, y, 0.5f, 0.5f}, Hex(0x6A5A40));
    }
  } else {
    Fill(r, RoundBox{10, 8, 30, 32, 2}, Lit(Hex(0xA02A20), Hex(0x5A1010), 8, 32));
    Fill(r, RoundBox{12, 10, 28, 30, 1}, Lit(Hex(0xB83A2A), Hex(0x6A1A14), 8, 32));
    Fill(r, Capsule{15, 20, 25, 20, 1.2f, 1.2f}, kInk);
    Fill(r, Circle{20, 20, 3}, kInk);
  }
}

void ArrowSymbol(Raster& r, bool down) {
  const float tip = down ? 33.f : 7.f, base = down ? 24.f : 16.f;
  Fill(r, Polygon{{{20, tip}, {28, base}, {12, base}}}, Lit(kInk, kInkDark, 7, 33));
  Fill(r, Capsule{20, down ? 10.f : 16.f, 20, down ? 24.f : 30.f, 3, 3},
       Lit(kInk, kInkDark, 7, 33));
}

void Bolt(Raster& r) {
  Fill(r, Polygon{{{27, 4}, {20, 17}, {25, 17}, {18, 30}, {32, 13}, {26, 13}, {31, 4}}},
       Lit(Hex(0xFFF4A0), Hex(0xF0A020), 4, 30));
}

void GearSymbol(Raster& r) {
  const auto teeth = MakeShape(Box{6, 6, 34, 34}, [](float x, float y) {
    const float a = Atan2(y - 20, x - 20), d = Hypot(x - 20, y - 20);
    const float tooth = Cos(a * 8.f) > 0.3f ? 13.f : 10.f;
    return d - tooth;
  });
  Fill(r, teeth, Lit(kInk, kInkDark, 6, 34));
  Fill(r, Circle{20, 20, 4}, Hex(0x2A1A10));
}

void DoorSymbol(Raster& r) {
  const auto door = Union(RoundBox{12, 14, 28, 34}, Circle{20, 15, 8});
  Fill(r, door, Lit(Hex(0x8A5A30), Hex(0x4A2A14), 7, 34));
  Fill(r, Ring(door, 1.5f), kInk);
  Fill(r, Circle{24.5f, 24, 1.6f}, kInk);
}

void MapSymbol(Raster& r, bool world) {
  Fill(r, RoundBox{6, 10, 34, 70, 2}, Lit(Hex(0xE8D8B0), Hex(0xB8A070), 10, 70));
  Fill(r, RoundBox{4, 6, 36, 12, 3}, Hex(0x8A6A40));
  Fill(r, RoundBox{4, 68, 36, 74, 3}, Hex(0x8A6A40));
  if (world) {
    Fill(r, Circle{20, 40, 11}, Lit(Hex(0x4A8AC0), Hex(0x2A4A80), 29, 51));
    Fill(r, Ellipse{17, 37, 5, 4, 0.5f}, Hex(0x5A8A3A));
    Fill(r, Ellipse{24, 45, 4, 3, -0.3f}, Hex(0x5A8A3A));
    Fill(r, Ring(Circle{20, 40, 11}, 1.2f), Hex(0x5A4020));
  } else {
    Rng rng(411);
    float x = 12, y = 20;
    for (int i = 0; i < 6; ++i) {
      const float nx = rng.Uniform(10, 30), ny = y + 8;
      for (float t = 0; t < 1; t += 0.25f)
        Fill(r, Circle{x + (nx - x) * t, y + (ny - y) * t, 0.9f}, Hex(0x8A2A1A));
      x = nx;
      y = ny;
    }
    Fill(r, Capsule{x - 3, y - 3, x + 3, y + 3, 1, 1}, Hex(0xB02010));
    Fill(r, Capsule{x - 3, y + 3, x + 3, y - 3, 1, 1}, Hex(0xB02010));
  }
}

}  // namespace

ArtFile PaintInterfaceFile(Lettering&) {
  ArtFile file{"graphic3.dat", {}};
  file.items.push_back(Picture("Down", BottomBar(), Encoding::kBitmap24));
  // Both side strips are the same picture: lookups ignore case, so the game finds the later
  // of the two names for both sides anyway.
  const Raster strip = SideStrip();
  file.items.push_back(Picture("LeftRight", strip, Encoding::kBitmap8));
  file.items.push_back(Picture("leftright", strip, Encoding::kBitmap8));
  file.items.push_back(Picture("Save",
                               Plate(40, 40,
                                     [](Raster& r) {
                                       BookSymbol(r, false);
                                       ArrowSymbol(r, true);
                                     }),
                               Encoding::kDib24));
  file.items.push_back(
      Picture("Load", Plate(40, 40, [](Raster& r) { BookSymbol(r, true); }), Encoding::kDib24));
  file.items.push_back(Picture("Options", Plate(40, 40, GearSymbol), Encoding::kDib24));
  file.items.push_back(Picture("Exit", Plate(40, 40, DoorSymbol), Encoding::kDib24));
  file.items.push_back(Picture("QSave",
                               Plate(40, 40,
                                     [](Raster& r) {
                                       BookSymbol(r, false);
                                       Bolt(r);
                                     }),
                               Encoding::kDib24));
  file.items.push_back(Picture("QLoad",
                               Plate(40, 40,
                                     [](Raster& r) {
                                       BookSymbol(r, true);
                                       Bolt(r);
                                     }),
                               Encoding::kDib24));
  file.items.push_back(
      Picture("Map", Plate(40, 80, [](Raster& r) { MapSymbol(r, false); }), Encoding::kDib24));
  file.items.push_back(
      Picture("Tmap", Plate(40, 80, [](Raster& r) { MapSymbol(r, true); }), Encoding::kDib24));
  for (const PointerPicture& p : PaintPointers())
    file.items.push_back(Picture(p.name, p.raster, Encoding::kDib4, true));
  return file;
}

}  // namespace kv::art
