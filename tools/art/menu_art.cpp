// The main menu (graphic1.dat): a stone hall at dusk lit by torches and a brazier, with five
// carved panels that lie exactly over the menu's button rectangles. Each lit panel is cut
// from a second painting of the same hall, so it sits pixel-true over the plain menu.
#include <cmath>

#include "tools/art/materials.h"
#include "tools/art/menu_painters.h"
#include "tools/art/noise.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"

namespace kv::art {

namespace {

constexpr int kW = 800, kH = 600;
constexpr float kTau = 6.2831853f;

struct Panel {
  PanelRect rect;
  const char* label;
  int label_height;
};

const Panel kPanels[5] = {
    {{10, 30, 231, 376}, "Konec", 40},      {{425, 345, 716, 541}, "Nahrát", 44},
    {{115, 375, 406, 476}, "Nová hra", 42}, {{465, 75, 791, 326}, "Nastavení", 46},
    {{330, 70, 452, 250}, "Autoři", 28},
};

struct Light {
  float x, y, radius;
  Rgb color;
};
const Light kLights[] = {
    {281, 170, 210, Hex(0xFF9A40)},  // torch between the exit door and the credits panel
    {758, 410, 190, Hex(0xFF9A40)},  // torch right of the load panel
    {330, 330, 260, Hex(0xFFB050)},  // the brazier in the middle
};

Rgb HallAt(float x, float y) {
  // Big dressed stones in the dusk's blue, warmed where the fires reach.
  Rgb c;
  if (y < 520.f) {
    c = AshlarAt(x, y, 501, 40.f, Hex(0x5E5A72), 800);
  } else {
    // The floor: flagstones receding, darker towards the bottom left where the version
    // line is written.
    const float depth = (y - 520.f) / 80.f;
    c = AshlarAt(x * (1.f - 0.3f * depth) + 40 * depth, y * 1.5f, 503, 24.f, Hex(0x4A4652), 800) *
        0.8f;
    c = c * (1.f - 0.6f * Clamp01((y - 560.f) / 40.f) * Clamp01((420.f - x) / 300.f));
  }
  float warm = 0;
  for (const Light& l : kLights) {
    const float d = Hypot(x - l.x, (y - l.y) * 0.9f) / l.radius;
    warm += Exp(-d * d * 2.2f);
  }
  const float ambient = 0.42f + 0.2f * (1.f - y / kH);
  c = c * ambient + c * Hex(0xFFB060) * (warm * 0.9f);
  // Vignette: the hall fades into the dark at its edges.
  const float vx = (x - 400.f) / 400.f, vy = (y - 300.f) / 300.f;
  c = c * (1.f - 0.45f * Clamp01(vx * vx * 0.6f + vy * vy * 0.8f - 0.15f));
  return c;
}

void Torch(Raster& r, float x, float y) {
  Glow(r, Circle{x, y - 22, 8}, Hex(0xA05010), 18.f, 90.f);
  Fill(r, Polygon{{{x - 10, y}, {x + 10, y}, {x + 6, y + 10}, {x - 6, y + 10}}}, Hex(0x2A2420));
  Fill(r, Capsule{x, y + 10, x, y + 40, 3, 2}, Hex(0x3A2A1C));
  Fill(r, Ellipse{x, y - 14, 8, 16}, [y](float px, float py, float d) {
    const float t = Clamp01((y - py) / 30.f);
    return Mix(Hex(0xFFF4C0), Hex(0xE04810), t * t) * (d > -2.f ? 0.85f : 1.f);
  });
  Fill(r, Ellipse{x, y - 8, 4, 8}, Hex(0xFFFCE8));
}

void Brazier(Raster& r, float x, float y) {
  Glow(r, Circle{x, y - 20, 16}, Hex(0xB06018), 22.f, 120.f);
  Fill(r, Polygon{{{x - 34, y - 6}, {x + 34, y - 6}, {x + 22, y + 16}, {x - 22, y + 16}}},
       [x](float px, float, float d) {
         return d > -2.f ? Hex(0x1A1410)
                         : Mix(Hex(0x8A6A3A), Hex(0x3A2A1A), Clamp01((px - x + 30) / 60.f));
       });
  Fill(r, Capsule{x - 16, y + 16, x - 24, y + 40, 3, 3}, Hex(0x2A2018));
  Fill(r, Capsule{x + 16, y + 16, x + 24, y + 40, 3, 3}, Hex(0x2A2018));
  // Flames: a tongue-shaped heat field broken up by noise, coloured from red to white.
  for (int py = static_cast<int>(y - 80); py < static_cast<int>(y - 4); ++py)
    for (int px = static_cast<int>(x - 36); px < static_cast<int>(x + 36); ++px) {
      const float dx = (px + 0.5f - x) / 30.f, dy = (y - 6 - py - 0.5f) / 70.f;
      const float n = Fbm(px / 9.f, py / 14.f, 519, 3);
      const float f = (1.f - dx * dx * (1.f + dy * 3.f)) * (1.f - dy) + n * 0.5f - 0.2f;
      if (f <= 0.f) continue;
      const Rgb fire = f > 0.7f    ? Mix(Hex(0xFFB030), Hex(0xFFF6D0), Clamp01((f - 0.7f) * 3.f))
                       : f > 0.35f ? Mix(Hex(0xD83C08), Hex(0xFFB030), (f - 0.35f) / 0.35f)
                                   : Hex(0xA01C04);
      r.Blend(px, py, fire, Clamp01(f * 4.f));
    }
}

// Emblems, drawn in gold over a panel's field, centred on (cx, cy) at scale s.
auto GoldLit(float cy, float span) {
  return [=](float, float y, float d) {
    Rgb c = GoldAt(0.15f + 0.5f * Clamp01((y - cy + span) / (2 * span)));
    if (d > -1.5f) c = c * 0.7f;
    return c;
  };
}

void DoorEmblem(Raster& r, float cx, float cy, float s) {
  const auto arch = Union(RoundBox{cx - 40 * s, cy - 50 * s, cx + 40 * s, cy + 90 * s},
                          Circle{cx, cy - 50 * s, 40 * s});
  Fill(r, Offset(arch, 6 * s), GoldLit(cy, 120 * s));
  Fill(r, arch, [&](float x, float y, float) {
    return PlanksAt(y * 0.4f, x - cx, 505, 16.f * s, Hex(0x5A3A22)) * 0.8f;
  });
  for (float by : {-40.f, 40.f})
    Fill(r, RoundBox{cx - 40 * s, cy + by * s, cx + 20 * s, cy + (by + 8) * s, 2}, Hex(0x2A2622));
  Fill(r, Ring(Circle{cx + 24 * s, cy + 14 * s, 7 * s}, 3 * s), GoldLit(cy, 10));
}

void BookEmblem(Raster& r, float cx, float cy, float s) {
  const Polygon left{{{cx - 70 * s, cy - 30 * s},
                      {cx, cy - 22 * s},
                      {cx, cy + 34 * s},
                      {cx - 70 * s, cy + 26 * s}}};
  const Polygon right{{{cx + 70 * s, cy - 30 * s},
                       {cx, cy - 22 * s},
                       {cx, cy + 34 * s},
                       {cx + 70 * s, cy + 26 * s}}};
  Fill(r, Offset(Union(left, right), 5 * s), Hex(0x5A1A14));
  Fill(r, left, [&](float x, float y, float) {
    return Mix(Hex(0xF0E2C0), Hex(0xB09A70), Clamp01((x - cx + 70 * s) / (70 * s)));
  });
  Fill(r, right, [&](float x, float y, float) {
    return Mix(Hex(0xB09A70), Hex(0xE8DAB8), Clamp01((x - cx) / (70 * s)));
  });
  for (int i = 0; i < 5; ++i) {
    const float y = cy - 14 * s + i * 9 * s;
    Fill(r, Capsule{cx - 60 * s, y - 3 * s, cx - 10 * s, y + 1 * s, 1.1f, 1.1f}, Hex(0x5A4A3A));
    Fill(r, Capsule{cx + 10 * s, y + 1 * s, cx + 60 * s, y - 3 * s, 1.1f, 1.1f}, Hex(0x5A4A3A));
  }
  Fill(r, Capsule{cx, cy - 22 * s, cx, cy + 34 * s, 1.5f, 1.5f}, Hex(0x3A2A20));
}

void GearEmblem(Raster& r, float cx, float cy, float s) {
  const auto gear =
      MakeShape(Box{cx - 60 * s, cy - 60 * s, cx + 60 * s, cy + 60 * s}, [=](float x, float y) {
        const float a = Atan2(y - cy, x - cx), d = Hypot(x - cx, y - cy);
        const float tooth = Cos(a * 12.f) > 0.25f ? 56.f * s : 46.f * s;
        return std::max(d - tooth, 22.f * s - d);
      });
  Fill(r, gear, GoldLit(cy, 60 * s));
  // An astrolabe's star inside the wheel.
  for (int i = 0; i < 8; ++i) {
    const float a = kTau * i / 8.f;
    Fill(r, Capsule{cx, cy, cx + Cos(a) * 20 * s, cy + Sin(a) * 20 * s, 2.5f * s, 0.8f},
         GoldLit(cy, 20 * s));
  }
  Fill(r, Circle{cx, cy, 6 * s}, Hex(0x3050A0));
}

void QuillEmblem(Raster& r, float cx, float cy, float s) {
  Fill(r,
       Polygon{{{cx + 28 * s, cy - 50 * s},
                {cx + 8 * s, cy - 20 * s},
                {cx - 14 * s, cy + 30 * s},
                {cx - 4 * s, cy + 2 * s},
                {cx + 16 * s, cy - 36 * s}}},
       [&](float x, float y, float) {
         return Mix(Hex(0xF8F0E0), Hex(0xA8A0B8), Clamp01((y - cy + 50 * s) / (80 * s)));
       });
  Fill(r, Capsule{cx + 26 * s, cy - 48 * s, cx - 14 * s, cy + 32 * s, 1.2f, 1.f}, Hex(0x6A6070));
  Fill(r, RoundBox{cx - 26 * s, cy + 26 * s, cx - 2 * s, cy + 46 * s, 4 * s},
       GoldLit(cy + 36 * s, 10 * s));
  Fill(r, Ellipse{cx - 14 * s, cy + 27 * s, 9 * s, 3 * s}, Hex(0x101020));
}

void PaintPanel(Raster& r, Lettering& l, int which, bool lit) {
  const Panel& p = kPanels[which];
  const float x0 = p.rect.left, y0 = p.rect.top, x1 = p.rect.right, y1 = p.rect.bottom;
  const float w = x1 - x0, h = y1 - y0, cx = (x0 + x1) / 2;
  const RoundBox outer{x0, y0, x1, y1, 4};
  const float frame = std::min(12.f, std::min(w, h) * 0.08f);
  const RoundBox inner{x0 + frame, y0 + frame, x1 - frame, y1 - frame, 3};
  if (!lit) Shadow(r, outer, 7, 9, 8, 0.65f);
  // Carved wooden frame with a gold rim on both edges.
  Fill(r, outer, [&](float x, float y, float d) {
    Rgb c = PlanksAt(y - y0, x - x0, 507 + which, 9.f, Hex(0x4A3020)) * 0.8f;
    const float across = -d;
    if (across < 2.5f || (inner(x, y) > 0 && inner(x, y) < 2.5f))
      c = GoldAt(0.2f + 0.5f * Clamp01(((x - x0) + (y - y0)) / (w + h)) +
                 (across < 2.5f ? 0.2f : 0.f));
    return c * (lit ? 1.3f : 1.f);
  });
  // The recessed field, darkest at the rim where the frame overhangs it.
  Fill(r, inner, [&](float x, float y, float d) {
    Rgb c = LeatherAt(x, y, 511 + which, Hex(0x2A2232)) * 0.9f;
    c = c * (0.55f + 0.45f * Clamp01(-d / 14.f));
    if (lit) {
      const float gx = (x - cx) / (w * 0.6f), gy = (y - (y0 + y1) / 2) / (h * 0.6f);
      c = c + Hex(0xC08020) * (0.75f * Exp(-(gx * gx + gy * gy) * 2.f));
      c = c + Hex(0x806010) * (0.5f * Exp(d / 6.f));  // the rim glows inward
    }
    return c;
  });
  // Rosettes on the corners.
  for (float rx : {x0 + frame / 2, x1 - frame / 2})
    for (float ry : {y0 + frame / 2, y1 - frame / 2})
      Fill(r, Circle{rx, ry, frame * 0.42f}, GoldLit(ry, frame));

  const float label_y = which == 2 ? (y0 + y1) / 2 : y1 - frame - p.label_height * 0.75f;
  const float emblem_cy = (y0 + frame + label_y - p.label_height * 0.6f) / 2;
  switch (which) {
    case 0:
      DoorEmblem(r, cx, emblem_cy + 8, 0.9f);
      break;
    case 1:
      BookEmblem(r, cx, emblem_cy, 1.1f);
      break;
    case 2:
      for (float side : {-1.f, 1.f}) {
        const float gx = cx + side * (w / 2 - frame - 20);
        Fill(
            r,
            Polygon{{{gx, label_y - 12}, {gx + 7, label_y}, {gx, label_y + 12}, {gx - 7, label_y}}},
            GoldLit(label_y, 12));
      }
      break;
    case 3:
      GearEmblem(r, cx, emblem_cy, 1.25f);
      break;
    case 4:
      QuillEmblem(r, cx, emblem_cy, 0.95f);
      break;
  }
  TextStyle style;
  style.height = p.label_height;
  style.top = lit ? Hex(0xFFFBE0) : Hex(0xF4D890);
  style.bottom = lit ? Hex(0xFFC840) : Hex(0xA07020);
  style.outline = Hex(0x140A04);
  style.outline_width = 2;
  style.shadow_offset = 3;
  if (lit) style.glow = Hex(0xA06010);
  DrawTextCentred(r, l, p.label, cx, label_y, style);
}

Raster Hall(Lettering& l) {
  Raster r(kW, kH);
  r.Apply([](int x, int y, Rgb) { return HallAt(x + 0.5f, y + 0.5f); });
  // A carved lintel carries the game's name across the top.
  Fill(r, RoundBox{236, 2, 796, 66, 6}, [](float x, float y, float d) {
    Rgb c = AshlarAt(x, y, 513, 64.f, Hex(0x4A4658), 800) * 0.55f;
    if (d > -3.f) c = GoldAt(0.3f + (y - 2) / 128.f) * 0.8f;
    return c;
  });
  TextStyle title;
  title.height = 50;
  title.top = Hex(0xFFF0B0);
  title.bottom = Hex(0xC07A18);
  title.outline = Hex(0x100804);
  title.outline_width = 2;
  title.shadow_offset = 4;
  title.glow = Hex(0x603008);
  DrawTextCentred(r, l, "Kervana IV", 516, 34, title);
  Torch(r, 281, 150);
  Torch(r, 758, 390);
  Brazier(r, 318, 318);
  return r;
}

}  // namespace

PanelRect MenuPanelRect(int which) {
  return kPanels[which].rect;
}

Raster PaintMenu(Lettering& l) {
  Raster r = Hall(l);
  for (int i = 0; i < 5; ++i) PaintPanel(r, l, i, false);
  return r;
}

Raster PaintMenuWithLitPanel(Lettering& l, int which, const Raster& menu) {
  Raster r = menu;
  PaintPanel(r, l, which, true);
  return r;
}

}  // namespace kv::art
