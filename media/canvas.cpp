#include "media/canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "media/picture.h"
#include "media/picture_collection.h"
#include "media/surface.h"
#include "media/word_break.h"
#include "platform/paint.h"

namespace kv {

namespace {

Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

Rect BoundsOf(const Image565& image) {
  return {0, 0, image.width, image.height};
}

// A box given in 64 bits (so far-off positions cannot overflow) cut down to `clip`.
Rect ClipBox(int64_t left, int64_t top, int64_t right, int64_t bottom, const Rect& clip) {
  return {static_cast<int>(std::max<int64_t>(left, clip.left)),
          static_cast<int>(std::max<int64_t>(top, clip.top)),
          static_cast<int>(std::min<int64_t>(right, clip.right)),
          static_cast<int>(std::min<int64_t>(bottom, clip.bottom))};
}

// Writes one line of text with its cell's top-left corner at (x, y), inside `clip` (already
// within the image). The opaque box is the whole cell, as the brush paints it.
void PaintText(Image565& image, FontService& fonts, const FontDesc& font, bool opaque, int x, int y,
               std::string_view text, const Rect& clip) {
  if (text.empty() || clip.Empty()) return;
  const std::shared_ptr<const TextMask> mask = fonts.Render(font, text);
  if (!mask || mask->width <= 0 || mask->height <= 0) return;
  if (mask->alpha.size() < static_cast<size_t>(mask->width) * static_cast<size_t>(mask->height))
    return;
  const Rect cell = ClipBox(x, y, int64_t{x} + mask->width, int64_t{y} + mask->height, clip);
  if (cell.Empty()) return;

  if (opaque) paint::FillRect(image, cell, Rgb(255, 255, 255), cell);
  paint::Mask(image, *mask, x, y, ResolveColor(font.color), cell);
}

// Steps of a line along its major axis, with the minor coordinate rounded to the nearest pixel
// of the ideal line. Only the steps whose major coordinate lies on the image are visited, so a
// line from far outside costs no more than one across the image.
void PaintLine(Image565& image, int x0, int y0, int x1, int y1, uint16_t value) {
  const int64_t adx = std::llabs(int64_t{x1} - x0);
  const int64_t ady = std::llabs(int64_t{y1} - y0);
  if (adx == 0 && ady == 0) return;
  const bool x_major = adx >= ady;
  const int64_t major_len = x_major ? adx : ady;
  const int64_t minor_len = x_major ? ady : adx;
  const int64_t major0 = x_major ? x0 : y0;
  const int64_t minor0 = x_major ? y0 : x0;
  const int major_step = (x_major ? x1 >= x0 : y1 >= y0) ? 1 : -1;
  const int minor_step = (x_major ? y1 >= y0 : x1 >= x0) ? 1 : -1;
  const int64_t major_size = x_major ? image.width : image.height;
  const int64_t minor_size = x_major ? image.height : image.width;

  // The end point is excluded: steps 0 .. major_len - 1, narrowed to the image.
  int64_t first = 0;
  int64_t last = major_len;  // exclusive
  if (major_step > 0) {
    first = std::max(first, -major0);
    last = std::min(last, major_size - major0);
  } else {
    first = std::max(first, major0 - major_size + 1);
    last = std::min(last, major0 + 1);
  }
  // Lengths of lines between far-off points reach 2^32; their products need more than 64 bits.
  const bool wide = major_len >= (int64_t{1} << 30);
  for (int64_t n = first; n < last; ++n) {
    int64_t offset = 0;
    if (minor_len == 0) {
      offset = 0;
    } else if (!wide) {
      offset = (2 * n * minor_len + major_len) / (2 * major_len);
    } else {
      offset = static_cast<int64_t>((__int128{2} * n * minor_len + major_len) /
                                    (__int128{2} * major_len));
    }
    const int64_t minor = minor0 + minor_step * offset;
    if (minor < 0 || minor >= minor_size) continue;
    const int64_t major = major0 + major_step * n;
    const int px = static_cast<int>(x_major ? major : minor);
    const int py = static_cast<int>(x_major ? minor : major);
    image.Row(py)[px] = value;
  }
}

}  // namespace

TextCanvas::TextCanvas(Surface& surface, FontService* fonts) : surface_(surface), fonts_(fonts) {
  // The platform's default user-interface font until a screen assigns its own.
  font.size = 12;
}

void TextCanvas::TakeUp() {
  taken_up_ = true;
  transparent_ = false;
}

void TextCanvas::Release() {
  taken_up_ = false;
  if (surface_.on_changed) surface_.on_changed();
}

TextCanvas& SurfaceCanvas(Surface& surface) {
  TextCanvas& canvas = surface.canvas();
  canvas.TakeUp();
  return canvas;
}

void ReleaseCanvas(TextCanvas& canvas) {
  canvas.Release();
}

void TextCanvas::TextOut(int x, int y, std::string_view text) {
  if (!fonts_) return;
  Image565& image = surface_.image();
  PaintText(image, *fonts_, font, !transparent_, x, y, text, BoundsOf(image));
}

void TextCanvas::DrawTextCentered(const Rect& r, std::string_view text) {
  if (!fonts_ || text.empty()) return;
  int width = 0;
  int height = 0;
  fonts_->Measure(font, text, width, height);
  Image565& image = surface_.image();
  PaintText(image, *fonts_, font, !transparent_, r.left + (r.Width() - width) / 2, r.top, text,
            Intersect(r, BoundsOf(image)));
}

void TextCanvas::DrawTextWordBreak(const Rect& r, std::string_view text, bool centred) {
  if (!fonts_ || text.empty()) return;
  FontService& fonts = *fonts_;
  auto measure = [&](std::string_view s) {
    int width = 0;
    int height = 0;
    fonts.Measure(font, s, width, height);
    return width;
  };
  Image565& image = surface_.image();
  const Rect clip = Intersect(r, BoundsOf(image));
  const int line_height = fonts.LineHeight(font);
  int y = r.top;
  for (std::string_view line : BreakLines(text, r.Width(), measure)) {
    if (y >= clip.bottom) break;
    const int x = centred ? r.left + (r.Width() - measure(line)) / 2 : r.left;
    PaintText(image, fonts, font, !transparent_, x, y, line, clip);
    y += line_height;
  }
}

void TextCanvas::MoveTo(int x, int y) {
  pen_pos_ = {x, y};
}

void TextCanvas::LineTo(int x, int y) {
  PaintLine(surface_.image(), pen_pos_.x, pen_pos_.y, x, y, To565(ResolveColor(pen_color)));
  pen_pos_ = {x, y};
}

void TextCanvas::Draw(int x, int y, Picture& picture) {
  if (picture.empty()) return;
  const RgbImage& pixels = picture.Pixels();
  if (pixels.width <= 0 || pixels.height <= 0) return;
  if (pixels.rgb.size() / 3 / static_cast<size_t>(pixels.width) <
      static_cast<size_t>(pixels.height))
    return;
  Image565& image = surface_.image();
  const Rect d =
      ClipBox(x, y, int64_t{x} + pixels.width, int64_t{y} + pixels.height, BoundsOf(image));
  for (int py = d.top; py < d.bottom; ++py) {
    uint16_t* row = image.Row(py);
    const uint8_t* src =
        pixels.rgb.data() + (static_cast<size_t>(py - y) * pixels.width + (d.left - x)) * 3;
    for (int px = d.left; px < d.right; ++px, src += 3) row[px] = To565(src[0], src[1], src[2]);
  }
}

}  // namespace kv
