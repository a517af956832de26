#include "platform/scaler.h"

#include <algorithm>

namespace kv {
namespace {

uint32_t Xrgb(uint16_t p) {
  return uint32_t{Red565(p)} << 16 | uint32_t{Green565(p)} << 8 | Blue565(p);
}

// a and b mixed, b weighing `w` of 256: red and blue in one multiply, green in another.
uint32_t Mix(uint32_t a, uint32_t b, uint32_t w) {
  const uint32_t rb = ((a & 0xFF00FF) * (256 - w) + (b & 0xFF00FF) * w) >> 8;
  const uint32_t g = ((a & 0x00FF00) * (256 - w) + (b & 0x00FF00) * w) >> 8;
  return (rb & 0xFF00FF) | (g & 0x00FF00);
}

}  // namespace

std::vector<Scaler::Tap> Scaler::Taps(int source, int target, ScaleFilter filter) {
  std::vector<Tap> taps(static_cast<size_t>(std::max(target, 0)));
  for (int i = 0; i < target; ++i) {
    Tap& t = taps[static_cast<size_t>(i)];
    if (filter == ScaleFilter::kNearest) {
      // The source pixel under the target pixel's centre, as the pointer mapping finds it.
      t.first = t.second = static_cast<int>((int64_t{2 * i + 1} * source) / (int64_t{2} * target));
      continue;
    }
    // The target pixel's centre in source pixels, in 1/256ths, less half a pixel: the
    // position between the centres of the two source pixels it blends.
    const int64_t at = ((int64_t{2 * i + 1} * source * 256) / (int64_t{2} * target)) - 128;
    const int64_t clamped = std::clamp<int64_t>(at, 0, int64_t{source - 1} * 256);
    t.first = static_cast<int>(clamped >> 8);
    t.second = std::min(t.first + 1, source - 1);
    t.weight = t.second == t.first ? 0 : static_cast<uint32_t>(clamped & 0xFF);
  }
  return taps;
}

void Scaler::Prepare(int source_width, int source_height, int width, int height,
                     ScaleFilter filter) {
  if (source_width == source_width_ && source_height == source_height_ && width == width_ &&
      height == height_ && filter == filter_) {
    return;
  }
  source_width_ = source_width;
  source_height_ = source_height;
  width_ = width;
  height_ = height;
  filter_ = filter;
  columns_ = Taps(source_width, width, filter);
  rows_ = Taps(source_height, height, filter);
  source_xrgb_.assign(static_cast<size_t>(std::max(source_width, 0)), 0);
  for (auto& row : stretched_) row.assign(static_cast<size_t>(std::max(width, 0)), 0);
  stretched_row_[0] = stretched_row_[1] = -1;
}

// Source row `source_row` stretched to the target width, kept in one of two slots so that the
// target rows between two source rows stretch each source row once.
const uint32_t* Scaler::ExpandedRow(const Image565& picture, int source_row, int slot) {
  std::vector<uint32_t>& out = stretched_[slot];
  if (stretched_row_[slot] == source_row) return out.data();
  if (stretched_row_[1 - slot] == source_row) {
    out = stretched_[1 - slot];
  } else {
    const uint16_t* in = picture.Row(source_row);
    for (int x = 0; x < source_width_; ++x) source_xrgb_[static_cast<size_t>(x)] = Xrgb(in[x]);
    for (int x = 0; x < width_; ++x) {
      const Tap& t = columns_[static_cast<size_t>(x)];
      const uint32_t a = source_xrgb_[static_cast<size_t>(t.first)];
      out[static_cast<size_t>(x)] =
          t.weight == 0 ? a : Mix(a, source_xrgb_[static_cast<size_t>(t.second)], t.weight);
    }
  }
  stretched_row_[slot] = source_row;
  return out.data();
}

void Scaler::Scale(const Image565& picture, uint32_t* dest, int pitch) {
  if (picture.width != source_width_ || picture.height != source_height_) return;
  stretched_row_[0] = stretched_row_[1] = -1;  // rows of the last picture are no help
  for (int y = 0; y < height_; ++y) {
    const Tap& t = rows_[static_cast<size_t>(y)];
    uint32_t* out = dest + static_cast<ptrdiff_t>(y) * pitch;
    const uint32_t* a = ExpandedRow(picture, t.first, 0);
    if (t.weight == 0) {
      std::copy(a, a + width_, out);
      continue;
    }
    const uint32_t* b = ExpandedRow(picture, t.second, 1);
    const uint32_t w = t.weight;
    for (int x = 0; x < width_; ++x) out[x] = Mix(a[x], b[x], w);
  }
}

}  // namespace kv
