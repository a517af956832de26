#include "media/picture_collection.h"

#include <algorithm>

#include "media/display_copies.h"
#include "media/image_list.h"
#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv {
namespace {

// Far more patterns than any sheet of frames or tiles holds. A grid beyond this comes from a
// nonsensical pattern size (1 x 1 over a huge picture) and gets no patterns rather than
// exhausting memory.
constexpr int64_t kMaxPatterns = 65536;

}  // namespace

TPictureCollectionItem::TPictureCollectionItem() : picture_(MakeEmptyPicture()) {}

TPictureCollectionItem::~TPictureCollectionItem() = default;

void TPictureCollectionItem::SetPicture(std::unique_ptr<Picture> picture) {
  picture_ = picture ? std::move(picture) : MakeEmptyPicture();
  if (copies) PrepareDisplayCopies(*this);
}

void TPictureCollectionItem::SetTransparentColor(Color color) {
  TransparentColor = color;
  RekeyDisplayCopies(*this);
}

PatternGrid TPictureCollectionItem::Patterns() const {
  const Picture& pic = picture();
  if (pic.empty()) return {};
  // 64-bit throughout: pattern sizes and skips come from the file and may be anything.
  const int64_t w = pic.width();
  const int64_t h = pic.height();
  const int64_t pw = PatternWidth > 0 ? PatternWidth : w;
  const int64_t ph = PatternHeight > 0 ? PatternHeight : h;
  if (pw == w && ph == h) {
    return PatternGrid{1, 1, w, h, static_cast<int>(w), static_cast<int>(h)};
  }

  const int64_t step_x = pw + SkipWidth;
  const int64_t step_y = ph + SkipHeight;
  if (step_x <= 0 || step_y <= 0) return {};
  const int64_t columns = (w + SkipWidth) / step_x;
  const int64_t rows = (h + SkipHeight) / step_y;
  if (columns <= 0 || rows <= 0 || columns * rows > kMaxPatterns) return {};
  // With at least one column, pw <= w and every pattern's left edge lies at most w - pw from
  // the origin (likewise for rows), so the rectangles fit in int and inside the picture.
  return PatternGrid{static_cast<int>(columns * rows),
                     static_cast<int>(columns),
                     step_x,
                     step_y,
                     static_cast<int>(pw),
                     static_cast<int>(ph)};
}

std::vector<Rect> TPictureCollectionItem::PatternRects() const {
  const PatternGrid grid = Patterns();
  std::vector<Rect> rects;
  rects.reserve(static_cast<size_t>(grid.count));
  for (int k = 0; k < grid.count; ++k) rects.push_back(grid.At(k));
  return rects;
}

TPictureCollection::TPictureCollection() = default;
TPictureCollection::~TPictureCollection() = default;

TPictureCollectionItem& TPictureCollection::Items(int index) {
  return items_.At(index);
}

int TPictureCollection::IndexOfName(std::string_view name) const {
  return items_.IndexOfName(name);
}

TPictureCollectionItem& TPictureCollection::FindItemByName(std::string_view name) {
  const int index = IndexOfName(name);
  if (index < 0) throw Error("Image '" + std::string(name) + "' not found");
  return items_.At(index);
}

uint64_t TPictureCollection::DeclaredPixels() const {
  uint64_t pixels = 0;
  for (const auto& item : items_) {
    const Picture& picture = item->picture();
    if (!picture.empty()) pixels += uint64_t(picture.width()) * uint64_t(picture.height());
  }
  return pixels;
}

void TPictureCollection::Clear() {
  items_.Clear();
}

TPictureCollectionItem& TPictureCollection::Add() {
  return items_.Add(std::make_unique<TPictureCollectionItem>());
}

void TPictureCollection::Rename(TPictureCollectionItem& item, std::string_view name) {
  items_.Rename(item, name);
}

void TPictureCollection::BuildColorTable() {
  std::array<bool, 256> used{};
  ColorTable.fill(0);

  auto set = [&](int entry, uint8_t r, uint8_t g, uint8_t b) {
    ColorTable[entry * 4 + 0] = b;
    ColorTable[entry * 4 + 1] = g;
    ColorTable[entry * 4 + 2] = r;
    used[entry] = true;
  };
  // The colours every display palette keeps in its first and last eight entries.
  set(0, 0, 0, 0);
  set(1, 128, 0, 0);
  set(2, 0, 128, 0);
  set(3, 128, 128, 0);
  set(4, 0, 0, 128);
  set(5, 128, 0, 128);
  set(6, 0, 128, 128);
  set(7, 192, 192, 192);
  set(248, 128, 128, 128);
  set(249, 255, 0, 0);
  set(250, 0, 255, 0);
  set(251, 255, 255, 0);
  set(252, 0, 0, 255);
  set(253, 255, 0, 255);
  set(254, 0, 255, 255);
  set(255, 255, 255, 255);

  int used_count = 16;
  auto offer = [&](const Bgr0& color) {
    int free_entry = -1;
    for (int entry = 0; entry < 256; ++entry) {
      if (!used[entry]) {
        if (free_entry < 0) free_entry = entry;
      } else if (std::equal(color.begin(), color.end(), ColorTable.begin() + entry * 4)) {
        return;
      }
    }
    if (free_entry < 0) return;
    std::copy(color.begin(), color.end(), ColorTable.begin() + free_entry * 4);
    used[free_entry] = true;
    ++used_count;
  };

  for (const auto& item : items_) {
    const Picture& pic = item->picture();
    if (pic.empty()) continue;
    for (const Bgr0& color : pic.OfferedColors()) offer(color);
    if (used_count == 256) break;
  }
}

}  // namespace kv
