#include "platform/paint.h"

#include <algorithm>

namespace kv::paint {
namespace {

Rect Clipped(const Image565& image, const Rect& rect, const Rect& clip) {
  return {std::max({rect.left, clip.left, 0}), std::max({rect.top, clip.top, 0}),
          std::min({rect.right, clip.right, image.width}),
          std::min({rect.bottom, clip.bottom, image.height})};
}

uint8_t Mix(uint8_t over, uint8_t under, int alpha) {
  return static_cast<uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

}  // namespace

void FillRect(Image565& image, const Rect& rect, Color color, const Rect& clip) {
  const Rect r = Clipped(image, rect, clip);
  if (r.Empty()) return;
  const uint16_t value = To565(color);
  for (int y = r.top; y < r.bottom; ++y)
    std::fill(image.Row(y) + r.left, image.Row(y) + r.right, value);
}

void Pixel(Image565& image, int x, int y, Color color, const Rect& clip) {
  FillRect(image, {x, y, x + 1, y + 1}, color, clip);
}

void HLine(Image565& image, int x0, int x1, int y, Color color, const Rect& clip) {
  FillRect(image, {x0, y, x1, y + 1}, color, clip);
}

void VLine(Image565& image, int x, int y0, int y1, Color color, const Rect& clip) {
  FillRect(image, {x, y0, x + 1, y1}, color, clip);
}

void Mask(Image565& image, const TextMask& mask, int x, int y, Color color, const Rect& clip) {
  if (mask.width <= 0 || mask.height <= 0 ||
      mask.alpha.size() < static_cast<size_t>(mask.width) * static_cast<size_t>(mask.height)) {
    return;
  }
  const Rect r = Clipped(image, {x, y, x + mask.width, y + mask.height}, clip);
  if (r.Empty()) return;
  const uint16_t solid = To565(color);
  for (int py = r.top; py < r.bottom; ++py) {
    const uint8_t* cover = mask.alpha.data() + static_cast<size_t>(py - y) * mask.width;
    uint16_t* row = image.Row(py);
    for (int px = r.left; px < r.right; ++px) {
      const int a = cover[px - x];
      if (a == 0) continue;
      if (a == 255) {
        row[px] = solid;
        continue;
      }
      const uint16_t old = row[px];
      row[px] = To565(Mix(RedOf(color), Red565(old), a), Mix(GreenOf(color), Green565(old), a),
                      Mix(BlueOf(color), Blue565(old), a));
    }
  }
}

}  // namespace kv::paint
