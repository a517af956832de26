#pragma once

#include <vector>

#include "media/picture.h"
#include "tools/art/color.h"

namespace kv::art {

// A picture being painted: colour plus coverage per pixel, rows top-down. Coverage matters only
// for keyed pictures, where uncovered pixels become the key colour.
class Raster {
 public:
  Raster() = default;
  Raster(int width, int height, Rgb fill = {}, float alpha = 1.f);

  int width() const { return width_; }
  int height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Rgb& at(int x, int y) { return color_[Offset(x, y)]; }
  const Rgb& at(int x, int y) const { return color_[Offset(x, y)]; }
  float& alpha(int x, int y) { return alpha_[Offset(x, y)]; }
  float alpha(int x, int y) const { return alpha_[Offset(x, y)]; }

  // Paints `c` over the pixel with opacity `a`; coverage grows the same way.
  void Blend(int x, int y, const Rgb& c, float a);
  // Adds light without changing coverage (glows, sparks).
  void Add(int x, int y, const Rgb& c);

  // Every pixel through fn(x, y, colour) -> colour.
  template <class F>
  void Apply(F fn) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) at(x, y) = fn(x, y, at(x, y));
  }

  // Another raster drawn over this one at (dx, dy), its coverage as opacity.
  void Draw(const Raster& src, int dx, int dy, float opacity = 1.f);
  Raster Crop(int x, int y, int w, int h) const;
  // Area-averaged resize, for painting large and storing small.
  Raster Resized(int w, int h) const;
  Raster MirroredX() const;

  // The colours as 8-bit RGB, coverage ignored.
  RgbImage ToImage() const;
  // For keyed pictures: uncovered pixels (coverage below one half) pure black, every other
  // pixel lifted just enough that its 16-bit value is not the black key.
  RgbImage ToKeyedImage() const;

 private:
  size_t Offset(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }

  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> color_;
  std::vector<float> alpha_;
};

// A pixel that must not read as the black key in 16 bits gets the smallest green that shows.
void LiftOffKey(uint8_t& r, uint8_t& g, uint8_t& b);
bool IsKeyIn565(uint8_t r, uint8_t g, uint8_t b);

// Coverage map helpers (text masks, shadows).
struct AlphaMap {
  int width = 0;
  int height = 0;
  std::vector<float> a;
  float at(int x, int y) const {
    return (x < 0 || y < 0 || x >= width || y >= height) ? 0.f
                                                         : a[static_cast<size_t>(y) * width + x];
  }
};
// Box blur applied `passes` times (three passes approximate a Gaussian); grows the map by
// radius * passes on every side so the blur is not cut off.
AlphaMap Blurred(const AlphaMap& map, int radius, int passes = 3);
// Grows coverage by `radius` pixels (max filter), for outlines around text.
AlphaMap Dilated(const AlphaMap& map, int radius);

}  // namespace kv::art

namespace kv::art {
// Rings a keyed picture's figure with a one-pixel line, so it reads on any ground.
void AddOutline(Raster& r, Rgb color);
}  // namespace kv::art
