#pragma once

// The bodies of the collection harnesses, shared with the regression test that replays the
// corpus under the normal compiler. Each uses whatever the loader left behind the way the game
// would, and traps on anything the game could not rely on.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "media/display_copies.h"
#include "media/dxdraw.h"
#include "media/image_list.h"
#include "media/input_stream.h"
#include "media/picture_collection.h"
#include "media/surface.h"
#include "media/wave_collection.h"
#include "platform/error.h"
#include "platform/mixer.h"

namespace kv::fuzz {

// What one input may ask for. The real budgets allow pictures that take a second to decode;
// these keep every input to well under a millisecond of decoding while leaving room for every
// code path (many rows, patterns and runs). The budget code itself is the same.
inline PictureBudget FuzzBudget() {
  return PictureBudget{.picture_pixels = uint64_t{1} << 12, .total_pixels = uint64_t{1} << 14};
}

// The input handed out in pieces, as a file is read, so that the stream's refills are fuzzed
// too. The piece size varies with the input.
class PieceSource final : public ByteSource {
 public:
  PieceSource(const uint8_t* data, size_t size) : data_(data), size_(size), piece_(1 + size % 61) {}
  size_t Read(uint8_t* into, size_t n) override {
    const size_t count = std::min({n, piece_, size_ - at_});
    std::copy_n(data_ + at_, count, into);
    at_ += count;
    return count;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t piece_;
  size_t at_ = 0;
};

// Loads from memory, or through a source that hands the input out in pieces.
inline void LoadImages(TPictureCollection& images, const uint8_t* data, size_t size,
                       bool in_pieces) {
  images.budget = FuzzBudget();
  try {
    if (in_pieces) {
      PieceSource source(data, size);
      InputStream in(source, size);
      images.LoadCollectionStream(in);
    } else {
      images.LoadCollectionStream(std::span<const uint8_t>(data, size));
    }
  } catch (const Error&) {
    // Items read before the failure stay and must be as usable as any others.
  }
  if (images.DeclaredPixels() > images.budget.total_pixels) __builtin_trap();
}

// Loads an image collection, then uses its items: pattern grids, sizes, decoded pixels and the
// colour table.
inline void FuzzImageCollection(const uint8_t* data, size_t size) {
  TPictureCollection images;
  LoadImages(images, data, size, true);
  for (int i = 0; i < images.Count(); ++i) {
    TPictureCollectionItem& item = images.Items(i);
    Picture& picture = item.picture();
    const int width = picture.width();
    const int height = picture.height();
    const PatternGrid grid = item.Patterns();
    if (grid.count < 0 || (picture.empty() && grid.count != 0)) __builtin_trap();
    // Patterns never outnumber the pixels, so this loop is bounded by the budget.
    for (int k = 0; k < grid.count; ++k) {
      const Rect r = grid.At(k);
      if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height || r.Empty()) {
        __builtin_trap();
      }
    }
    try {
      const RgbImage& pixels = picture.Pixels();
      if (pixels.rgb.size() < static_cast<size_t>(pixels.width) * pixels.height * 3) {
        __builtin_trap();
      }
    } catch (const Error&) {
    }
  }
  images.BuildColorTable();
}

// Loads an image collection, builds every item's display copies and draws some of their
// patterns, keyed and not, unscaled and stretched, before and after a change of key colour.
inline void FuzzDisplayCopies(const uint8_t* data, size_t size) {
  TPictureCollection images;
  LoadImages(images, data, size, false);
  Surface target(48, 40, nullptr);
  for (int i = 0; i < images.Count(); ++i) {
    TPictureCollectionItem& item = images.Items(i);
    try {
      BuildDisplayCopies(item);
    } catch (const Error&) {
      continue;  // a JPEG that fails to decode has no copies
    }
    if (!item.copies) continue;
    const DisplayCopies& copies = *item.copies;
    const size_t pixels = copies.image.pixels.size();
    if (pixels != size_t(item.picture().width()) * size_t(item.picture().height())) {
      __builtin_trap();
    }
    // At most 4 bytes a pixel, whatever the picture's shape and grid.
    if (copies.Bytes() > 4 * pixels + 4096) __builtin_trap();
    const int count = copies.patterns.count;
    for (int pass = 0; pass < 2; ++pass) {
      item.Transparent = pass == 0;
      for (int k : {0, count / 2, count - 1, count}) {
        DrawPattern(item, target, -3, 5, k);
        DrawPattern(item, target, 20, -7, k);
        StretchPattern(item, target, Rect{-5, 3, 30, 37}, k);
      }
      item.SetTransparentColor(item.TransparentColor ^ 0x00FFFFFF);
    }
  }
}

// Loads a sound collection on a working (silent) device, then plays every item and mixes a
// little, so odd formats reach the mixer too.
inline void FuzzWaveCollection(const uint8_t* data, size_t size) {
  Mixer mixer;
  SoundDevice device;
  device.mixer = &mixer;
  device.sleep = [](uint32_t) {};
  TWaveCollection waves;
  waves.Attach(&device);
  try {
    PieceSource source(data, size);
    InputStream in(source, size);
    waves.LoadCollectionStream(in);
  } catch (const Error&) {
  }
  for (int i = 0; i < waves.Count(); ++i) {
    try {
      waves.Items(i).PlayItem(false);
    } catch (const Error&) {
    }
  }
  std::vector<int16_t> out(2 * 512);
  mixer.Mix(out.data(), 512);
  waves.Attach(nullptr);
}

}  // namespace kv::fuzz
