#pragma once

#include <functional>
#include <memory>

#include "platform/image565.h"

namespace kv {

class TextCanvas;
class FontService;

// A drawing surface: the program's own 16-bit RGB565 pixels plus the text canvas that stays
// with it from one use to the next.
class Surface {
 public:
  Surface(int width, int height, FontService* fonts);
  ~Surface();

  int width() const { return image_.width; }
  int height() const { return image_.height; }
  Image565& image() { return image_; }
  const Image565& image() const { return image_; }

  // The canvas, created on first use. Use SurfaceCanvas()/ReleaseCanvas() to take it up.
  TextCanvas& canvas();

  // Called after a fill or a canvas release: the front surface shows such changes at once.
  std::function<void()> on_changed;

 private:
  Image565 image_;
  FontService* fonts_;
  std::unique_ptr<TextCanvas> canvas_;
};

}  // namespace kv
