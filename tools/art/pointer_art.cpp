#include "tools/art/pointer_art.h"
#include "tools/art/portable_math.h"

#include <cmath>

#include "tools/art/shapes.h"

namespace kv::art {

namespace {

constexpr int kSize = 24;
const Rgb kOutline = Hex(0x24140A);

auto GoldPaint(Pt from, Pt to) {
  return [=](float x, float y, float d) {
    const float dx = to.x - from.x, dy = to.y - from.y;
    const float t = Clamp01(((x - from.x) * dx + (y - from.y) * dy) / (dx * dx + dy * dy));
    Rgb c = Mix(Hex(0xB07818), Hex(0xFFF0A0), t);
    if (d > -1.2f) c = c * 0.8f;
    return c;
  };
}

// A bold arrow from `tail` to `tip`, outlined so it reads on any ground.
Raster Arrow(Pt tail, Pt tip) {
  Raster r(kSize, kSize, {}, 0.f);
  const float dx = tip.x - tail.x, dy = tip.y - tail.y, len = Hypot(dx, dy);
  const float ux = dx / len, uy = dy / len, px = -uy, py = ux;
  const float head = 9.f, half = 6.f;
  const Pt base{tip.x - ux * head, tip.y - uy * head};
  const auto shape = Union(Polygon{{tip,
                                    {base.x + px * half, base.y + py * half},
                                    {base.x - px * half, base.y - py * half}}},
                           Capsule{tail.x, tail.y, base.x, base.y, 2.2f, 2.6f});
  Fill(r, Offset(shape, 1.4f), kOutline);
  Fill(r, shape, GoldPaint(tail, tip));
  return r;
}

Raster PlainPointer() {
  Raster r(kSize, kSize, {}, 0.f);
  const Polygon shape{{{1.5f, 1.5f},
                       {1.5f, 18.f},
                       {6.f, 14.f},
                       {9.5f, 21.5f},
                       {12.5f, 20.f},
                       {9.f, 12.5f},
                       {15.f, 12.5f}}};
  Fill(r, Offset(shape, 1.3f), kOutline);
  Fill(r, shape, GoldPaint({14, 18}, {1, 1}));
  return r;
}

}  // namespace

std::vector<PointerPicture> PaintPointers() {
  return {
      {"Cursor", PlainPointer()},
      {"SCur", Arrow({6, 22}, {6, 1})},  // north: the tip at the pointer's side
      {"JCur", Arrow({6, 1}, {6, 22})},  // south: starts at the pointer
      {"ZCur", Arrow({22, 6}, {1, 6})},  // west
      {"VCur", Arrow({1, 6}, {22, 6})},  // east
      {"SZCur", Arrow({20, 20}, {1.5f, 1.5f})},
      {"SVCur", Arrow({2, 21}, {21, 2})},
      {"JZCur", Arrow({21, 2}, {2, 21})},
      {"JVCur", Arrow({2, 2}, {21.5f, 21.5f})},
  };
}

}  // namespace kv::art
