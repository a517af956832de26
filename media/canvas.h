#pragma once

#include <string_view>

#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/image565.h"

namespace kv {

class Surface;
class Picture;

// The text canvas of a surface: font, pen and brush, drawing text and lines into the surface.
// The font stays from one use to the next; the background mode returns to opaque (a white box
// behind each text) every time the canvas is taken up.
class TextCanvas {
 public:
  TextCanvas(Surface& surface, FontService* fonts);

  FontDesc font;  // before the first assignment: the platform's default face
  Color pen_color = 0;

  void SetFont(const FontDesc& f) { font = f; }
  void SetBackgroundTransparent() { transparent_ = true; }
  bool transparent() const { return transparent_; }

  // Text with its top-left corner at (x, y). Texts are code page 1250.
  void TextOut(int x, int y, std::string_view text);
  // One line centred horizontally at the top of r.
  void DrawTextCentered(const Rect& r, std::string_view text);
  // Broken into lines at word boundaries within r's width, from r's top; left-aligned or
  // centred.
  void DrawTextWordBreak(const Rect& r, std::string_view text, bool centred);
  // Lines with the pen, one pixel wide; the end point itself is not drawn.
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  // A picture drawn unscaled with its top-left corner at (x, y).
  void Draw(int x, int y, Picture& picture);

  // Taking up and releasing; see SurfaceCanvas() and ReleaseCanvas().
  void TakeUp();
  void Release();
  bool taken_up() const { return taken_up_; }

 private:
  Surface& surface_;
  FontService* fonts_;
  bool transparent_ = false;
  bool taken_up_ = false;
  Point pen_pos_;
};

TextCanvas& SurfaceCanvas(Surface& surface);
void ReleaseCanvas(TextCanvas& canvas);

}  // namespace kv
