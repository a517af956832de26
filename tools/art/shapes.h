#pragma once

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>
#include <vector>

#include "tools/art/portable_math.h"
#include "tools/art/raster.h"

// Shapes as signed distance functions (negative inside, in pixels), which give anti-aliased
// edges, bevels, rims and glows from one description. Every shape knows its bounding box so
// painting touches only the pixels it can reach.
namespace kv::art {

struct Box {
  float x0, y0, x1, y1;
  Box Grown(float by) const { return {x0 - by, y0 - by, x1 + by, y1 + by}; }
  Box Union(const Box& o) const {
    return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
  }
};

struct Pt {
  float x, y;
};

struct Circle {
  float cx, cy, r;
  float operator()(float x, float y) const { return Hypot(x - cx, y - cy) - r; }
  Box bounds() const { return {cx - r, cy - r, cx + r, cy + r}; }
};

// An ellipse, optionally turned by `angle` radians.
struct Ellipse {
  float cx, cy, rx, ry, angle = 0;
  float operator()(float x, float y) const {
    float px = x - cx, py = y - cy;
    if (angle != 0) {
      const float c = Cos(angle), s = Sin(angle);
      const float qx = c * px + s * py, qy = -s * px + c * py;
      px = qx;
      py = qy;
    }
    const float k0 = Hypot(px / rx, py / ry);
    const float k1 = Hypot(px / (rx * rx), py / (ry * ry));
    if (k1 < 1e-6f) return -std::min(rx, ry);
    return k0 * (k0 - 1.f) / k1;
  }
  Box bounds() const {
    const float r = std::max(rx, ry);
    return {cx - r, cy - r, cx + r, cy + r};
  }
};

struct RoundBox {
  float x0, y0, x1, y1, radius = 0;
  float operator()(float x, float y) const {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
    const float outside = Hypot(std::max(qx, 0.f), std::max(qy, 0.f));
    return outside + std::min(std::max(qx, qy), 0.f) - radius;
  }
  Box bounds() const { return {x0, y0, x1, y1}; }
};

// A stroke from a to b whose half-width runs from ra to rb: limbs, strands, blades.
struct Capsule {
  float ax, ay, bx, by, ra, rb;
  float operator()(float x, float y) const {
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0.f;
    t = std::clamp(t, 0.f, 1.f);
    return Hypot(x - (ax + t * dx), y - (ay + t * dy)) - (ra + (rb - ra) * t);
  }
  Box bounds() const {
    const float r = std::max(ra, rb);
    return {std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r};
  }
};

struct Polygon {
  std::vector<Pt> p;
  float operator()(float x, float y) const {
    float d = 1e30f;
    bool inside = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
      const float ex = p[j].x - p[i].x, ey = p[j].y - p[i].y;
      const float wx = x - p[i].x, wy = y - p[i].y;
      const float len2 = ex * ex + ey * ey;
      const float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.f, 1.f) : 0.f;
      d = std::min(d, Hypot(wx - ex * t, wy - ey * t));
      if ((p[i].y > y) != (p[j].y > y) &&
          x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
        inside = !inside;
    }
    return inside ? -d : d;
  }
  Box bounds() const {
    Box b{1e30f, 1e30f, -1e30f, -1e30f};
    for (const Pt& q : p) b = b.Union({q.x, q.y, q.x, q.y});
    return b;
  }
};

// Any distance function with a box.
template <class F>
struct Shape {
  F f;
  Box box;
  float operator()(float x, float y) const { return f(x, y); }
  Box bounds() const { return box; }
};
template <class F>
Shape<F> MakeShape(Box box, F f) {
  return {std::move(f), box};
}

template <class A, class B>
auto Union(A a, B b) {
  const Box box = a.bounds().Union(b.bounds());
  return MakeShape(box, [a, b](float x, float y) { return std::min(a(x, y), b(x, y)); });
}
template <class A, class B>
auto Subtract(A a, B b) {
  const Box box = a.bounds();
  return MakeShape(box, [a, b](float x, float y) { return std::max(a(x, y), -b(x, y)); });
}
template <class A, class B>
auto Intersect(A a, B b) {
  const Box box = a.bounds();
  return MakeShape(box, [a, b](float x, float y) { return std::max(a(x, y), b(x, y)); });
}
// Rounded or shrunk by `by` pixels.
template <class A>
auto Offset(A a, float by) {
  return MakeShape(a.bounds().Grown(std::max(by, 0.f)),
                   [a, by](float x, float y) { return a(x, y) - by; });
}
// Only the outline, `width` pixels wide, centred on the edge.
template <class A>
auto Ring(A a, float width) {
  return MakeShape(a.bounds().Grown(width),
                   [a, width](float x, float y) { return std::abs(a(x, y)) - width / 2; });
}

// Paints a shape. `paint` is a colour, or a function (x, y, distance) -> colour, where the
// distance (negative inside) lets the painter shade bevels and rims.
template <class S, class P>
void Fill(Raster& r, const S& shape, const P& paint, float opacity = 1.f) {
  const Box b = shape.bounds().Grown(1.5f);
  const int x0 = std::max(0, static_cast<int>(std::floor(b.x0)));
  const int y0 = std::max(0, static_cast<int>(std::floor(b.y0)));
  const int x1 = std::min(r.width(), static_cast<int>(std::ceil(b.x1)) + 1);
  const int y1 = std::min(r.height(), static_cast<int>(std::ceil(b.y1)) + 1);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float d = shape(px, py);
      const float cov = std::clamp(0.5f - d, 0.f, 1.f);
      if (cov <= 0.f) continue;
      if constexpr (std::is_invocable_v<P, float, float, float>) {
        r.Blend(x, y, paint(px, py, d), cov * opacity);
      } else {
        r.Blend(x, y, paint, cov * opacity);
      }
    }
  }
}

// Light spilling out of (and over) a shape: added, fading with distance from its edge.
template <class S>
void Glow(Raster& r, const S& shape, Rgb color, float falloff, float reach) {
  const Box b = shape.bounds().Grown(reach);
  const int x0 = std::max(0, static_cast<int>(std::floor(b.x0)));
  const int y0 = std::max(0, static_cast<int>(std::floor(b.y0)));
  const int x1 = std::min(r.width(), static_cast<int>(std::ceil(b.x1)) + 1);
  const int y1 = std::min(r.height(), static_cast<int>(std::ceil(b.y1)) + 1);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const float d = std::max(shape(x + 0.5f, y + 0.5f), 0.f);
      if (d > reach) continue;
      const float k = Exp(-d / falloff) * (1.f - d / reach);
      r.Add(x, y, color * k);
    }
}

// A soft shadow cast by a shape, darkening what lies under it.
template <class S>
void Shadow(Raster& r, const S& shape, float dx, float dy, float softness, float strength) {
  const Box b = shape.bounds().Grown(softness * 2);
  const int x0 = std::max(0, static_cast<int>(std::floor(b.x0 + dx)));
  const int y0 = std::max(0, static_cast<int>(std::floor(b.y0 + dy)));
  const int x1 = std::min(r.width(), static_cast<int>(std::ceil(b.x1 + dx)) + 1);
  const int y1 = std::min(r.height(), static_cast<int>(std::ceil(b.y1 + dy)) + 1);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const float d = shape(x + 0.5f - dx, y + 0.5f - dy);
      const float k = 1.f - SmoothStep(-softness, softness, d);
      if (k > 0) r.Blend(x, y, {0, 0, 0}, k * strength);
    }
}

}  // namespace kv::art
