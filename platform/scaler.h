#pragma once

#include <cstdint>
#include <vector>

#include "platform/image565.h"

namespace kv {

enum class ScaleFilter { kNearest, kLinear };

// Scales a 565 picture into a rectangle of a 32-bit XRGB destination (a window's own pixels),
// so that no graphics driver is needed to show the game. Linear filtering samples at pixel
// centres, as a graphics card does; a flat area stays exactly its colour.
class Scaler {
 public:
  // The tables for one size of picture and of rectangle; cheap to call when nothing changed.
  void Prepare(int source_width, int source_height, int width, int height, ScaleFilter filter);

  // Writes the rectangle's pixels: row y of it starts at `dest + y * pitch` (pitch in pixels).
  // The picture must have the size given to Prepare.
  void Scale(const Image565& picture, uint32_t* dest, int pitch);

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  struct Tap {
    int first = 0;        // source column or row
    int second = 0;       // the neighbour it blends with
    uint16_t weight = 0;  // of the second, 0..255
  };
  static std::vector<Tap> Taps(int source, int target, ScaleFilter filter);
  const uint32_t* StretchedRow(const Image565& picture, int source_row, int slot);

  int source_width_ = 0, source_height_ = 0, width_ = 0, height_ = 0;
  ScaleFilter filter_ = ScaleFilter::kLinear;
  std::vector<Tap> columns_;
  std::vector<Tap> rows_;
  std::vector<uint16_t> column_weights_;  // each column's weight, once for each channel
  std::vector<uint32_t> source_xrgb_;     // one source row, expanded
  std::vector<uint32_t> lefts_, rights_;  // the two source pixels of each target column
  std::vector<uint32_t> stretched_[2];    // source rows stretched to the width
  int stretched_row_[2] = {-1, -1};
};

}  // namespace kv
