#include "platform/letterbox.h"

#include <algorithm>
#include <cstdint>

namespace kv::letterbox {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) {
  return -FloorDiv(-a, b);
}

}  // namespace

Rect Fit(int output_w, int output_h, int picture_w, int picture_h) {
  if (output_w <= 0 || output_h <= 0 || picture_w <= 0 || picture_h <= 0) return {};
  // Compare the two scales exactly in integers: output_w / picture_w vs output_h / picture_h.
  int w, h;
  if (int64_t{output_w} * picture_h <= int64_t{output_h} * picture_w) {
    w = output_w;
    h = static_cast<int>((int64_t{picture_h} * output_w * 2 + picture_w) /
                         (int64_t{picture_w} * 2));
  } else {
    h = output_h;
    w = static_cast<int>((int64_t{picture_w} * output_h * 2 + picture_h) /
                         (int64_t{picture_h} * 2));
  }
  w = std::clamp(w, 1, output_w);
  h = std::clamp(h, 1, output_h);
  const int left = (output_w - w) / 2;
  const int top = (output_h - h) / 2;
  return {left, top, left + w, top + h};
}

Rect FitWhole(int output_w, int output_h, int picture_w, int picture_h) {
  if (output_w <= 0 || output_h <= 0 || picture_w <= 0 || picture_h <= 0) return {};
  const int times = std::min(output_w / picture_w, output_h / picture_h);
  if (times < 1) return Fit(output_w, output_h, picture_w, picture_h);
  const int w = picture_w * times;
  const int h = picture_h * times;
  const int left = (output_w - w) / 2;
  const int top = (output_h - h) / 2;
  return {left, top, left + w, top + h};
}

Point FromPicture(Point picture_pixel, const Rect& placed, int picture_w, int picture_h) {
  if (placed.Empty() || picture_w <= 0 || picture_h <= 0) return picture_pixel;
  // The output pixels that ToPicture takes to picture pixel p are those from
  // ceil(p * size / picture) to ceil((p + 1) * size / picture) - 1; the middle one of them.
  const auto middle = [](int64_t p, int64_t size, int64_t picture) {
    const int64_t first = CeilDiv(p * size, picture);
    const int64_t last = std::max(first, CeilDiv((p + 1) * size, picture) - 1);
    return static_cast<int>((first + last) / 2);
  };
  return {placed.left + middle(picture_pixel.x, placed.Width(), picture_w),
          placed.top + middle(picture_pixel.y, placed.Height(), picture_h)};
}

Point ToPicture(Point output, const Rect& placed, int picture_w, int picture_h) {
  if (placed.Empty()) return output;
  return {static_cast<int>(FloorDiv(int64_t{output.x - placed.left} * picture_w, placed.Width())),
          static_cast<int>(FloorDiv(int64_t{output.y - placed.top} * picture_h, placed.Height()))};
}

}  // namespace kv::letterbox
