#pragma once

#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/image565.h"

// Small drawing primitives on 565 pictures: the child controls, the text canvas and the game
// view's empty cells use them. Every one clips to the picture and to a clip rectangle, so a
// control never paints outside its own window.
namespace kv::paint {

void Pixel(Image565& image, int x, int y, Color color, const Rect& clip);
void FillRect(Image565& image, const Rect& rect, Color color, const Rect& clip);
// Horizontal run x0..x1-1 on row y; vertical run y0..y1-1 on column x.
void HLine(Image565& image, int x0, int x1, int y, Color color, const Rect& clip);
void VLine(Image565& image, int x, int y0, int y1, Color color, const Rect& clip);
// Blends `color` into the picture by the mask's coverage, the mask's top-left at (x, y).
void Mask(Image565& image, const TextMask& mask, int x, int y, Color color, const Rect& clip);

}  // namespace kv::paint
