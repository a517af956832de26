#include "media/display_copies.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "media/image_list.h"
#include "media/picture_collection.h"

namespace kv {

namespace {

// Converts decoded pixels to 565. The decoder's buffer is trusted only as far as it reaches:
// a short buffer leaves the rest black instead of reading past it.
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

uint16_t KeyOf(const TPictureCollectionItem& item) {
  return To565(ResolveColor(item.TransparentColor));
}

}  // namespace

void BuildOpaqueRuns(DisplayCopies& copies, uint16_t key) {
  const Image565& image = copies.image;
  copies.key = key;
  copies.runs.clear();
  copies.row_base.clear();
  copies.row_start.clear();
  for (const Rect& p : copies.patterns) {
    copies.row_base.push_back(static_cast<uint32_t>(copies.row_start.size()));
    const int left = std::max(p.left, 0);
    const int right = std::min(p.right, image.width);
    for (int y = p.top; y < p.bottom; ++y) {
      copies.row_start.push_back(static_cast<uint32_t>(copies.runs.size()));
      if (y < 0 || y >= image.height) continue;
      const uint16_t* row = image.Row(y);
      int x = left;
      while (x < right) {
        while (x < right && row[x] == key) ++x;
        if (x == right) break;
        const int begin = x;
        while (x < right && row[x] != key) ++x;
        copies.runs.push_back({begin - p.left, x - p.left});
      }
    }
    // Closes the last row of this pattern.
    copies.row_start.push_back(static_cast<uint32_t>(copies.runs.size()));
  }
}

void FreeDisplayCopies(TPictureCollectionItem& item) {
  item.copies.reset();
}

void BuildDisplayCopies(TPictureCollectionItem& item) {
  item.copies.reset();
  Picture& picture = item.picture();
  if (picture.empty()) return;
  auto copies = std::make_unique<DisplayCopies>();
  copies->image = ConvertTo565(picture.Pixels());
  picture.ReleasePixels();
  copies->patterns = item.PatternRects();
  BuildOpaqueRuns(*copies, KeyOf(item));
  item.copies = std::move(copies);
}

void RekeyDisplayCopies(TPictureCollectionItem& item) {
  if (item.copies) BuildOpaqueRuns(*item.copies, KeyOf(item));
}

}  // namespace kv
