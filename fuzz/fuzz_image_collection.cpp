// Feeds arbitrary bytes to the image collection loader, then uses whatever items it left behind
// the way the game would: pattern grids, sizes, decoded pixels and the colour table.

#include <cstddef>
#include <cstdint>
#include <span>

#include "media/picture_collection.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv::TPictureCollection images;
  try {
    images.LoadCollectionStream(std::span<const uint8_t>(data, size));
  } catch (const kv::Error&) {
    // Items read before the failure stay and must be as usable as any others.
  }
  for (int i = 0; i < images.Count(); ++i) {
    kv::TPictureCollectionItem& item = images.Items(i);
    const auto rects = item.PatternRects();
    kv::Picture& picture = item.picture();
    const int width = picture.width();
    const int height = picture.height();
    for (const kv::Rect& r : rects) {
      if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height) __builtin_trap();
    }
    try {
      const kv::RgbImage& pixels = picture.Pixels();
      if (pixels.rgb.size() < static_cast<size_t>(pixels.width) * pixels.height * 3) {
        __builtin_trap();
      }
    } catch (const kv::Error&) {
    }
  }
  images.BuildColorTable();
  return 0;
}
