#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kv {

// A colour as the game passes it around: low byte red, then green, then blue.
using Color = uint32_t;

constexpr Color Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr uint8_t RedOf(Color c) {
  return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t GreenOf(Color c) {
  return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(Color c) {
  return static_cast<uint8_t>((c >> 16) & 0xFF);
}

// The display runs at 16 bits per pixel, RGB565: 5 bits red (high), 6 green, 5 blue (low).
constexpr uint16_t To565(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
constexpr uint16_t To565(Color c) {
  return To565(RedOf(c), GreenOf(c), BlueOf(c));
}

// Expands a 565 pixel back to 8 bits per channel, replicating the high bits into the low ones.
constexpr uint8_t Red565(uint16_t p) {
  const uint8_t v = (p >> 11) & 0x1F;
  return static_cast<uint8_t>((v << 3) | (v >> 2));
}
constexpr uint8_t Green565(uint16_t p) {
  const uint8_t v = (p >> 5) & 0x3F;
  return static_cast<uint8_t>((v << 2) | (v >> 4));
}
constexpr uint8_t Blue565(uint16_t p) {
  const uint8_t v = p & 0x1F;
  return static_cast<uint8_t>((v << 3) | (v >> 2));
}

// An owned block of 565 pixels, rows top-down, no padding. Surfaces, the picture that the
// platform shows, and screenshots are all made of these.
struct Image565 {
  int width = 0;
  int height = 0;
  std::vector<uint16_t> pixels;

  Image565() = default;
  Image565(int w, int h, uint16_t fill = 0)
      : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}

  uint16_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * width; }
  const uint16_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * width; }
  uint16_t At(int x, int y) const { return Row(y)[x]; }
};

}  // namespace kv
