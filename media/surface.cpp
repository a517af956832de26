#include "media/surface.h"

#include <algorithm>

#include "media/canvas.h"

namespace kv {

// A surface always has at least one pixel, so drawing code never meets an empty image.
Surface::Surface(int width, int height, FontService* fonts)
    : image_(std::max(width, 1), std::max(height, 1)), fonts_(fonts) {}

Surface::~Surface() = default;

TextCanvas& Surface::canvas() {
  if (!canvas_) canvas_ = std::make_unique<TextCanvas>(*this, fonts_);
  return *canvas_;
}

}  // namespace kv
