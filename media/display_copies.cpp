#include "media/display_copies.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "media/image_list.h"
#include "media/picture_collection.h"

namespace kv {

namespace {

uint16_t KeyOf(const TPictureCollectionItem& item) {
  return To565(ResolveColor(item.TransparentColor));
}

// Runs may take as many bytes as the image and this many more, so that small pictures keep
// theirs whatever their pattern of key pixels.
constexpr uint64_t kRunSlack = 2048;

// Calls emit(begin, end) for each run of non-key pixels of a row, left to right.
template <typename Emit>
void ScanRow(const uint16_t* row, int width, uint16_t key, Emit emit) {
  int x = 0;
  while (x < width) {
    while (x < width && row[x] == key) ++x;
    if (x == width) break;
    const int begin = x;
    while (x < width && row[x] != key) ++x;
    emit(begin, x);
  }
}

}  // namespace

size_t DisplayCopies::Bytes() const {
  return sizeof(DisplayCopies) + image.pixels.capacity() * sizeof(uint16_t) +
         row_start.capacity() * sizeof(uint32_t) + runs.capacity() * sizeof(OpaqueRun);
}

void BuildOpaqueRuns(DisplayCopies& copies, uint16_t key) {
  const Image565& image = copies.image;
  copies.key = key;
  copies.runs = {};
  copies.row_start = {};
  copies.runs_built = true;
  // Counted first, so that the runs are either kept in one exact allocation or not at all.
  uint64_t count = 0;
  for (int y = 0; y < image.height; ++y) {
    ScanRow(image.Row(y), image.width, key, [&](int, int) { ++count; });
  }
  const uint64_t run_bytes =
      (uint64_t(image.height) + 1) * sizeof(uint32_t) + count * sizeof(OpaqueRun);
  if (run_bytes > image.pixels.size() * sizeof(uint16_t) + kRunSlack) return;

  copies.row_start.reserve(static_cast<size_t>(image.height) + 1);
  copies.runs.reserve(static_cast<size_t>(count));
  for (int y = 0; y < image.height; ++y) {
    copies.row_start.push_back(static_cast<uint32_t>(copies.runs.size()));
    ScanRow(image.Row(y), image.width, key, [&](int begin, int end) {
      copies.runs.push_back({begin, end});
    });
  }
  copies.row_start.push_back(static_cast<uint32_t>(copies.runs.size()));
}

void FreeDisplayCopies(TPictureCollectionItem& item) {
  item.copies.reset();
}

void BuildDisplayCopies(TPictureCollectionItem& item) {
  item.copies.reset();
  Picture& picture = item.picture();
  if (picture.empty()) return;
  auto copies = std::make_unique<DisplayCopies>();
  copies->image = picture.Pixels565();
  copies->patterns = item.Patterns();
  copies->key = KeyOf(item);
  if (item.Transparent) BuildOpaqueRuns(*copies, copies->key);
  item.copies = std::move(copies);
}

void PrepareDisplayCopies(TPictureCollectionItem& item) {
  item.copies.reset();
  const Picture& picture = item.picture();
  if (picture.empty()) return;
  if (picture.DecodingMayFail()) {
    BuildDisplayCopies(item);
    return;
  }
  auto copies = std::make_unique<DisplayCopies>();
  copies->patterns = item.Patterns();
  copies->key = KeyOf(item);
  copies->pending = true;
  item.copies = std::move(copies);
}

const DisplayCopies& ReadyDisplayCopies(TPictureCollectionItem& item) {
  DisplayCopies& copies = *item.copies;
  if (copies.pending) {
    copies.image = item.picture().Pixels565();
    copies.pending = false;
  }
  if (item.Transparent && !copies.runs_built) BuildOpaqueRuns(copies, copies.key);
  return copies;
}

void RekeyDisplayCopies(TPictureCollectionItem& item) {
  if (!item.copies) return;
  if (item.copies->runs_built) {
    BuildOpaqueRuns(*item.copies, KeyOf(item));
  } else {
    item.copies->key = KeyOf(item);
  }
}

}  // namespace kv
