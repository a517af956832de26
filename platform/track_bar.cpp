#include <algorithm>
#include <cstdint>

#include "platform/controls.h"
#include "platform/keys.h"
#include "platform/paint.h"

namespace kv {
namespace {

// The classic desktop look: button-face grey with white and black bevels.
constexpr Color kFace = Rgb(192, 192, 192);
constexpr Color kShadow = Rgb(128, 128, 128);
constexpr Color kDarkShadow = Rgb(0, 0, 0);
constexpr Color kHighlight = Rgb(255, 255, 255);
constexpr Color kLight = Rgb(223, 223, 223);
constexpr Color kSelection = Rgb(0, 0, 128);

constexpr int kSideMargin = 8;   // between the control's edge and the channel's end
constexpr int kThumbWidth = 11;  // odd, so the point has a middle column
constexpr int kThumbHalf = kThumbWidth / 2;
constexpr int kThumbTop = 4;
constexpr int kChannelHeight = 4;
constexpr int kTickGap = 2;
constexpr int kTickLength = 3;
constexpr int kMaxTicks = 4096;

// A position moved by a step, saturating instead of overflowing on silly step sizes.
int Moved(int position, int64_t step) {
  return static_cast<int>(
      std::clamp<int64_t>(static_cast<int64_t>(position) + step, INT32_MIN, INT32_MAX));
}

int ThumbHeight(int thumb_length) {
  return std::max(thumb_length - 4, kThumbWidth);
}
// Rows of the plate above its point.
int BodyHeight(int thumb_length) {
  return ThumbHeight(thumb_length) - (kThumbHalf + 1);
}

}  // namespace

void TrackBar::SetPosition(int position) {
  position = std::clamp(position, min, std::max(min, max));
  if (position == position_) return;
  position_ = position;
  if (on_change) on_change();
}

// The thumb's centre runs from one end of the channel to the other, inset by half a thumb.
int TrackBar::CentreOf(int position) const {
  const int x0 = bounds.left + kSideMargin + kThumbHalf;
  const int x1 = bounds.right - kSideMargin - kThumbHalf - 1;
  const int64_t range = static_cast<int64_t>(std::max(min, max)) - min;
  if (range <= 0 || x1 <= x0) return x0;
  const int64_t offset = std::clamp<int64_t>(static_cast<int64_t>(position) - min, 0, range);
  return x0 + static_cast<int>((offset * (x1 - x0) * 2 + range) / (range * 2));
}

int TrackBar::PositionAt(int x) const {
  const int x0 = bounds.left + kSideMargin + kThumbHalf;
  const int x1 = bounds.right - kSideMargin - kThumbHalf - 1;
  const int64_t range = static_cast<int64_t>(std::max(min, max)) - min;
  if (range <= 0 || x1 <= x0) return min;
  const int64_t span = x1 - x0;
  const int64_t offset = std::clamp(x, x0, x1) - x0;
  return min + static_cast<int>((offset * range * 2 + span) / (span * 2));
}

Rect TrackBar::ThumbRect() const {
  const int centre = CentreOf(position_);
  const int top = bounds.top + kThumbTop;
  return {centre - kThumbHalf, top, centre + kThumbHalf + 1, top + ThumbHeight(thumb_length)};
}

void TrackBar::Draw(Image565& screen, FontService& fonts) const {
  const Rect& clip = bounds;
  paint::FillRect(screen, bounds, kFace, clip);

  // The channel: a sunken groove centred on the plate of the thumb.
  const int body = BodyHeight(thumb_length);
  const int cy = bounds.top + kThumbTop + (body - kChannelHeight) / 2;
  const int cl = bounds.left + kSideMargin;
  const int cr = bounds.right - kSideMargin;
  paint::HLine(screen, cl, cr, cy, kShadow, clip);
  paint::HLine(screen, cl + 1, cr - 1, cy + 1, kDarkShadow, clip);
  paint::HLine(screen, cl + 1, cr - 1, cy + 2, kLight, clip);
  paint::HLine(screen, cl, cr, cy + 3, kHighlight, clip);
  paint::VLine(screen, cl, cy, cy + 3, kShadow, clip);
  paint::VLine(screen, cr - 1, cy, cy + 4, kHighlight, clip);

  if (selection_start >= 0 && selection_end >= 0) {
    const int a = CentreOf(std::min(selection_start, selection_end));
    const int b = CentreOf(std::max(selection_start, selection_end));
    paint::FillRect(screen, {a - 1, cy + 1, b + 2, cy + 3}, kSelection, clip);
  }

  // Ticks below the thumb; the two ends always have one, and they are a pixel longer.
  const int tick_top = bounds.top + kThumbTop + ThumbHeight(thumb_length) + kTickGap;
  const int hi = std::max(min, max);
  paint::VLine(screen, CentreOf(min), tick_top, tick_top + kTickLength + 1, kDarkShadow, clip);
  paint::VLine(screen, CentreOf(hi), tick_top, tick_top + kTickLength + 1, kDarkShadow, clip);
  if (auto_ticks && frequency > 0) {
    int count = 0;
    for (int64_t p = static_cast<int64_t>(min) + frequency; p < hi && count < kMaxTicks;
         p += frequency, ++count) {
      paint::VLine(screen, CentreOf(static_cast<int>(p)), tick_top, tick_top + kTickLength,
                   kDarkShadow, clip);
    }
  }

  // The thumb: a raised plate whose lower end points down at the ticks.
  const Rect t = ThumbRect();
  const int cx = t.left + kThumbHalf;
  paint::FillRect(screen, {t.left, t.top, t.right, t.top + body}, kFace, clip);
  for (int k = 0; k <= kThumbHalf; ++k) {
    paint::HLine(screen, t.left + k, t.right - k, t.top + body + k, kFace, clip);
  }
  paint::HLine(screen, t.left, t.right - 1, t.top, kHighlight, clip);
  paint::VLine(screen, t.left, t.top, t.top + body, kHighlight, clip);
  paint::VLine(screen, t.right - 1, t.top, t.top + body, kDarkShadow, clip);
  paint::VLine(screen, t.right - 2, t.top + 1, t.top + body, kShadow, clip);
  for (int k = 0; k <= kThumbHalf; ++k) {
    const int y = t.top + body + k;
    paint::Pixel(screen, t.left + k, y, kHighlight, clip);
    paint::Pixel(screen, cx + kThumbHalf - k, y, kDarkShadow, clip);
    if (k < kThumbHalf) paint::Pixel(screen, cx + kThumbHalf - k - 1, y, kShadow, clip);
  }

  if (focused) {
    // A dotted frame says the bar has the keyboard.
    for (int x = bounds.left; x < bounds.right; x += 2) {
      paint::Pixel(screen, x, bounds.top, kDarkShadow, clip);
      paint::Pixel(screen, x, bounds.bottom - 1, kDarkShadow, clip);
    }
    for (int y = bounds.top; y < bounds.bottom; y += 2) {
      paint::Pixel(screen, bounds.left, y, kDarkShadow, clip);
      paint::Pixel(screen, bounds.right - 1, y, kDarkShadow, clip);
    }
  }
}

void TrackBar::MouseDown(Point p, MouseButton button) {
  if (button != MouseButton::kLeft) return;
  const Rect thumb = ThumbRect();
  if (thumb.Contains(p)) {
    dragging_ = true;
    drag_offset_ = p.x - CentreOf(position_);
  } else if (p.x < thumb.left) {
    SetPosition(Moved(position_, -int64_t{page_size}));
  } else if (p.x >= thumb.right) {
    SetPosition(Moved(position_, page_size));
  }
}

void TrackBar::MouseMove(Point p, bool dragging) {
  if (!dragging) dragging_ = false;  // the release went elsewhere
  if (dragging_) SetPosition(PositionAt(p.x - drag_offset_));
}

void TrackBar::MouseUp(Point p, MouseButton button) {
  if (button == MouseButton::kLeft) dragging_ = false;
}

void TrackBar::KeyDown(int key, KeyMods mods) {
  switch (key) {
    case vk::kLeft:
    case vk::kUp:
      SetPosition(Moved(position_, -int64_t{line_size}));
      break;
    case vk::kRight:
    case vk::kDown:
      SetPosition(Moved(position_, line_size));
      break;
    case vk::kPrior:
      SetPosition(Moved(position_, -int64_t{page_size}));
      break;
    case vk::kNext:
      SetPosition(Moved(position_, page_size));
      break;
    case vk::kHome:
      SetPosition(min);
      break;
    case vk::kEnd:
      SetPosition(max);
      break;
    default:
      break;
  }
}

}  // namespace kv
