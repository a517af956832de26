#include "tools/art/materials.h"
#include "tools/art/portable_math.h"

#include <algorithm>
#include <cmath>

#include "tools/art/noise.h"

namespace kv::art {

namespace {
float Cells01(uint32_t h) {
  return static_cast<float>(h & 0xFFFF) / 65535.f;
}
int Cycles(int period, float size) {
  return std::max(1, static_cast<int>(std::lround(period / size)));
}
}  // namespace

Rgb GrassAt(float x, float y, uint32_t seed, int period) {
  const int p4 = period / 25;
  const float broad = Fbm(x / 25.f, y / 25.f, seed, 3, p4);
  const float fine = Noise(x / 2.5f, y / 5.f, seed + 7, period * 10 / 25);
  const float blade = Noise(x / 1.5f, y / 4.f, seed + 9, period * 2 / 3);
  Rgb c = Mix(Hex(0x2E4A1C), Hex(0x5C7F2E), Clamp01(0.5f + broad * 0.9f));
  c = Mix(c, Hex(0x7C9A3A), Clamp01(fine * 0.6f + 0.1f) * 0.5f);
  c = c * (0.86f + 0.22f * blade);
  return c;
}

Rgb DirtAt(float x, float y, uint32_t seed, int period) {
  const float broad = Fbm(x / 20.f, y / 20.f, seed, 4, period / 20);
  const float grit = Noise(x / 1.3f, y / 1.3f, seed + 3, period * 10 / 13);
  Rgb c = Mix(Hex(0x5A4028), Hex(0x8A6A44), Clamp01(0.5f + broad));
  c = c * (0.9f + 0.14f * grit);
  const CellDistance pebble = Cells(x / 9.f, y / 9.f, seed + 11, Cycles(period, 9.f));
  if (pebble.nearest < 0.18f && (pebble.id & 3) == 0) {
    const float k = 1.f - pebble.nearest / 0.18f;
    c = Mix(c, Hex(0x9C9284) * (0.8f + 0.3f * Cells01(pebble.id >> 8)), SmoothStep(0.f, 0.4f, k));
  }
  return c;
}

Rgb CobblesAt(float x, float y, uint32_t seed, float scale, Rgb tint, int period) {
  const int cycles = Cycles(period, scale);
  const float s = period / static_cast<float>(cycles);
  const CellDistance c = Cells(x / s, y / s, seed, cycles);
  const float edge = c.second - c.nearest;  // 0 at the joint between two stones
  const float stone = SmoothStep(0.04f, 0.16f, edge);
  const float bump = 1.f - c.nearest * 0.9f;
  const float n = Fbm(x / 6.f, y / 6.f, seed + 5, 2, period / 6 > 0 ? 0 : 0);
  Rgb stone_col = tint * (0.75f + 0.35f * Cells01(c.id)) * (0.8f + 0.3f * bump);
  stone_col = stone_col * (0.92f + 0.1f * n);
  const Rgb joint = Hex(0x2A2018);
  return Mix(joint, stone_col, stone);
}

Rgb AshlarAt(float x, float y, uint32_t seed, float course, Rgb tint, int period, bool* joint) {
  const int row = static_cast<int>(std::floor(y / course));
  const float fy = y - row * course;
  // Blocks per period alternate between two counts so the bond looks laid by hand.
  const int blocks = (Hash(static_cast<uint32_t>(row), seed) & 1) ? 2 : 3;
  const float bw = static_cast<float>(period) / blocks;
  const float shift = (row & 1) ? bw * 0.5f : 0.f;
  float xs = std::fmod(x + shift, static_cast<float>(period));
  if (xs < 0) xs += period;
  const int col = static_cast<int>(xs / bw);
  const float fx = xs - col * bw;
  const uint32_t id = Hash(static_cast<uint32_t>(row), static_cast<uint32_t>(col), seed + 1);
  const float m = 1.6f;  // mortar half-width
  const float ex = std::min(fx, bw - fx), ey = std::min(fy, course - fy);
  const float e = std::min(ex, ey);
  const bool in_joint = e < m;
  if (joint) *joint = in_joint;
  const float n = Fbm(x / 7.f, y / 7.f, seed + 9, 3, 0);
  const float pits = Noise(x / 1.7f, y / 1.7f, seed + 13, 0);
  Rgb c = tint * (0.8f + 0.32f * Cells01(id)) * (0.88f + 0.16f * n) * (0.95f + 0.08f * pits);
  if (in_joint) return Hex(0x1E1814) * (0.9f + 0.2f * n);
  // Chamfered edges: lit on the top and left, shaded on the bottom and right.
  const float bevel = 3.f;
  if (fy - m < bevel) c = c * (1.f + 0.28f * (1.f - (fy - m) / bevel));
  if (fx - m < bevel) c = c * (1.f + 0.14f * (1.f - (fx - m) / bevel));
  if (course - fy - m < bevel) c = c * (1.f - 0.35f * (1.f - (course - fy - m) / bevel));
  if (bw - fx - m < bevel) c = c * (1.f - 0.2f * (1.f - (bw - fx - m) / bevel));
  return c;
}

Rgb PlanksAt(float x, float y, uint32_t seed, float board, Rgb tint, int period) {
  const int row = static_cast<int>(std::floor(y / board));
  const float fy = y - row * board;
  const uint32_t id = Hash(static_cast<uint32_t>(row), seed);
  const float offset = Cells01(id) * period;
  const float len = period / 2.f;
  float xs = std::fmod(x + offset, static_cast<float>(period));
  if (xs < 0) xs += period;
  const float fx = std::fmod(xs, len);
  const float grain = Noise(x / 14.f, y / 0.9f, seed + row, 0);
  const float ring = Sin((x / 9.f + grain * 2.5f) * 1.3f + row * 7.f);
  Rgb c = tint * (0.82f + 0.25f * Cells01(id >> 4)) * (0.9f + 0.12f * ring);
  if (fy < 1.5f || board - fy < 1.2f || fx < 1.2f)
    c = c * 0.38f;
  else if (fy < 3.f)
    c = c * 1.12f;
  return c;
}

Rgb LeatherAt(float x, float y, uint32_t seed, Rgb tint) {
  const float broad = Fbm(x / 90.f, y / 90.f, seed, 4, 0);
  const CellDistance grain = Cells(x / 5.f, y / 5.f, seed + 3, 0);
  const float creases = Fbm(x / 30.f, y / 8.f, seed + 7, 3, 0);
  Rgb c = tint * (0.8f + 0.35f * broad);
  c = c * (0.93f + 0.1f * SmoothStep(0.f, 0.25f, grain.second - grain.nearest));
  c = c * (1.f - 0.18f * SmoothStep(0.35f, 0.6f, std::abs(creases)));
  return c;
}

Rgb GoldAt(float shine) {
  // A sheen that peaks twice, like light caught by a rounded moulding.
  const float s = 0.5f + 0.5f * Sin(shine * 6.2832f * 1.5f);
  return Mix(Hex(0x6B4410), Hex(0xF6D77A), s * s) + Hex(0x302010) * (s > 0.92f ? 1.f : 0.f);
}

}  // namespace kv::art
