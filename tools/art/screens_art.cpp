// The other pictures of graphic1.dat: the credits screen and its lit return gate, the scroll
// behind the options and creation pages, the creation title banner, the inset frame and the
// button plate. Every place the game writes text on is kept dark.
#include <cmath>

#include "tools/art/materials.h"
#include "tools/art/menu_painters.h"
#include "tools/art/noise.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"

namespace kv::art {

namespace {

constexpr float kTau = 6.2831853f;
// The return gate's rectangle on the credits screen.
constexpr float kGateL = 234, kGateT = 1, kGateR = 548, kGateB = 348;

Rgb NightHallAt(float x, float y) {
  Rgb c = AshlarAt(x, y, 601, 36.f, Hex(0x4A4A66), 800);
  const float moon = Exp(-Pow(Hypot(x - 391, y - 170) / 330.f, 2.f) * 2.f);
  c = c * (0.3f + 0.45f * moon);
  const float vx = (x - 400.f) / 400.f, vy = (y - 300.f) / 300.f;
  return c * (1.f - 0.5f * Clamp01(vx * vx * 0.7f + vy * vy * 0.7f - 0.1f));
}

// The gate in the gate rectangle's own coordinates (0..314 x 0..347). Lit, its doors stand
// open on a warm morning light; unlit, they are shut in the dark.
void PaintGate(Raster& r, float ox, float oy, bool lit, Lettering& l) {
  const float w = kGateR - kGateL, h = kGateB - kGateT;
  const float cx = ox + w / 2;
  const auto opening = Union(RoundBox{ox + 62, oy + 120, ox + w - 62, oy + h - 14},
                             Circle{cx, oy + 120, w / 2 - 62});
  const auto arch = Offset(opening, 26);
  Fill(r, arch, [&](float x, float y, float d) {
    // Voussoirs: stones radiating from the arch's centre.
    const float a = Atan2(y - (oy + 120), x - cx);
    const int stone = static_cast<int>(std::floor((a + kTau) * 9.f / 3.1416f));
    Rgb c = AshlarAt(x, y, 603, 30.f, Hex(0x8A8494), 800);
    if (y < oy + 120)
      c = Hex(0x8A8494) * (0.8f + 0.3f * ((Hash(static_cast<uint32_t>(stone), 7) & 255) / 255.f));
    c = c * (lit ? 1.05f : 0.55f);
    if (d > -3.f) c = c * 0.6f;
    return c;
  });
  if (lit) {
    // Light spills out over the stones first; the view through the gate is painted over it.
    Glow(r, opening, Hex(0x604020), 16.f, 50.f);
    Fill(r, opening, [&](float x, float y, float) {
      // Through the gate: a dawn sky over green hills.
      const float t = Clamp01((y - oy - 40) / (h - 60));
      Rgb sky = Mix(Hex(0x4A68B0), Hex(0xF0B878), t * t);
      const float hill = oy + h - 90 + 18 * Sin((x - ox) / 40.f) + 8 * Sin((x - ox) / 13.f);
      if (y > hill) sky = Mix(Hex(0x4A7030), Hex(0x1E3A18), Clamp01((y - hill) / 60.f));
      const float sun = Hypot(x - cx, y - (oy + h - 96));
      return sky + Hex(0xFFE8B0) * (Exp(-sun / 22.f) * 0.6f);
    });
    // The doors swung inward, seen edge-on at the sides.
    for (float side : {-1.f, 1.f}) {
      const float dx = cx + side * (w / 2 - 70);
      Fill(r,
           Polygon{{{dx, oy + 96},
                    {dx + side * 14, oy + 110},
                    {dx + side * 14, oy + h - 20},
                    {dx, oy + h - 14}}},
           [&](float x, float y, float) { return PlanksAt(y, x, 605, 12.f, Hex(0x6A4424)); });
    }
  } else {
    Fill(r, opening, [&](float x, float y, float d) {
      Rgb c = PlanksAt(y * 0.3f, x - ox, 605, 22.f, Hex(0x3A2616)) * 0.7f;
      if (std::abs(x - cx) < 1.5f) c = Hex(0x0C0806);
      for (float by : {oy + 150.f, oy + 270.f})
        if (y > by && y < by + 10) c = Hex(0x24201C);
      return c * (0.7f + 0.3f * Clamp01(-d / 20.f));
    });
  }
  TextStyle style;
  style.height = 34;
  style.top = lit ? Hex(0xFFFBE0) : Hex(0xC8B070);
  style.bottom = lit ? Hex(0xFFC040) : Hex(0x806020);
  style.outline_width = 2;
  style.outline = Hex(0x100804);
  style.shadow_offset = 3;
  if (lit) style.glow = Hex(0x906010);
  DrawTextCentred(r, l, "Zpět", cx, oy + 48, style);
}

void Line(Raster& r, Lettering& l, const char* text, float y, int height, Rgb top, Rgb bottom) {
  TextStyle s;
  s.height = height;
  s.top = top;
  s.bottom = bottom;
  s.outline_width = 1;
  s.outline = Hex(0x0A0604);
  s.shadow_offset = 2;
  DrawTextCentred(r, l, text, 400, y, s);
}

}  // namespace

Raster PaintCredits(Lettering& l) {
  Raster r(800, 600);
  r.Apply([](int x, int y, Rgb) { return NightHallAt(x + 0.5f, y + 0.5f); });
  // Banners behind the two emblems the credits screen places at (67, 50) and (633, 50).
  for (float bx : {117.f, 683.f}) {
    const Polygon banner{{{bx - 62, 20}, {bx + 62, 20}, {bx + 62, 240}, {bx, 205}, {bx - 62, 240}}};
    Shadow(r, banner, 6, 8, 8, 0.6f);
    Fill(r, banner, [](float x, float y, float d) {
      Rgb c = Hex(0x5A1420) * (0.8f + 0.25f * Sin(x * 0.2f)) * (1.f - y / 600.f);
      if (d > -5.f) c = GoldAt(0.35f + y / 500.f) * 0.8f;
      return c;
    });
  }
  PaintGate(r, kGateL, kGateT, false, l);
  // The scroll of names: a dark page so the gold letters stand out.
  Fill(r, RoundBox{120, 368, 680, 590, 10}, [](float x, float y, float d) {
    Rgb c = LeatherAt(x, y, 607, Hex(0x2A2030)) * 0.8f;
    if (d > -4.f) c = GoldAt(0.3f + (x - 120) / 900.f) * 0.75f;
    return c;
  });
  const Rgb gold_top = Hex(0xFFF0B0), gold_bottom = Hex(0xC08A2A);
  const Rgb pale_top = Hex(0xE8E0D0), pale_bottom = Hex(0xA8A098);
  Line(r, l, "Autoři", 398, 34, gold_top, gold_bottom);
  Line(r, l, "Kervana IV  -  dobrodružství v zemi Tavorind", 440, 20, pale_top, pale_bottom);
  Line(r, l, "Příběh, programování, grafika a zvuky", 474, 20, gold_top, gold_bottom);
  Line(r, l, "tým Kervany, léto 2000", 500, 20, pale_top, pale_bottom);
  Line(r, l, "Písmo Cardo: David J. Perry, licence SIL OFL 1.1", 534, 16, pale_top, pale_bottom);
  Line(r, l, "Bránou nahoře se vrátíš do hlavní nabídky", 566, 16, gold_top, gold_bottom);
  return r;
}

Raster PaintLitGate(Lettering& l) {
  // Painted over the credits picture itself, so whatever the gate does not cover matches.
  Raster r = PaintCredits(l);
  PaintGate(r, kGateL, kGateT, true, l);
  return r.Crop(static_cast<int>(kGateL), static_cast<int>(kGateT),
                static_cast<int>(kGateR - kGateL), static_cast<int>(kGateB - kGateT));
}

Raster PaintScroll() {
  Raster r(800, 600);
  r.Apply([](int x, int y, Rgb) {
    const float fx = x + 0.5f, fy = y + 0.5f;
    // Dark leather in the middle, turning to a lighter worn rim.
    const float edge = std::min(std::min(fx, 800 - fx), std::min(fy - 28, 572 - fy));
    Rgb c = LeatherAt(fx, fy, 611, Hex(0x3A2A22));
    c = c * (0.55f + 0.15f * Fbm(fx / 200.f, fy / 200.f, 613, 2));
    const float rim = 1.f - SmoothStep(8.f, 60.f, edge);
    c = Mix(c, LeatherAt(fx, fy, 615, Hex(0x9A7A50)), rim * 0.8f);
    // A gilt line framing the writing area.
    if (std::abs(edge - 44.f) < 1.3f || std::abs(edge - 50.f) < 0.8f)
      c = GoldAt(0.3f + fx / 1600.f) * 0.85f;
    return c;
  });
  // Rolled ends top and bottom: shaded cylinders with turned knobs.
  for (float cy : {18.f, 582.f}) {
    Fill(r, RoundBox{0, cy - 18, 800, cy + 18, 6}, [cy](float x, float y, float) {
      const float t = (y - cy) / 18.f;
      const float shade = std::sqrt(std::max(0.f, 1.f - t * t));
      return LeatherAt(x, y, 617, Hex(0x8A6A44)) * (0.35f + 0.75f * shade) +
             Hex(0x403020) * (shade > 0.9f ? 0.3f : 0.f);
    });
    for (float kx : {10.f, 790.f})
      Fill(r, Circle{kx, cy, 14}, [kx, cy](float x, float y, float) {
        return GoldAt(0.5f + ((kx - x) + (cy - y)) / 40.f);
      });
  }
  return r;
}

Raster PaintTitleBanner(Lettering& l) {
  // A ribbon with folded tails; the key colour surrounds it.
  Raster r(540, 80, {}, 0.f);
  for (float side : {-1.f, 1.f}) {
    const float ex = side < 0 ? 0.f : 540.f, ix = side < 0 ? 60.f : 480.f;
    Fill(r, Polygon{{{ex, 22}, {ix, 22}, {ix, 74}, {ex, 74}, {ex - side * 22, 48}}},
         [](float, float y, float d) {
           Rgb c = Hex(0x5A0C10) * (0.9f + 0.2f * (y - 22) / 52.f);
           if (d > -2.5f) c = GoldAt(0.4f) * 0.7f;
           return c;
         });
  }
  const RoundBox band{40, 6, 500, 64, 6};
  Fill(r, band, [](float x, float y, float d) {
    const float t = (y - 6) / 58.f;
    Rgb c = Mix(Hex(0xB02028), Hex(0x5A0C10), t) * (0.95f + 0.08f * Sin(x * 0.05f));
    if (d > -4.f) c = GoldAt(0.2f + x / 700.f);
    return c;
  });
  TextStyle style;
  style.height = 40;
  style.top = Hex(0xFFF4C0);
  style.bottom = Hex(0xD09028);
  style.outline_width = 2;
  style.outline = Hex(0x200404);
  style.shadow_offset = 3;
  DrawTextCentred(r, l, "Nová postava", 270, 35, style);
  AddOutline(r, Hex(0x1A0804));
  return r;
}

Raster PaintFrame() {
  // 200 x 50, stretched to 400 x 100 and 316 x 41: a thin bevel and a plain dark field.
  Raster r(200, 50);
  r.Apply([](int x, int y, Rgb) {
    const float fx = x + 0.5f, fy = y + 0.5f;
    const float edge = std::min(std::min(fx, 200 - fx), std::min(fy, 50 - fy));
    Rgb c = Mix(Hex(0x1A1A24), Hex(0x0E0E16), fy / 50.f) *
            (0.9f + 0.15f * Noise(fx / 6.f, fy / 6.f, 621));
    // The bevel stays thin: squeezed to 41 pixels high the frame must leave the descenders of
    // its 22-point labels room.
    if (edge < 2.f) {
      const bool lit_side = fx < fy * 4 + 0.f || fy < 2.f;
      c = GoldAt(lit_side ? 0.75f : 0.25f) * (0.7f + 0.2f * edge);
    } else if (edge < 4.f) {
      c = c * 0.5f;  // the field sits below the rim
    }
    return c;
  });
  return r;
}

Raster PaintButton() {
  // 80 x 60, stretched into shapes from 40 x 100 to 148 x 100: thin rims, a calm centre.
  Raster r(80, 60);
  r.Apply([](int x, int y, Rgb) {
    const float fx = x + 0.5f, fy = y + 0.5f;
    const float edge = std::min(std::min(fx, 80 - fx), std::min(fy, 60 - fy));
    Rgb c = Mix(Hex(0x4A2A1E), Hex(0x24120C), fy / 60.f);
    c = c * (0.92f + 0.1f * Noise(fx / 5.f, fy / 5.f, 623));
    if (edge < 2.5f) {
      c = (fx < 2.5f || fy < 2.5f) ? GoldAt(0.75f) : GoldAt(0.15f) * 0.8f;
    } else if (edge < 4.f) {
      c = (fx < 4.f || fy < 4.f) ? Hex(0x8A5A30) : Hex(0x140A06);
    }
    return c;
  });
  return r;
}

}  // namespace kv::art
