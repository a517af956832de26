// The ten intro pictures (intro.dat), painted for the tall 500 x 600 frame of the intro pages:
// Tavorind in peace, the camp by night, the kidnappers, the cage, the cell, the escape, the
// flight through the forest, the river at dawn, the mountain pass and the walled yard where the
// game begins, with its door, its spring and its fire. The first is an old engraving in grey,
// stored as a one-component JPEG.
#include <cmath>

#include "tools/art/art_items.h"
#include "tools/art/materials.h"
#include "tools/art/noise.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"

namespace kv::art {

namespace {

constexpr int kW = 500, kH = 600;
constexpr float kTau = 6.2831853f;

void Sky(Raster& r, Rgb top, Rgb horizon, float horizon_y) {
  r.Apply([&](int, int y, Rgb) { return Mix(top, horizon, Pow(Clamp01(y / horizon_y), 1.6f)); });
}

void Stars(Raster& r, int count, float max_y, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const float x = rng.Uniform(0, kW), y = rng.Uniform(0, max_y), b = rng.Uniform(0.3f, 1.f);
    r.Add(static_cast<int>(x), static_cast<int>(y), Hex(0xE0E8FF) * b);
    if (b > 0.9f) Glow(r, Circle{x, y, 0.5f}, Hex(0x8090C0) * 0.5f, 1.5f, 4.f);
  }
}

void Moon(Raster& r, float x, float y, float radius, Rgb color) {
  Glow(r, Circle{x, y, radius}, color * 0.35f, radius * 0.8f, radius * 5.f);
  Fill(r, Circle{x, y, radius}, [&](float px, float py, float) {
    return color * (0.85f + 0.15f * Noise(px / 6.f, py / 6.f, 901)) *
           (1.f - 0.15f * Clamp01((px - x + py - y) / radius));
  });
}

// A silhouetted skyline: fbm hills between base_y - amplitude and base_y.
void Ridge(Raster& r, float base_y, float amplitude, float scale, Rgb color, uint32_t seed,
           Rgb rim = {}, bool snow = false) {
  for (int x = 0; x < kW; ++x) {
    const float h = base_y - amplitude * (0.5f + 0.5f * Fbm(x / scale, 0.5f, seed, 5));
    for (int y = std::max(0, static_cast<int>(h)); y < kH; ++y) {
      const float k = Clamp01(y + 1 - h);
      Rgb c = color * (1.f + 0.1f * Noise(x / 20.f, y / 20.f, seed + 1));
      if (y - h < 2.f) c = c + rim;
      if (snow && y < base_y - amplitude * 0.45f) {
        // Snow lies on the high slopes, thinning out downhill in streaks.
        const float below = (y - h) / 50.f;
        const float cover =
            SmoothStep(0.1f, -0.2f, below + 0.4f * Noise(x / 9.f, y / 16.f, seed + 3));
        c = Mix(c, Hex(0xE8E8F8) * (x % 7 < 3 ? 0.9f : 1.f), cover * 0.8f);
      }
      r.Blend(x, y, c, k);
    }
  }
}

void Pine(Raster& r, float x, float base, float height, Rgb color) {
  Fill(r, RoundBox{x - height * 0.03f, base - height * 0.15f, x + height * 0.03f, base},
       color * 0.8f);
  for (int i = 0; i < 4; ++i) {
    const float top = base - height + i * height * 0.2f, w = height * (0.16f + i * 0.07f);
    Fill(r, Polygon{{{x, top}, {x + w, top + height * 0.32f}, {x - w, top + height * 0.32f}}},
         color);
  }
}

void Forest(Raster& r, float base, float height, int count, Rgb color, uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const float x = rng.Uniform(-20, kW + 20), h = height * rng.Uniform(0.7f, 1.2f);
    Pine(r, x, base + rng.Uniform(-10, 10), h, color * rng.Uniform(0.85f, 1.1f));
  }
}

// A standing figure in a cloak, seen as a silhouette (or lit from one side).
void Figure(Raster& r, float x, float feet, float height, Rgb color, bool hooded = false) {
  const float s = height / 100.f;
  Fill(r,
       Polygon{{{x - 12 * s, feet - 78 * s},
                {x + 12 * s, feet - 78 * s},
                {x + 22 * s, feet},
                {x - 22 * s, feet}}},
       color);
  Fill(r, Circle{x, feet - 88 * s, 10 * s}, color);
  if (hooded)
    Fill(r,
         Polygon{{{x - 13 * s, feet - 82 * s}, {x, feet - 104 * s}, {x + 13 * s, feet - 82 * s}}},
         color);
}

void TorchFlame(Raster& r, float x, float y, float size) {
  Glow(r, Circle{x, y, size}, Hex(0xC06010), size * 2.f, size * 12.f);
  Fill(r, Ellipse{x, y, size * 0.6f, size}, [&](float, float py, float) {
    return Mix(Hex(0xFFF4C0), Hex(0xE05010), Clamp01((y + size - py) / (2 * size)));
  });
}

void Castle(Raster& r, float x, float base, float s, Rgb color, bool lit) {
  auto tower = [&](float tx, float w, float h) {
    Fill(r, RoundBox{tx - w / 2, base - h, tx + w / 2, base}, color);
    for (float mx = tx - w / 2; mx < tx + w / 2 - 1; mx += w / 4)
      Fill(r, RoundBox{mx, base - h - 6 * s, mx + w / 8, base - h}, color);
    Fill(r,
         Polygon{{{tx - w / 2 - 2 * s, base - h - 6 * s},
                  {tx, base - h - w * 1.1f},
                  {tx + w / 2 + 2 * s, base - h - 6 * s}}},
         color * 0.9f);
    if (lit) {
      Glow(r, Circle{tx, base - h * 0.6f, 2 * s}, Hex(0xA06010), 3 * s, 14 * s);
      Fill(r, RoundBox{tx - 2 * s, base - h * 0.65f, tx + 2 * s, base - h * 0.55f, s},
           Hex(0xFFD070));
    }
  };
  Fill(r, RoundBox{x - 60 * s, base - 40 * s, x + 60 * s, base}, color);
  for (float mx = x - 60 * s; mx < x + 60 * s; mx += 10 * s)
    Fill(r, RoundBox{mx, base - 46 * s, mx + 5 * s, base - 40 * s}, color);
  tower(x - 60 * s, 22 * s, 80 * s);
  tower(x + 60 * s, 22 * s, 80 * s);
  tower(x, 30 * s, 120 * s);
}

// Old engraving: grey tones drawn as hatching whose density follows the tone.
void Engrave(Raster& r) {
  r.Apply([](int x, int y, Rgb c) {
    const float tone = c.Luma();
    const float hatch1 = 0.5f + 0.5f * Sin((x + y) * 0.9f);
    const float hatch2 = 0.5f + 0.5f * Sin((x - y) * 0.9f);
    float ink = 0;
    if (tone < 0.6f) ink += SmoothStep(0.6f, 0.2f, tone) * (hatch1 > 0.6f ? 1.f : 0.f);
    if (tone < 0.35f) ink += SmoothStep(0.35f, 0.05f, tone) * (hatch2 > 0.6f ? 1.f : 0.f);
    const float paper = 0.86f + 0.06f * Noise(x / 30.f, y / 30.f, 903);
    const float v = Clamp01(paper * (1.f - 0.75f * Clamp01(ink)) * (0.55f + 0.45f * tone));
    return Rgb{v, v * 0.98f, v * 0.94f};
  });
}

Raster Peace() {
  Raster r(kW, kH);
  Sky(r, Hex(0x9AB0C8), Hex(0xF0E8D8), 330);
  Fill(r, Circle{380, 120, 40}, Hex(0xFFFFF0));
  Ridge(r, 330, 120, 90, Hex(0x8A96A8), 905);
  Castle(r, 250, 270, 1.3f, Hex(0x4A4E58), false);
  Ridge(r, 420, 90, 60, Hex(0x6A7A5A), 907);
  Ridge(r, 520, 60, 40, Hex(0x4A5A3A), 909);
  Forest(r, 600, 120, 10, Hex(0x2A3A22), 911);
  Engrave(r);
  return r;
}

Raster Camp() {
  Raster r(kW, kH);
  Sky(r, Hex(0x06081A), Hex(0x1A2A4A), 380);
  Stars(r, 260, 380, 913);
  Moon(r, 390, 90, 22, Hex(0xE8E8F0));
  Ridge(r, 380, 80, 80, Hex(0x0E1424), 915);
  Forest(r, 420, 150, 18, Hex(0x0A1410), 917);
  r.Apply([](int x, int y, Rgb c) {
    if (y < 420) return c;
    const float d = Hypot(x - 250.f, (y - 500.f) * 1.6f);
    return Mix(Hex(0x1A140E), Hex(0x6A3A18), Exp(-d / 140.f)) *
           (0.9f + 0.1f * Noise(x / 8.f, y / 8.f, 919));
  });
  // The sleeper rolled in a blanket, the fire beside him.
  Fill(r, Ellipse{160, 520, 70, 18, -0.05f}, [](float x, float y, float) {
    return Mix(Hex(0x8A3A2A), Hex(0x3A1A14), Clamp01((x - 90) / 140.f));
  });
  Fill(r, Circle{92, 510, 13}, Hex(0xC08A60));
  for (int i = 0; i < 7; ++i) {
    const float a = kTau * i / 7.f;
    Fill(r, Ellipse{300 + 30 * Cos(a), 500 + 12 * Sin(a), 9, 6}, Hex(0x5A4A40));
  }
  TorchFlame(r, 300, 478, 22);
  TorchFlame(r, 292, 488, 12);
  return r;
}

Raster Kidnappers() {
  Raster r(kW, kH);
  Sky(r, Hex(0x04060E), Hex(0x101A2A), 600);
  Forest(r, 300, 320, 14, Hex(0x0C1410), 921);
  r.Apply([](int x, int y, Rgb c) {
    return y > 480 ? Mix(c, Hex(0x141410), 0.8f) * (0.9f + 0.1f * Noise(x / 10.f, y / 10.f, 923))
                   : c;
  });
  for (int i = 0; i < 4; ++i) {
    const float x = 80 + i * 110, h = 200 + (i % 2) * 30;
    Figure(r, x, 560 - (i % 2) * 20, h, Hex(0x08080C), true);
    if (i % 2 == 0) {
      Fill(r, Capsule{x + 20, 560 - h * 0.6f, x + 32, 560 - h * 0.95f, 3, 3}, Hex(0x1A1008));
      TorchFlame(r, x + 33, 560 - h * 1.0f, 12);
    }
  }
  // Eyes catching the torchlight under the hoods.
  for (float x : {76.f, 84.f, 296.f, 304.f})
    Fill(r, Circle{x, 560 - 200 * 0.88f, 1.6f}, Hex(0xFFD060));
  return r;
}

Raster Cage() {
  Raster r(kW, kH);
  Sky(r, Hex(0x100408), Hex(0x3A1418), 420);
  Stars(r, 80, 300, 925);
  Moon(r, 110, 110, 34, Hex(0xE08060));
  Ridge(r, 420, 60, 70, Hex(0x160A0C), 927);
  r.Apply([](int x, int y, Rgb c) {
    return y > 430 ? Hex(0x1A1210) * (0.8f + 0.2f * Noise(x / 12.f, y / 6.f, 929)) : c;
  });
  // The cart and its cage against the red moon.
  Fill(r, RoundBox{120, 430, 420, 450, 3}, Hex(0x2A1A10));
  for (float wx : {170.f, 370.f}) {
    Fill(r, Ring(Circle{wx, 470, 32}, 7), Hex(0x1A100A));
    for (int i = 0; i < 6; ++i)
      Fill(r, Capsule{wx, 470, wx + 30 * Cos(i * kTau / 6), 470 + 30 * Sin(i * kTau / 6), 2, 2},
           Hex(0x1A100A));
  }
  Fill(r, RoundBox{130, 300, 410, 308, 2}, Hex(0x1A1008));
  for (float bx = 136; bx < 410; bx += 22) Fill(r, Capsule{bx, 300, bx, 430, 3, 3}, Hex(0x141008));
  Figure(r, 270, 430, 110, Hex(0x0C0808));
  Fill(r, Capsule{420, 440, 480, 430, 3, 3}, Hex(0x1A1008));
  return r;
}

Raster Cell() {
  Raster r(kW, kH);
  r.Apply([](int x, int y, Rgb) {
    Rgb c = Hex(0x2A2A36) * (0.7f + 0.3f * Noise(x / 40.f, y / 25.f, 931));
    const int row = y / 40;
    const float fx = std::fmod(x + (row & 1) * 35.f, 70.f),
                fy = std::fmod(static_cast<float>(y), 40.f);
    if (fx < 2.f || fy < 2.f) c = c * 0.5f;
    if (y > 470)
      c = Mix(Hex(0x3A3020), Hex(0x1A160E), Clamp01((y - 470) / 130.f)) *
          (0.8f + 0.3f * Noise(x / 3.f, y / 8.f, 933));
    return c * 0.6f;
  });
  // Moonlight through a barred window falls across the straw.
  const Polygon beam{{{200, 110}, {300, 110}, {420, 560}, {240, 560}}};
  Fill(r, beam, Hex(0xA0B8E0), 0.16f);
  Fill(r, RoundBox{200, 80, 300, 180, 6},
       [](float, float y, float) { return Mix(Hex(0x1A2A5A), Hex(0x4A5A8A), (y - 80) / 100.f); });
  Moon(r, 262, 118, 14, Hex(0xF0F0F8));
  for (float bx : {220.f, 250.f, 280.f}) Fill(r, Capsule{bx, 80, bx, 180, 4, 4}, Hex(0x141418));
  Figure(r, 130, 560, 130, Hex(0x0E0E12));
  Fill(r, Capsule{130, 470, 60, 470, 2, 2}, Hex(0x3A3A40));
  return r;
}

Raster Escape() {
  Raster r(kW, kH);
  Sky(r, Hex(0x040818), Hex(0x18284A), 600);
  Stars(r, 200, 600, 935);
  Moon(r, 400, 120, 26, Hex(0xE8ECF8));
  // A tower wall rising on the left; a rope of knotted sheets down its side.
  Fill(r, RoundBox{0, 0, 260, 600}, [](float x, float y, float) {
    const int row = static_cast<int>(y / 28);
    const float fx = std::fmod(x + (row & 1) * 24.f, 48.f), fy = std::fmod(y, 28.f);
    Rgb c = Hex(0x3A3E52) * (0.75f + 0.25f * Noise(x / 30.f, y / 30.f, 937)) *
            (0.5f + 0.5f * x / 260.f);
    if (fx < 2 || fy < 2) c = c * 0.55f;
    return c;
  });
  Fill(r, RoundBox{160, 60, 230, 150, 30}, Hex(0xFFC060));
  Glow(r, RoundBox{160, 60, 230, 150, 30}, Hex(0x603010), 12, 40);
  for (float y = 150; y < 520; y += 4)
    Fill(r, Circle{235 + 6 * Sin(y / 40.f), y, 3.f}, Hex(0xD8D0C0));
  Figure(r, 246, 430, 90, Hex(0x0A0A10));
  Ridge(r, 600, 60, 50, Hex(0x080C14), 939);
  return r;
}

Raster Flight() {
  Raster r(kW, kH);
  Sky(r, Hex(0x0A1420), Hex(0x3A5A6A), 600);
  Moon(r, 250, 180, 60, Hex(0xE8F0F0));
  Forest(r, 470, 330, 6, Hex(0x1A2A2A), 941);
  r.Apply([](int x, int y, Rgb c) {
    return Mix(c, Hex(0x6A8A8A),
               Clamp01((y - 380) / 300.f) * 0.5f * (0.6f + 0.4f * Noise(x / 60.f, y / 20.f, 943)));
  });
  Forest(r, 620, 420, 7, Hex(0x060A0C), 945);
  // Mid-stride, cloak flying.
  const float x = 250, feet = 560;
  Fill(r,
       Polygon{{{x - 8, feet - 80}, {x + 10, feet - 80}, {x - 50, feet - 50}, {x - 58, feet - 70}}},
       Hex(0x060808));
  Fill(r, Capsule{x, feet - 80, x + 4, feet - 40, 9, 7}, Hex(0x060808));
  Fill(r, Capsule{x + 4, feet - 40, x + 28, feet - 4, 5, 4}, Hex(0x060808));
  Fill(r, Capsule{x + 2, feet - 40, x - 22, feet - 12, 5, 4}, Hex(0x060808));
  Fill(r, Capsule{x + 4, feet - 74, x + 28, feet - 56, 4, 3}, Hex(0x060808));
  Fill(r, Circle{x + 6, feet - 92, 9}, Hex(0x060808));
  return r;
}

Raster River() {
  Raster r(kW, kH);
  Sky(r, Hex(0x3A4A7A), Hex(0xF0B080), 300);
  Fill(r, Circle{320, 300, 34}, Hex(0xFFE8B0));
  Glow(r, Circle{320, 300, 34}, Hex(0x604020), 30, 200);
  Ridge(r, 300, 70, 90, Hex(0x4A4A6A), 947, Hex(0x302020));
  Ridge(r, 310, 30, 40, Hex(0x2A3040), 949);
  // The river mirrors the sky, broken by ripples.
  r.Apply([](int x, int y, Rgb c) {
    if (y < 310) return c;
    const float ripple = Noise(x / 40.f, y / 4.f, 951);
    const float sun = Exp(-std::abs(x - 320.f + ripple * 20.f) / 25.f) * (0.6f + 0.4f * ripple);
    Rgb water = Mix(Hex(0xC08A70), Hex(0x1A2A4A), Clamp01((y - 310) / 220.f));
    return water * (0.85f + 0.15f * ripple) + Hex(0xFFE0A0) * (sun * 0.6f);
  });
  // A boat with its rower, and the reeds of the near bank.
  Fill(r, Polygon{{{150, 420}, {330, 420}, {300, 440}, {175, 440}}}, Hex(0x1A1210));
  Figure(r, 240, 422, 60, Hex(0x120E0C));
  Fill(r, Capsule{262, 380, 300, 450, 2, 2}, Hex(0x1A1210));
  Rng rng(953);
  for (int i = 0; i < 60; ++i) {
    const float x = rng.Uniform(0, kW), h = rng.Uniform(40, 120);
    Fill(r, Capsule{x, 600, x + rng.Uniform(-10, 10), 600 - h, 2, 0.8f}, Hex(0x141A10));
  }
  return r;
}

Raster Pass() {
  Raster r(kW, kH);
  Sky(r, Hex(0x2A3A7A), Hex(0xF8C890), 360);
  Fill(r, Circle{250, 360, 50}, Hex(0xFFF0C0));
  Glow(r, Circle{250, 360, 50}, Hex(0x705030), 40, 250);
  Ridge(r, 330, 230, 120, Hex(0x6A6A9A), 955, Hex(0xF0D0B0) * 0.4f, true);
  Ridge(r, 430, 120, 80, Hex(0x3A3A5A), 959);
  Castle(r, 250, 420, 0.45f, Hex(0x2A2A40), true);
  Ridge(r, 600, 160, 70, Hex(0x1A1A2A), 961);
  // The road winding up to the city gate.
  for (float t = 0; t < 1; t += 0.004f) {
    const float y = 600 - t * 175, x = 250 + 120 * Sin(t * 9.f) * (1 - t);
    Fill(r, Circle{x, y, 10 * (1 - t) + 1.5f}, Hex(0x8A7A6A), 0.6f);
  }
  return r;
}

Raster Yard() {
  Raster r(kW, kH);
  Sky(r, Hex(0x141640), Hex(0xD07848), 190);
  Stars(r, 60, 120, 969);
  // The far wall with its door, and the two side walls running towards the viewer.
  constexpr float wall_top = 150, wall_foot = 360;
  Fill(r, RoundBox{0, wall_top, kW, wall_foot}, [](float x, float y, float) {
    return AshlarAt(x, y, 971, 22, Hex(0x6A6270), 1000) * 0.55f;
  });
  for (float mx = 0; mx < kW; mx += 36)
    Fill(r, RoundBox{mx, wall_top - 16, mx + 20, wall_top}, [](float x, float y, float) {
      return AshlarAt(x, y, 971, 22, Hex(0x6A6270), 1000) * 0.5f;
    });
  const auto door = MakeShape(Box{205, 250, 295, wall_foot}, [](float x, float y) {
    return std::min(RoundBox{205, 290, 295, wall_foot}(x, y),
                    std::max(Circle{250, 290, 45}(x, y), y - 290.f));
  });
  Fill(r, Offset(door, 6), Hex(0x2A2420));
  Fill(r, door, [](float x, float y, float) {
    return PlanksAt(y, x, 973, 15, Hex(0x6A4020), 1000) * 0.6f;  // boards standing upright
  });
  for (float by : {300.f, 340.f}) Fill(r, RoundBox{208, by, 292, by + 5, 1}, Hex(0x20201E));
  Fill(r, Circle{280, 318, 3.5f}, Hex(0x8A8070));
  const auto side = [&](bool left) {
    const float x0 = left ? 0.f : kW, x1 = left ? 110.f : kW - 110.f;
    Fill(r, Polygon{{{x0, 40}, {x1, wall_top - 16}, {x1, wall_foot}, {x0, 480}}},
         [&](float x, float y, float) {
           const float depth = std::abs(x - x0) / 110.f;
           return AshlarAt(x * 1.6f, y, left ? 975 : 977, 26, Hex(0x5A5462), 1000) *
                  (left ? 0.35f + 0.2f * depth : 0.55f - 0.1f * depth);
         });
  };
  side(true);
  side(false);
  // Flagstones, lit by the fire on the right.
  Fill(r,
       Polygon{{{110, wall_foot}, {kW - 110.f, wall_foot}, {kW, 480}, {kW, kH}, {0, kH}, {0, 480}}},
       [](float x, float y, float) {
         const float d = Hypot(x - 380.f, (y - 500.f) * 1.4f);
         return CobblesAt(x, y * 1.5f, 979, 34, Hex(0x5A5048), 1000) * 0.45f +
                Hex(0x704018) * (0.8f * Exp(-d / 160.f));
       });
  r.Apply([](int x, int y, Rgb c) {
    const float d = Hypot(x - 380.f, y - 470.f);
    return y > 140 ? c + Hex(0x402008) * (0.6f * Exp(-d / 220.f)) : c;
  });
  // The spring's basin on the left, mirroring the dusk.
  const RoundBox basin{40, 440, 200, 540, 12};
  Fill(r, Offset(basin, 10),
       [](float x, float y, float) { return AshlarAt(x, y, 981, 12, Hex(0x7A7078), 1000) * 0.6f; });
  Fill(r, basin, [](float x, float y, float) {
    const float ripple = Noise(x / 30.f, y / 3.f, 983);
    return Mix(Hex(0xC07850), Hex(0x1A2A5A), Clamp01((y - 440) / 100.f)) * (0.75f + 0.25f * ripple);
  });
  // The fire in its ring of stones on the right.
  for (int i = 0; i < 9; ++i) {
    const float a = kTau * i / 9.f;
    Fill(r, Ellipse{390 + 44 * Cos(a), 512 + 16 * Sin(a), 12, 8}, Hex(0x4A4038));
  }
  Fill(r, Capsule{360, 512, 420, 500, 5, 5}, Hex(0x3A2010));
  Fill(r, Capsule{366, 500, 414, 516, 5, 5}, Hex(0x2A180C));
  // The small flames first, so the big one's tongue stays whole over them.
  TorchFlame(r, 370, 494, 13);
  TorchFlame(r, 410, 496, 12);
  TorchFlame(r, 390, 478, 30);
  // The hero in the middle of the yard, the fire's light on the cloak.
  const float x = 262, feet = 575;
  Figure(r, x, feet, 160, Hex(0x0E0C10));
  Fill(
      r,
      Polygon{{{x - 14, feet - 126}, {x + 18, feet - 124}, {x + 40, feet - 6}, {x + 12, feet - 2}}},
      Hex(0x5A1810));
  Fill(r, Capsule{x - 22, feet - 80, x - 8, feet - 176, 3, 1.2f}, Hex(0xE0E4F0));
  Fill(r, Capsule{x - 30, feet - 86, x - 12, feet - 80, 2.5f, 2.5f}, Hex(0x1A1008));
  return r;
}

}  // namespace

ArtFile PaintIntroFile() {
  ArtFile file{"intro.dat", {}};
  Raster (*const kScenes[10])() = {Peace,  Camp,   Kidnappers, Cage, Cell,
                                   Escape, Flight, River,      Pass, Yard};
  for (int i = 0; i < 10; ++i) {
    ArtPicture p;
    p.name = "Intro " + std::to_string(i + 1);
    p.raster = kScenes[i]();
    p.encoding = i == 0 ? Encoding::kJpegGrey : Encoding::kJpeg;
    p.transparent = false;
    p.jpeg_quality = 88;
    file.items.push_back(std::move(p));
  }
  return file;
}

}  // namespace kv::art
