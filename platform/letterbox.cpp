#include "platform/letterbox.h"

#include <algorithm>
#include <cstdint>

namespace kv::letterbox {
namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
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
  return {placed.left + static_cast<int>((int64_t{picture_pixel.x} * 2 + 1) * placed.Width() /
                                         (int64_t{picture_w} * 2)),
          placed.top + static_cast<int>((int64_t{picture_pixel.y} * 2 + 1) * placed.Height() /
                                        (int64_t{picture_h} * 2))};
}

Point ToPicture(Point output, const Rect& placed, int picture_w, int picture_h) {
  if (placed.Empty()) return output;
  return {static_cast<int>(FloorDiv(int64_t{output.x - placed.left} * picture_w, placed.Width())),
          static_cast<int>(FloorDiv(int64_t{output.y - placed.top} * picture_h, placed.Height()))};
}

}  // namespace kv::letterbox
