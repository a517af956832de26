#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "media/display_copies.h"
#include "media/dxdraw.h"
#include "media/image_list.h"
#include "media/picture_collection.h"

namespace kv {

namespace {

// Rectangles in 64 bits while clipping, so that far-off coordinates cannot overflow.
struct Box {
  int64_t left, top, right, bottom;
  bool Empty() const { return left >= right || top >= bottom; }
};

// Clips `a` to `bounds`, moving each edge of `b` by as much as the same edge of `a` moved.
void ClipPair(Box& a, Box& b, const Box& bounds) {
  if (a.left < bounds.left) b.left += bounds.left - a.left, a.left = bounds.left;
  if (a.top < bounds.top) b.top += bounds.top - a.top, a.top = bounds.top;
  if (a.right > bounds.right) b.right -= a.right - bounds.right, a.right = bounds.right;
  if (a.bottom > bounds.bottom) b.bottom -= a.bottom - bounds.bottom, a.bottom = bounds.bottom;
}

Box BoundsOf(const Image565& image) {
  return {0, 0, image.width, image.height};
}

// The rectangle of the pattern to draw; false when the item draws nothing.
bool PatternOf(const TPictureCollectionItem& item, int pattern, Rect& rect) {
  if (!item.copies || pattern < 0 || pattern >= item.copies->patterns.count) return false;
  rect = item.copies->patterns.At(pattern);
  return true;
}

// Copies the non-key pixels of `rows` picture rows from `top`, picture columns [lo, hi).
// `src` and `dst` point at column lo of the first row.
void CopyKeyed(const DisplayCopies& copies, int top, int rows, int lo, int hi, const uint16_t* src,
               int src_pitch, uint16_t* dst, int dst_pitch) {
  if (copies.row_start.empty()) {
    // No runs kept for this picture: the key is tested pixel by pixel.
    const uint16_t key = copies.key;
    const int width = hi - lo;
    for (int r = 0; r < rows; ++r, src += src_pitch, dst += dst_pitch) {
      for (int x = 0; x < width; ++x) {
        if (src[x] != key) dst[x] = src[x];
      }
    }
    return;
  }
  // Everything the loop reads is held in locals: the memcpy's could otherwise make the
  // compiler reload it through `copies` after every run.
  const OpaqueRun* const runs = copies.runs.data();
  const uint32_t* row_start = copies.row_start.data() + top;
  const bool whole_width = lo == 0 && hi == copies.image.width;
  for (int r = 0; r < rows; ++r, src += src_pitch, dst += dst_pitch) {
    const OpaqueRun* run = runs + row_start[r];
    const OpaqueRun* const end = runs + row_start[r + 1];
    if (whole_width) {
      for (; run != end; ++run)
        std::memcpy(dst + run->begin, src + run->begin,
                    static_cast<size_t>(run->end - run->begin) * 2);
      continue;
    }
    // A pattern beside others in its rows starts at the first run that reaches into it.
    run = std::partition_point(run, end, [lo](const OpaqueRun& r) { return r.end <= lo; });
    for (; run != end && run->begin < hi; ++run) {
      const int begin = std::max(run->begin, lo);
      const int stop = std::min(run->end, hi);
      std::memcpy(dst + (begin - lo), src + (begin - lo), static_cast<size_t>(stop - begin) * 2);
    }
  }
}

}  // namespace

void FillSurface(Surface& surface, uint16_t value) {
  std::fill(surface.image().pixels.begin(), surface.image().pixels.end(), value);
  if (surface.on_changed) surface.on_changed();
}

namespace {

// Draws the rectangle `pattern_rect` of `copies` with its top left corner at (x, y).
void DrawCopies(const DisplayCopies& copies, bool keyed, const Rect& pattern_rect, Surface& dest,
                int x, int y) {
  Box s{pattern_rect.left, pattern_rect.top, pattern_rect.right, pattern_rect.bottom};
  Box d{x, y, int64_t{x} + (s.right - s.left), int64_t{y} + (s.bottom - s.top)};
  ClipPair(d, s, BoundsOf(dest.image()));
  ClipPair(s, d, BoundsOf(copies.image));
  if (d.Empty() || s.Empty()) return;

  Image565& target = dest.image();
  const int width = static_cast<int>(d.right - d.left);
  const int rows = static_cast<int>(d.bottom - d.top);
  const int sx = static_cast<int>(s.left);
  const int sy = static_cast<int>(s.top);
  const uint16_t* src = copies.image.Row(sy) + sx;
  uint16_t* dst = target.Row(static_cast<int>(d.top)) + d.left;
  if (keyed) {
    CopyKeyed(copies, sy, rows, sx, sx + width, src, copies.image.width, dst, target.width);
    return;
  }
  for (int r = 0; r < rows; ++r, src += copies.image.width, dst += target.width)
    std::memcpy(dst, src, static_cast<size_t>(width) * 2);
}

// Nearest pixel: each pixel of `rect` takes the source pixel of `s` under its centre; only the
// part of `rect` inside `target` is drawn, but the scale is always that of the whole rect.
void Stretch(const Image565& source, const Rect& s, bool keyed, uint16_t key, Image565& target,
             const Rect& rect) {
  const int64_t rw = int64_t{rect.right} - rect.left;
  const int64_t rh = int64_t{rect.bottom} - rect.top;
  const int sw = s.Width();
  const int sh = s.Height();
  const int left = std::max(rect.left, 0);
  const int right = std::min(rect.right, target.width);
  const int top = std::max(rect.top, 0);
  const int bottom = std::min(rect.bottom, target.height);
  if (left >= right || top >= bottom) return;

  // Columns are mapped once per chunk, so no allocation happens per draw.
  constexpr int kChunk = 1024;
  std::array<int32_t, kChunk> column;
  for (int chunk = left; chunk < right; chunk += kChunk) {
    const int count = std::min(kChunk, right - chunk);
    for (int i = 0; i < count; ++i) {
      const int64_t dx = chunk + i - int64_t{rect.left};
      column[i] = s.left + static_cast<int32_t>((2 * dx + 1) * sw / (2 * rw));
    }
    int previous_sy = -1;
    for (int y = top; y < bottom; ++y) {
      const int64_t dy = y - int64_t{rect.top};
      const int sy = s.top + static_cast<int>((2 * dy + 1) * sh / (2 * rh));
      const uint16_t* src = source.Row(sy);
      uint16_t* dst = target.Row(y) + chunk;
      if (keyed) {
        for (int i = 0; i < count; ++i) {
          const uint16_t v = src[column[i]];
          if (v != key) dst[i] = v;
        }
      } else if (sy == previous_sy) {
        std::memcpy(dst, target.Row(y - 1) + chunk, static_cast<size_t>(count) * 2);
      } else {
        for (int i = 0; i < count; ++i) dst[i] = src[column[i]];
      }
      previous_sy = sy;
    }
  }
}

// Stretches larger than a screen are drawn directly, never kept.
constexpr int64_t kMaxStretchedPixels = 1024 * 768;
// Enough for every size one picture is stretched to in a frame.
constexpr size_t kStretchesKept = 4;

// The stretch of `s` (pattern `pattern`) to width x height, made and kept if it is new.
StretchedCopy& StretchedFor(DisplayCopies& copies, int pattern, const Rect& s, int width,
                            int height) {
  auto& kept = copies.stretched;
  for (StretchedCopy& c : kept) {
    if (c.pattern == pattern && c.source == s && c.width == width && c.height == height) {
      // The picture's key may have changed since; the stretched pixels have not.
      if (c.copies->key != copies.key) {
        c.copies->key = copies.key;
        c.copies->runs_built = false;  // made anew, for the new key, when next drawn keyed
      }
      return c;
    }
  }
  if (kept.size() == kStretchesKept) kept.erase(kept.begin());
  StretchedCopy c;
  c.pattern = pattern;
  c.source = s;
  c.width = width;
  c.height = height;
  c.copies = std::make_unique<DisplayCopies>();
  c.copies->image = Image565(width, height);
  c.copies->patterns = PatternGrid{1, 1, width, height, width, height};
  c.copies->key = copies.key;
  Stretch(copies.image, s, false, 0, c.copies->image, Rect{0, 0, width, height});
  kept.push_back(std::move(c));
  return kept.back();
}

}  // namespace

void DrawPattern(TPictureCollectionItem& item, Surface& dest, int x, int y, int pattern) {
  Rect pattern_rect;
  if (!PatternOf(item, pattern, pattern_rect)) return;
  if (x > dest.width() || y > dest.height()) return;
  DrawCopies(ReadyDisplayCopies(item), item.Transparent, pattern_rect, dest, x, y);
}

void StretchPattern(TPictureCollectionItem& item, Surface& dest, const Rect& rect, int pattern) {
  Rect pattern_rect;
  if (!PatternOf(item, pattern, pattern_rect) || rect.Empty()) return;
  ReadyDisplayCopies(item);
  DisplayCopies& copies = *item.copies;
  // A pattern reaching past its picture is cut to it before scaling.
  const Rect s{std::max(pattern_rect.left, 0), std::max(pattern_rect.top, 0),
               std::min(pattern_rect.right, copies.image.width),
               std::min(pattern_rect.bottom, copies.image.height)};
  if (s.Empty()) return;

  const int64_t rw = int64_t{rect.right} - rect.left;
  const int64_t rh = int64_t{rect.bottom} - rect.top;
  if (rw * rh > kMaxStretchedPixels) {
    Stretch(copies.image, s, item.Transparent, copies.key, dest.image(), rect);
    return;
  }
  StretchedCopy& stretched =
      StretchedFor(copies, pattern, s, static_cast<int>(rw), static_cast<int>(rh));
  if (item.Transparent && !stretched.copies->runs_built) {
    BuildOpaqueRuns(*stretched.copies, stretched.copies->key);
  }
  DrawCopies(*stretched.copies, item.Transparent, Rect{0, 0, stretched.width, stretched.height},
             dest, rect.left, rect.top);
}

void BlendFillRect(Surface& surface, const Rect& rect, Color color, int alpha) {
  Image565& image = surface.image();
  if (image.pixels.empty() || rect.Empty()) return;
  const int left = std::max(rect.left, 0);
  const int right = std::min(rect.right, image.width);
  const int top = std::max(rect.top, 0);
  const int bottom = std::min(rect.bottom, image.height);
  if (left >= right || top >= bottom) return;

  const int a = std::clamp(alpha, 0, 255);
  const Color c = ResolveColor(color);
  const int r = RedOf(c) * a;
  const int g = GreenOf(c) * a;
  const int b = BlueOf(c) * a;
  const int rest = 255 - a;
  for (int y = top; y < bottom; ++y) {
    uint16_t* row = image.Row(y);
    for (int x = left; x < right; ++x) {
      const uint16_t p = row[x];
      row[x] = To565(static_cast<uint8_t>((r + Red565(p) * rest + 127) / 255),
                     static_cast<uint8_t>((g + Green565(p) * rest + 127) / 255),
                     static_cast<uint8_t>((b + Blue565(p) * rest + 127) / 255));
    }
  }
}

}  // namespace kv
