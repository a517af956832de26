#include <algorithm>

#include "platform/controls.h"
#include "platform/paint.h"

namespace kv {

void ListBox::Draw(Image565& screen, FontService& fonts) const {
  constexpr int kMargin = 2;
  paint::FillRect(screen, bounds, background, bounds);
  if (row_height <= 0) return;
  int top = bounds.top;
  for (const std::string& row : rows) {
    if (top >= bounds.bottom) break;
    const Rect cell{bounds.left, top, bounds.right, std::min(top + row_height, bounds.bottom)};
    paint::Mask(screen, *fonts.Render(font, row), bounds.left + kMargin, top, font.color, cell);
    top += row_height;
  }
}

}  // namespace kv
