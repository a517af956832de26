#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// Colours of the painting code: red, green, blue as floats, 0..1 for displayable values.
// Arithmetic may leave that range (glows add up); Clamped() brings a colour back.
namespace kv::art {

struct Rgb {
  float r = 0, g = 0, b = 0;

  Rgb operator+(const Rgb& o) const { return {r + o.r, g + o.g, b + o.b}; }
  Rgb operator-(const Rgb& o) const { return {r - o.r, g - o.g, b - o.b}; }
  Rgb operator*(float s) const { return {r * s, g * s, b * s}; }
  Rgb operator*(const Rgb& o) const { return {r * o.r, g * o.g, b * o.b}; }
  Rgb& operator+=(const Rgb& o) { return *this = *this + o; }
  Rgb Clamped() const {
    return {std::clamp(r, 0.f, 1.f), std::clamp(g, 0.f, 1.f), std::clamp(b, 0.f, 1.f)};
  }
  float Luma() const { return 0.299f * r + 0.587f * g + 0.114f * b; }
};

// 0xRRGGBB, as colours are usually written down.
constexpr Rgb Hex(uint32_t rgb) {
  return {((rgb >> 16) & 0xFF) / 255.f, ((rgb >> 8) & 0xFF) / 255.f, (rgb & 0xFF) / 255.f};
}

inline Rgb Mix(const Rgb& a, const Rgb& b, float t) {
  return a + (b - a) * t;
}

// Lighter or darker by a factor, keeping the hue.
inline Rgb Shade(const Rgb& c, float factor) {
  return c * factor;
}

inline float Clamp01(float v) {
  return std::clamp(v, 0.f, 1.f);
}
inline float SmoothStep(float e0, float e1, float x) {
  const float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
inline uint8_t ToByte(float v) {
  return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.f));
}

}  // namespace kv::art
