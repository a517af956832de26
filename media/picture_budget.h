#pragma once

#include <cstdint>
#include <string>

#include "platform/error.h"

namespace kv {

// What loading pictures may cost. Run-length data of a few bytes can describe an arbitrarily
// large picture, and a JPEG header can claim one, so every limit is checked against the sizes
// the file declares, before any pixel is decoded or allocated. The display keeps 2 bytes a
// pixel for each picture, so the total bounds what all collections hold on the display. The
// game's own pictures come to a small fraction of either limit.
inline constexpr uint64_t kMaxPicturePixels = uint64_t{64} << 20;
inline constexpr uint64_t kMaxDisplayPixels = uint64_t{128} << 20;

struct PictureBudget {
  uint64_t picture_pixels = kMaxPicturePixels;  // one picture
  uint64_t total_pixels = kMaxDisplayPixels;    // all pictures of the collections of a display
};

// Raised by a payload reader whose picture declares more than kMaxPicturePixels pixels. Read on
// its own a payload fails with its kind's message; a collection names the item instead.
class PictureTooLarge : public Error {
 public:
  PictureTooLarge(const std::string& message, int64_t width, int64_t height)
      : Error(message), width_(width), height_(height) {}
  int64_t width() const { return width_; }
  int64_t height() const { return height_; }

 private:
  int64_t width_;
  int64_t height_;
};

// Throws PictureTooLarge with `message` when width x height is over kMaxPicturePixels.
inline void CheckPictureSize(int64_t width, int64_t height, const char* message) {
  if (width > 0 && height > 0 &&
      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kMaxPicturePixels) {
    throw PictureTooLarge(message, width, height);
  }
}

}  // namespace kv
