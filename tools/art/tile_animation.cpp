// The sixteen animation chains of base.dat. A flowing liquid moves its pattern 25 pixels per
// phase along a texture that repeats every 100, so four phases make exactly one period and the
// loop closes; flames rise the same way; glows pulse on a four-step cycle.
#include <array>
#include <cmath>

#include "tools/art/materials.h"
#include "tools/art/noise.h"
#include "tools/art/portable_math.h"
#include "tools/art/shapes.h"
#include "tools/art/tile_painters.h"

namespace kv::art {

namespace {

constexpr float kTau = 6.2831853f;
constexpr float kStep = 25.f;  // pixels per phase: a quarter of the texture period

struct LiquidLook {
  Rgb deep, shallow, light;
  bool lava = false;
};

const LiquidLook kRiver{Hex(0x123A5C), Hex(0x2E6E8A), Hex(0xBFE6F2)};
const LiquidLook kPond{Hex(0x0F2E52), Hex(0x25577A), Hex(0xA8D4EA)};
const LiquidLook kSwamp{Hex(0x1E2A14), Hex(0x3E4C22), Hex(0x9AA860)};
const LiquidLook kSea{Hex(0x081A3A), Hex(0x183E6A), Hex(0xE0F0FF)};
const LiquidLook kLava{Hex(0x5A0E02), Hex(0xE0520A), Hex(0xFFE27A), true};

// A liquid at (u across, v along the flow), `depth` 0 at the bank to 1 mid-stream.
Rgb Liquid(float u, float v, float depth, int phase, uint32_t seed, const LiquidLook& look) {
  const float vs = v - kStep * phase;
  if (look.lava) {
    const CellDistance crust = Cells(u / 25.f, vs / 25.f, seed, 4);
    const float crack = 1.f - SmoothStep(0.02f, 0.14f, crust.second - crust.nearest);
    const float heat = 0.5f + 0.5f * Fbm2(u / 20.f, vs / 25.f, seed + 3, 3, 5, 4);
    Rgb plate = Mix(Hex(0x2A0A04), Hex(0x6A1A06), heat * 0.6f);
    plate = plate * (0.85f + 0.3f * ((crust.id & 0xFF) / 255.f));
    const Rgb molten = Mix(look.shallow, look.light, heat);
    Rgb c = Mix(plate, molten, Clamp01(crack + (1.f - depth) * 0.35f));
    return c;
  }
  const float waves = Fbm2(u / 20.f, vs / 25.f, seed, 3, 5, 4);
  // Ripples drawn out along the flow: narrow across it, long along it.
  const float streaks = Noise2(u / 4.f, vs / 20.f, seed + 5, 25, 5);
  Rgb c = Mix(look.shallow, look.deep, Clamp01(depth * 0.9f + waves * 0.25f));
  c = c * (0.9f + 0.2f * waves);
  const float glint = SmoothStep(0.45f, 0.8f, streaks * 0.8f + waves * 0.4f);
  const float trough = SmoothStep(-0.45f, -0.8f, streaks * 0.8f + waves * 0.4f);
  c = Mix(c, look.light, glint * 0.5f) * (1.f - 0.2f * trough);
  return c;
}

// Half-width of a channel running down the tile: wavy banks, the same in every phase.
float ChannelHalfWidth(float v, uint32_t seed) {
  return 24.f + 5.f * Noise2(v / 25.f, 0.5f, seed, 4, 1);
}

enum class Bank { kGrass, kStone, kRock };

Rgb BankAt(Bank bank, float x, float y) {
  switch (bank) {
    case Bank::kGrass:
      return GrassAt(x, y, 11);
    case Bank::kStone:
      return CobblesAt(x, y, 21, 14.f, Hex(0x8A8070));
    case Bank::kRock:
      return CobblesAt(x, y, 23, 20.f, Hex(0x3A3432)) * 0.9f;
  }
  return {};
}

// A liquid channel across the tile, vertical (flowing south) or horizontal (flowing east).
Rgb Channel(float x, float y, bool vertical, int phase, Bank bank, const LiquidLook& look,
            uint32_t seed) {
  const float u = vertical ? x : y, v = vertical ? y : x;
  const float hw = ChannelHalfWidth(v, seed);
  const float off = std::abs(u - 50.f);
  const Rgb ground = BankAt(bank, x, y);
  if (off > hw + 4.f) return ground;
  // Two-pixel-wide wet or scorched margin between bank and liquid.
  const Rgb margin = look.lava ? Hex(0x1A0C08) : ground * 0.45f;
  if (off > hw) return Mix(margin, ground, (off - hw) / 4.f);
  const float depth = Clamp01((hw - off) / hw * 1.6f);
  Rgb c = Liquid(u, v, depth, phase, seed + 100, look);
  if (look.lava) c = c + Hex(0x301000) * (1.f - depth);  // heat at the rim
  return Mix(margin, c, SmoothStep(0.f, 2.f, hw - off));
}

// Flames rising from a bed: `base` the height field of fuel (1 where it burns hardest).
Rgb Flame(Rgb under, float x, float y, float intensity, int phase, uint32_t seed) {
  const float n = Fbm2(x / 12.5f, (y + kStep * phase) / 12.5f, seed, 3, 8, 8);
  const float f = intensity + n * 0.55f - 0.35f;
  if (f <= 0.f) return under;
  const Rgb fire = f > 0.6f   ? Mix(Hex(0xFFB030), Hex(0xFFF2B0), Clamp01((f - 0.6f) * 2.5f))
                   : f > 0.3f ? Mix(Hex(0xE04008), Hex(0xFFB030), (f - 0.3f) / 0.3f)
                              : Mix(under, Hex(0xB02008), f / 0.3f);
  return fire;
}

Raster FirePit(int phase) {
  Raster r = PaintTile([&](float x, float y) {
    Rgb c = DirtAt(x, y, 31) * 0.8f;
    const float d = Hypot(x - 50.f, y - 56.f);
    c = c * (1.f + 0.5f * Exp(-d / 30.f));  // firelight on the ground
    return c;
  });
  // Ring of stones, then the coals, then the flames.
  for (int i = 0; i < 11; ++i) {
    const float a = kTau * i / 11.f;
    const float sx = 50 + 33 * Cos(a), sy = 58 + 24 * Sin(a);
    Fill(r, Ellipse{sx, sy, 8.f, 6.f, a}, [&](float x, float y, float d) {
      const float lit = Clamp01(0.5f - (y - sy) / 12.f + (50 - x) / 80.f);
      return Mix(Hex(0x3C3630), Hex(0x9A8E80), lit) * (d > -1.5f ? 0.6f : 1.f);
    });
  }
  Fill(r, Ellipse{50, 60, 24, 16}, [&](float x, float y, float) {
    const CellDistance c = Cells(x / 5.f, y / 5.f, 37, 0);
    const float glow = 0.5f + 0.5f * Sin(kTau * (phase / 4.f + (c.id & 255) / 255.f));
    return Mix(
        Hex(0x200804), Hex(0xFF6A10),
        SmoothStep(0.05f, 0.3f, c.second - c.nearest) * 0.3f + glow * 0.5f * (1.f - c.nearest));
  });
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const float dx = (x + 0.5f - 50.f) / 20.f, dy = (y + 0.5f - 62.f) / 55.f;
      if (dy > 0.1f) continue;
      const float intensity = Exp(-dx * dx * 1.6f) * Clamp01(1.f + dy * 1.2f) * 1.15f;
      r.at(x, y) = Flame(r.at(x, y), x + 0.5f, y + 0.5f, intensity, phase, 41);
    }
  return r;
}

Raster BurningGround(int phase) {
  return PaintTile([&](float x, float y) {
    Rgb c = DirtAt(x, y, 43) * 0.55f;
    const float embers = Fbm(x / 25.f, y / 25.f, 47, 3, 4);
    c = Mix(c, Hex(0x6A1804), Clamp01(embers * 1.5f));
    const float intensity = Clamp01(embers * 1.6f + 0.15f);
    return Flame(c, x, y, intensity * 0.9f, phase, 49);
  });
}

Raster LiquidField(int phase, const LiquidLook& look, uint32_t seed) {
  return PaintTile([&](float x, float y) {
    const float depth = 0.6f + 0.4f * Fbm(x / 50.f, y / 50.f, seed + 1, 2, 2);
    return Liquid(x, y, depth, phase, seed, look);
  });
}

Raster Swamp(int phase) {
  Raster r = LiquidField(phase, kSwamp, 51);
  // Bubbles rise, swell and burst over four phases, each starting at its own phase.
  Rng rng(53);
  for (int i = 0; i < 9; ++i) {
    const float bx = rng.Uniform(8, 92), by = rng.Uniform(8, 92);
    const int age = (phase + rng.Int(0, 3)) % 4;
    if (age == 3) {
      Fill(r, Ring(Circle{bx, by, 7.f}, 1.2f), Hex(0x8A9A58), 0.7f);
    } else {
      const float rad = 2.f + age * 1.8f;
      Fill(r, Circle{bx, by, rad}, [&](float x, float y, float d) {
        const float hl = Clamp01(1.f - Hypot(x - bx + rad * 0.4f, y - by + rad * 0.4f) / rad);
        return Mix(Hex(0x4A5A28), Hex(0xD0E0A0), hl * hl);
      });
    }
  }
  // Reeds at the rim, the same in every phase.
  for (int i = 0; i < 7; ++i) {
    const float bx = rng.Uniform(4, 96), by = rng.Uniform(60, 98);
    const float sway = 1.5f * Sin(kTau * phase / 4.f + i);
    Fill(r, Capsule{bx, by, bx + sway, by - rng.Uniform(14, 24), 1.2f, 0.4f}, Hex(0x5A6A2A));
  }
  return r;
}

Raster RuneStone(int phase) {
  static constexpr std::array<float, 4> kPulse = {0.35f, 0.7f, 1.f, 0.7f};
  const float pulse = kPulse[phase];
  Raster r = PaintTile([](float x, float y) { return GrassAt(x, y, 11); });
  Shadow(r, Circle{50, 52, 32}, 2, 3, 4, 0.5f);
  Fill(r, Circle{50, 50, 32}, [](float x, float y, float d) {
    Rgb c = CobblesAt(x, y, 57, 60.f, Hex(0x8A8A90));
    const float lit = Clamp01(0.5f + ((50 - x) + (50 - y)) / 90.f);
    c = c * (0.75f + 0.4f * lit);
    if (d > -3.f) c = c * 0.7f;
    return c;
  });
  const Rgb rune = Hex(0x50F0FF) * pulse + Hex(0x103040) * (1.f - pulse);
  const auto ring = Ring(Circle{50, 50, 24}, 1.6f);
  Glow(r, ring, Hex(0x2090B0) * pulse, 3.f, 8.f);
  Fill(r, ring, rune);
  for (int i = 0; i < 6; ++i) {
    const float a = kTau * i / 6.f + 0.3f;
    const float cx = 50 + 14 * Cos(a), cy = 50 + 14 * Sin(a);
    const float s = 3.5f;
    const auto glyph =
        Union(Capsule{cx - s, cy - s, cx + s * (i % 2 ? 1 : -0.2f), cy + s, 0.9f, 0.9f},
              Capsule{cx - s, cy + (i % 3) - 1, cx + s, cy - (i % 2), 0.9f, 0.9f});
    Glow(r, glyph, Hex(0x2090B0) * (pulse * 0.8f), 2.f, 5.f);
    Fill(r, glyph, rune);
  }
  return r;
}

Raster Portal(int phase) {
  Raster r =
      PaintTile([](float x, float y) { return CobblesAt(x, y, 61, 25.f, Hex(0x6A6470)) * 0.75f; });
  Fill(r, Circle{50, 50, 40}, [&](float x, float y, float d) {
    const float dx = x - 50, dy = y - 50;
    const float rad = Hypot(dx, dy);
    const float ang = Atan2(dy, dx);
    // Three arms turned a quarter each phase: one full loop in four phases.
    const float arms = 0.5f + 0.5f * Sin(3.f * (ang + kTau * phase / 4.f) + rad * 0.18f);
    const float core = Exp(-rad / 12.f);
    Rgb c = Mix(Hex(0x1A0830), Hex(0x9A40E0), arms * Clamp01(1.f - rad / 42.f) + core * 0.5f);
    c = c + Hex(0xF0D0FF) * (core * 0.6f);
    if (d > -3.f) c = Mix(c, Hex(0xC8A040), 0.8f);
    return c;
  });
  Glow(r, Ring(Circle{50, 50, 40}, 2.f), Hex(0x402060), 4.f, 10.f);
  return r;
}

Raster WavingGrass(int phase) {
  Raster r = PaintTile([](float x, float y) { return GrassAt(x, y, 11) * 0.9f; });
  Rng rng(67);
  const float t = kTau * phase / 4.f;
  for (int i = 0; i < 70; ++i) {
    const float bx = rng.Uniform(0, 100), by = rng.Uniform(6, 100);
    const float h = rng.Uniform(10, 20), lean = rng.Uniform(-3, 3);
    const float sway = 3.5f * Sin(t + bx * 0.063f * kTau / 6.3f);
    const Rgb col = Mix(Hex(0x6A8A30), Hex(0xC0B050), rng.Uniform(0, 1));
    // Drawn three times across the edges so the blades tile.
    for (int ox = -100; ox <= 100; ox += 100)
      for (int oy = -100; oy <= 100; oy += 100)
        Fill(r, Capsule{bx + ox, by + oy, bx + ox + lean + sway, by + oy - h, 1.3f, 0.3f},
             [&](float, float y, float) {
               return col * (0.7f + 0.4f * Clamp01((by + oy - y) / h));
             });
  }
  return r;
}

}  // namespace

std::string ChainName(int chain) {
  static const char* const kNames[16] = {"Stream NS", "Stream EW", "Lava pool",  "Fire pit",
                                         "Pond",      "Swamp",     "Lava field", "Rune stone",
                                         "Canal NS",  "Canal EW",  "Lava NS",    "Lava EW",
                                         "Embers",    "Deep sea",  "Portal",     "Tall grass"};
  return kNames[chain];
}

Raster PaintChainPhase(int chain, int phase) {
  switch (chain) {
    case 0:
      return PaintTile(
          [&](float x, float y) { return Channel(x, y, true, phase, Bank::kGrass, kRiver, 71); });
    case 1:
      return PaintTile(
          [&](float x, float y) { return Channel(x, y, false, phase, Bank::kGrass, kRiver, 73); });
    case 2:
      return PaintTile([&](float x, float y) {
        // A pool of lava in a rim of dark rock.
        const float d =
            Hypot((x - 50) / 1.1f, y - 50) - 34.f + 4.f * Noise(x / 12.5f, y / 12.5f, 75, 8);
        const Rgb rock = CobblesAt(x, y, 23, 20.f, Hex(0x3A3432)) * 0.9f;
        if (d > 3.f) return rock * (1.f + 0.6f * Exp(-(d - 3.f) / 10.f));
        if (d > 0.f) return Hex(0x1A0C08);
        return Liquid(x, y, Clamp01(-d / 20.f), phase, 77, kLava);
      });
    case 3:
      return FirePit(phase);
    case 4:
      return LiquidField(phase, kPond, 81);
    case 5:
      return Swamp(phase);
    case 6:
      return LiquidField(phase, kLava, 83);
    case 7:
      return RuneStone(phase);
    case 8:
      return PaintTile(
          [&](float x, float y) { return Channel(x, y, true, phase, Bank::kStone, kRiver, 85); });
    case 9:
      return PaintTile(
          [&](float x, float y) { return Channel(x, y, false, phase, Bank::kStone, kRiver, 87); });
    case 10:
      return PaintTile(
          [&](float x, float y) { return Channel(x, y, true, phase, Bank::kRock, kLava, 89); });
    case 11:
      return PaintTile(
          [&](float x, float y) { return Channel(x, y, false, phase, Bank::kRock, kLava, 91); });
    case 12:
      return BurningGround(phase);
    case 13:
      return LiquidField(phase, kSea, 93);
    case 14:
      return Portal(phase);
    default:
      return WavingGrass(phase);
  }
}

}  // namespace kv::art
