#include "tools/art/raster.h"

#include <algorithm>
#include <cmath>

#include "platform/image565.h"

namespace kv::art {

Raster::Raster(int width, int height, Rgb fill, float alpha)
    : width_(width),
      height_(height),
      color_(static_cast<size_t>(width) * height, fill),
      alpha_(static_cast<size_t>(width) * height, alpha) {}

void Raster::Blend(int x, int y, const Rgb& c, float a) {
  if (!Inside(x, y) || a <= 0.f) return;
  a = std::min(a, 1.f);
  Rgb& dst = at(x, y);
  dst = dst + (c - dst) * a;
  float& cov = alpha(x, y);
  cov = cov + (1.f - cov) * a;
}

void Raster::Add(int x, int y, const Rgb& c) {
  if (!Inside(x, y)) return;
  at(x, y) += c;
}

void Raster::Draw(const Raster& src, int dx, int dy, float opacity) {
  for (int y = 0; y < src.height(); ++y)
    for (int x = 0; x < src.width(); ++x)
      Blend(x + dx, y + dy, src.at(x, y), src.alpha(x, y) * opacity);
}

Raster Raster::Crop(int x0, int y0, int w, int h) const {
  Raster out(w, h, {}, 0.f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (Inside(x + x0, y + y0)) {
        out.at(x, y) = at(x + x0, y + y0);
        out.alpha(x, y) = alpha(x + x0, y + y0);
      }
  return out;
}

Raster Raster::Resized(int w, int h) const {
  Raster out(w, h, {}, 0.f);
  const float sx = static_cast<float>(width_) / w, sy = static_cast<float>(height_) / h;
  for (int y = 0; y < h; ++y) {
    const float fy0 = y * sy, fy1 = (y + 1) * sy;
    for (int x = 0; x < w; ++x) {
      const float fx0 = x * sx, fx1 = (x + 1) * sx;
      Rgb sum;
      float asum = 0, wsum = 0;
      for (int iy = static_cast<int>(fy0); iy < std::min<float>(fy1, height_); ++iy) {
        const float wy = std::min<float>(iy + 1, fy1) - std::max<float>(iy, fy0);
        for (int ix = static_cast<int>(fx0); ix < std::min<float>(fx1, width_); ++ix) {
          const float wx = std::min<float>(ix + 1, fx1) - std::max<float>(ix, fx0);
          const float wgt = wx * wy;
          // Weight colour by coverage so uncovered pixels do not darken edges.
          const float a = alpha(ix, iy);
          sum += at(ix, iy) * (wgt * a);
          asum += a * wgt;
          wsum += wgt;
        }
      }
      if (wsum > 0) {
        out.alpha(x, y) = asum / wsum;
        out.at(x, y) = asum > 0 ? sum * (1.f / asum) : Rgb{};
      }
    }
  }
  return out;
}

Raster Raster::MirroredX() const {
  Raster out(width_, height_, {}, 0.f);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      out.at(width_ - 1 - x, y) = at(x, y);
      out.alpha(width_ - 1 - x, y) = alpha(x, y);
    }
  return out;
}

RgbImage Raster::ToImage() const {
  RgbImage img;
  img.width = width_;
  img.height = height_;
  img.rgb.resize(static_cast<size_t>(width_) * height_ * 3);
  for (size_t i = 0; i < color_.size(); ++i) {
    img.rgb[i * 3] = ToByte(color_[i].r);
    img.rgb[i * 3 + 1] = ToByte(color_[i].g);
    img.rgb[i * 3 + 2] = ToByte(color_[i].b);
  }
  return img;
}

bool IsKeyIn565(uint8_t r, uint8_t g, uint8_t b) {
  return To565(r, g, b) == 0;
}

void LiftOffKey(uint8_t& r, uint8_t& g, uint8_t& b) {
  if (IsKeyIn565(r, g, b)) g = 4;
}

RgbImage Raster::ToKeyedImage() const {
  RgbImage img = ToImage();
  for (size_t i = 0; i < alpha_.size(); ++i) {
    uint8_t* p = &img.rgb[i * 3];
    if (alpha_[i] < 0.5f) {
      p[0] = p[1] = p[2] = 0;
    } else {
      LiftOffKey(p[0], p[1], p[2]);
    }
  }
  return img;
}

namespace {

std::vector<float> BoxPass(const std::vector<float>& in, int w, int h, int r, bool horizontal) {
  std::vector<float> out(in.size(), 0.f);
  const float norm = 1.f / (2 * r + 1);
  const int lines = horizontal ? h : w, len = horizontal ? w : h;
  for (int l = 0; l < lines; ++l) {
    auto idx = [&](int i) {
      return horizontal ? static_cast<size_t>(l) * w + i : static_cast<size_t>(i) * w + l;
    };
    float sum = 0;
    for (int i = -r; i <= r; ++i)
      if (i >= 0 && i < len) sum += in[idx(i)];
    for (int i = 0; i < len; ++i) {
      out[idx(i)] = sum * norm;
      const int add = i + r + 1, sub = i - r;
      if (add < len) sum += in[idx(add)];
      if (sub >= 0) sum -= in[idx(sub)];
    }
  }
  return out;
}

}  // namespace

AlphaMap Blurred(const AlphaMap& map, int radius, int passes) {
  const int grow = radius * passes;
  AlphaMap out{map.width + 2 * grow, map.height + 2 * grow, {}};
  out.a.assign(static_cast<size_t>(out.width) * out.height, 0.f);
  for (int y = 0; y < map.height; ++y)
    for (int x = 0; x < map.width; ++x)
      out.a[static_cast<size_t>(y + grow) * out.width + x + grow] = map.at(x, y);
  for (int p = 0; p < passes && radius > 0; ++p) {
    out.a = BoxPass(out.a, out.width, out.height, radius, true);
    out.a = BoxPass(out.a, out.width, out.height, radius, false);
  }
  return out;
}

AlphaMap Dilated(const AlphaMap& map, int radius) {
  AlphaMap out{map.width + 2 * radius, map.height + 2 * radius, {}};
  out.a.assign(static_cast<size_t>(out.width) * out.height, 0.f);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) {
      float m = 0;
      for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
          if (dx * dx + dy * dy <= radius * radius + radius)
            m = std::max(m, map.at(x - radius + dx, y - radius + dy));
      out.a[static_cast<size_t>(y) * out.width + x] = m;
    }
  return out;
}

}  // namespace kv::art

namespace kv::art {

void AddOutline(Raster& r, Rgb color) {
  const Raster before = r;
  for (int y = 0; y < r.height(); ++y)
    for (int x = 0; x < r.width(); ++x) {
      if (before.alpha(x, y) >= 0.5f) continue;
      bool edge = false;
      for (int dy = -1; dy <= 1 && !edge; ++dy)
        for (int dx = -1; dx <= 1 && !edge; ++dx)
          if ((dx || dy) && before.Inside(x + dx, y + dy) && before.alpha(x + dx, y + dy) >= 0.5f &&
              (dx == 0 || dy == 0))
            edge = true;
      if (edge) {
        r.at(x, y) = color;
        r.alpha(x, y) = 1.f;
      }
    }
}

}  // namespace kv::art
