#include "media/picture.h"

#include <algorithm>

namespace kv {

Image565 ConvertTo565(const RgbImage& rgb) {
  const int width = std::max(rgb.width, 0);
  const int height = std::max(rgb.height, 0);
  Image565 image(width, height);
  const size_t available = rgb.rgb.size() / 3;
  const size_t count = std::min(image.pixels.size(), available);
  const uint8_t* src = rgb.rgb.data();
  uint16_t* dst = image.pixels.data();
  for (size_t i = 0; i < count; ++i, src += 3) dst[i] = To565(src[0], src[1], src[2]);
  return image;
}

Image565 Picture::Pixels565() {
  Image565 image = ConvertTo565(Pixels());
  ReleasePixels();
  return image;
}

}  // namespace kv
