#include "platform/scaler.h"

#include <algorithm>
#include <cstring>

namespace kv {
namespace {

// Four pixels at a time, one lane a colour channel: the compiler turns these into the
// processor's vector instructions on any machine it targets.
using Bytes16 = uint8_t __attribute__((vector_size(16)));
using Lanes16 = uint16_t __attribute__((vector_size(32)));
constexpr int kPixelsAtOnce = 4;

// out[0..3] = a[0..3] * (256 - w) + b[0..3] * w, over 256, each channel on its own.
[[gnu::always_inline]] inline void MixFour(const uint32_t* a, const uint32_t* b, const uint16_t* w,
                                           uint32_t* out) {
  Bytes16 a8, b8;
  Lanes16 weight;
  std::memcpy(&a8, a, sizeof a8);
  std::memcpy(&b8, b, sizeof b8);
  std::memcpy(&weight, w, sizeof weight);
  const Lanes16 mixed = (__builtin_convertvector(a8, Lanes16) * (256 - weight) +
                         __builtin_convertvector(b8, Lanes16) * weight) >>
                        8;
  const Bytes16 out8 = __builtin_convertvector(mixed, Bytes16);
  std::memcpy(out, &out8, sizeof out8);
}

uint32_t Xrgb(uint16_t p) {
  return uint32_t{Red565(p)} << 16 | uint32_t{Green565(p)} << 8 | Blue565(p);
}

using Words8 = uint16_t __attribute__((vector_size(16)));
using Longs8 = uint32_t __attribute__((vector_size(32)));

// A row of 565 pixels as XRGB, eight at a time.
void ExpandRow(const uint16_t* in, uint32_t* out, int n) {
  int x = 0;
  for (; x + 8 <= n; x += 8) {
    Words8 p;
    std::memcpy(&p, in + x, sizeof p);
    const Words8 r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    const Longs8 xrgb = __builtin_convertvector((r << 3) | (r >> 2), Longs8) << 16 |
                        __builtin_convertvector((g << 2) | (g >> 4), Longs8) << 8 |
                        __builtin_convertvector((b << 3) | (b >> 2), Longs8);
    std::memcpy(out + x, &xrgb, sizeof xrgb);
  }
  for (; x < n; ++x) out[x] = Xrgb(in[x]);
}

// a and b mixed, b weighing `w` of 256.
uint32_t Mix(uint32_t a, uint32_t b, uint32_t w) {
  const uint32_t rb = ((a & 0xFF00FF) * (256 - w) + (b & 0xFF00FF) * w) >> 8;
  const uint32_t g = ((a & 0x00FF00) * (256 - w) + (b & 0x00FF00) * w) >> 8;
  return (rb & 0xFF00FF) | (g & 0x00FF00);
}

// out = a and b mixed, b weighing `weights` of 256 (one weight a channel, four a pixel).
void MixRows(const uint32_t* a, const uint32_t* b, const uint16_t* weights, uint32_t* out, int n) {
  int x = 0;
  for (; x + kPixelsAtOnce <= n; x += kPixelsAtOnce)
    MixFour(a + x, b + x, weights + x * 4, out + x);
  for (; x < n; ++x) out[x] = Mix(a[x], b[x], weights[x * 4]);
}

// The same with one weight for the whole row.
void MixRows(const uint32_t* a, const uint32_t* b, uint16_t weight, uint32_t* out, int n) {
  uint16_t w[4 * kPixelsAtOnce];
  std::fill_n(w, 4 * kPixelsAtOnce, weight);
  int x = 0;
  for (; x + kPixelsAtOnce <= n; x += kPixelsAtOnce) MixFour(a + x, b + x, w, out + x);
  for (; x < n; ++x) out[x] = Mix(a[x], b[x], weight);
}

}  // namespace

std::vector<Scaler::Tap> Scaler::Taps(int source, int target, ScaleFilter filter) {
  std::vector<Tap> taps(static_cast<size_t>(std::max(target, 0)));
  for (int i = 0; i < target; ++i) {
    Tap& t = taps[static_cast<size_t>(i)];
    if (filter == ScaleFilter::kNearest) {
      // The source pixel under the target pixel's centre.
      t.first = t.second = static_cast<int>((int64_t{2 * i + 1} * source) / (int64_t{2} * target));
      continue;
    }
    // The target pixel's centre in source pixels, in 1/256ths, less half a pixel: the
    // position between the centres of the two source pixels it blends.
    const int64_t at = ((int64_t{2 * i + 1} * source * 256) / (int64_t{2} * target)) - 128;
    const int64_t clamped = std::clamp<int64_t>(at, 0, int64_t{source - 1} * 256);
    t.first = static_cast<int>(clamped >> 8);
    t.second = std::min(t.first + 1, source - 1);
    t.weight = t.second == t.first ? 0 : static_cast<uint16_t>(clamped & 0xFF);
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
  column_weights_.resize(static_cast<size_t>(std::max(width, 0)) * 4);
  for (size_t x = 0; x < columns_.size(); ++x) {
    std::fill_n(column_weights_.begin() + static_cast<ptrdiff_t>(x * 4), 4, columns_[x].weight);
  }
  const size_t row = static_cast<size_t>(std::max(width, 0));
  source_xrgb_.assign(static_cast<size_t>(std::max(source_width, 0)), 0);
  lefts_.assign(row, 0);
  rights_.assign(row, 0);
  for (auto& stretched : stretched_) stretched.assign(row, 0);
}

// Source row `source_row` stretched to the target width, kept in one of two slots so that the
// target rows between two source rows stretch each source row once.
const uint32_t* Scaler::StretchedRow(const Image565& picture, int source_row, int slot) {
  std::vector<uint32_t>& out = stretched_[slot];
  if (stretched_row_[slot] == source_row) return out.data();
  if (stretched_row_[1 - slot] == source_row) {
    out = stretched_[1 - slot];
  } else {
    ExpandRow(picture.Row(source_row), source_xrgb_.data(), source_width_);
    if (filter_ == ScaleFilter::kNearest) {
      for (int x = 0; x < width_; ++x) {
        out[static_cast<size_t>(x)] =
            source_xrgb_[static_cast<size_t>(columns_[static_cast<size_t>(x)].first)];
      }
    } else {
      for (int x = 0; x < width_; ++x) {
        const Tap& t = columns_[static_cast<size_t>(x)];
        lefts_[static_cast<size_t>(x)] = source_xrgb_[static_cast<size_t>(t.first)];
        rights_[static_cast<size_t>(x)] = source_xrgb_[static_cast<size_t>(t.second)];
      }
      MixRows(lefts_.data(), rights_.data(), column_weights_.data(), out.data(), width_);
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
    const uint32_t* a = StretchedRow(picture, t.first, 0);
    if (t.weight == 0) {
      std::copy(a, a + width_, out);
    } else {
      MixRows(a, StretchedRow(picture, t.second, 1), t.weight, out, width_);
    }
  }
}

}  // namespace kv
