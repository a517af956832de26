#include "tools/art/noise.h"
#include "tools/art/portable_math.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kv::art {

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

uint32_t Rng::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

float Rng::Uniform(float lo, float hi) {
  return lo + (hi - lo) * static_cast<float>(Next() >> 8) * (1.f / 16777216.f);
}

int Rng::Int(int lo, int hi) {
  return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1));
}

namespace {

int Wrap(int v, int period) {
  if (period <= 0) return v;
  const int m = v % period;
  return m < 0 ? m + period : m;
}

float Fade(float t) {
  return t * t * t * (t * (t * 6 - 15) + 10);
}

}  // namespace

float Noise(float x, float y, uint32_t seed, int period) {
  return Noise2(x, y, seed, period, period);
}

float Noise2(float x, float y, uint32_t seed, int px, int py) {
  // Gradient noise: value noise shows its lattice as square blotches, gradients do not.
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  const float dx = x - fx, dy = y - fy;
  auto corner = [&](int cx, int cy, float ox, float oy) {
    const uint32_t h = Hash(static_cast<uint32_t>(Wrap(ix + cx, px)),
                            static_cast<uint32_t>(Wrap(iy + cy, py)), seed);
    const float angle = static_cast<float>(h >> 8) * (6.2831853f / 16777216.f);
    return Cos(angle) * ox + Sin(angle) * oy;
  };
  const float tx = Fade(dx), ty = Fade(dy);
  const float a = corner(0, 0, dx, dy), b = corner(1, 0, dx - 1, dy);
  const float c = corner(0, 1, dx, dy - 1), d = corner(1, 1, dx - 1, dy - 1);
  const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
  return std::clamp((top + (bottom - top) * ty) * 1.6f, -1.f, 1.f);
}

float Fbm(float x, float y, uint32_t seed, int octaves, int period) {
  return Fbm2(x, y, seed, octaves, period, period);
}

float Fbm2(float x, float y, uint32_t seed, int octaves, int px, int py) {
  float sum = 0, weight = 0.5f, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += Noise2(x, y, seed + static_cast<uint32_t>(i) * 101u, px, py) * weight;
    total += weight;
    x *= 2;
    y *= 2;
    px *= 2;
    py *= 2;
    weight *= 0.5f;
  }
  return sum / total;
}

CellDistance Cells(float x, float y, uint32_t seed, int period) {
  const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
  CellDistance out{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), 0};
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int cx = ix + dx, cy = iy + dy;
      const uint32_t h = Hash(static_cast<uint32_t>(Wrap(cx, period)),
                              static_cast<uint32_t>(Wrap(cy, period)), seed);
      const float px = cx + 0.15f + 0.7f * static_cast<float>(h & 0xFFFF) / 65535.f;
      const float py = cy + 0.15f + 0.7f * static_cast<float>(h >> 16) / 65535.f;
      const float d = Hypot(px - x, py - y);
      if (d < out.nearest) {
        out.second = out.nearest;
        out.nearest = d;
        out.id = h;
      } else if (d < out.second) {
        out.second = d;
      }
    }
  }
  return out;
}

}  // namespace kv::art
