#include <algorithm>
#include <cstdlib>

#include "platform/controls.h"
#include "platform/cp1250.h"
#include "platform/keys.h"
#include "platform/paint.h"

namespace kv {
namespace {

constexpr int kMargin = 2;  // between the frame and the first character

}  // namespace

void EditControl::SetText(std::string_view cp1250_text) {
  if (max_length > 0 && cp1250_text.size() > static_cast<size_t>(max_length)) {
    cp1250_text = cp1250_text.substr(0, static_cast<size_t>(max_length));
  }
  text.assign(cp1250_text);
  caret = static_cast<int>(text.size());
}

void EditControl::Draw(Image565& screen, FontService& fonts) const {
  paint::FillRect(screen, bounds, background, bounds);
  const Rect inner{bounds.left + kMargin, bounds.top, bounds.right - kMargin, bounds.bottom};
  const int line_height = fonts.LineHeight(font);
  const int top = bounds.top + (bounds.Height() - line_height) / 2;

  // Layout has no kerning, so each boundary is the sum of the widths before it.
  boundaries_.assign(1, 0);
  for (char ch : text) {
    int width = 0, height = 0;
    fonts.Measure(font, std::string_view(&ch, 1), width, height);
    boundaries_.push_back(boundaries_.back() + width);
  }
  const int at = std::clamp(caret, 0, static_cast<int>(text.size()));
  // Scroll a long text so that the caret stays in view, as a one-line field does.
  const int shift = std::max(0, boundaries_[at] - (inner.Width() - 1));
  for (int& x : boundaries_) x += inner.left - shift;

  const auto mask = fonts.Render(font, text);
  paint::Mask(screen, *mask, inner.left - shift, top, font.color, inner);
  if (focused) paint::VLine(screen, boundaries_[at], top, top + line_height, font.color, bounds);
}

void EditControl::MouseDown(Point p, MouseButton button) {
  if (button != MouseButton::kLeft) return;
  if (boundaries_.size() != text.size() + 1) {
    caret = static_cast<int>(text.size());
    return;
  }
  // The nearest boundary to the click.
  int best = 0;
  for (int i = 1; i < static_cast<int>(boundaries_.size()); ++i) {
    if (std::abs(boundaries_[i] - p.x) < std::abs(boundaries_[best] - p.x)) best = i;
  }
  caret = best;
}

void EditControl::KeyDown(int key, KeyMods mods) {
  const int size = static_cast<int>(text.size());
  caret = std::clamp(caret, 0, size);
  switch (key) {
    case vk::kBack:
      if (caret > 0) text.erase(static_cast<size_t>(--caret), 1);
      break;
    case vk::kDelete:
      if (caret < size) text.erase(static_cast<size_t>(caret), 1);
      break;
    case vk::kLeft:
      caret = std::max(caret - 1, 0);
      break;
    case vk::kRight:
      caret = std::min(caret + 1, size);
      break;
    case vk::kHome:
      caret = 0;
      break;
    case vk::kEnd:
      caret = size;
      break;
    default:
      break;
  }
}

void EditControl::KeyUp(int key) {
  if (on_key_up) on_key_up(key);
}

void EditControl::TextInput(std::string_view utf8) {
  // A pasted text ends at its first line break: the field holds one line.
  const size_t line_end = utf8.find_first_of("\r\n");
  if (line_end != std::string_view::npos) utf8 = utf8.substr(0, line_end);
  caret = std::clamp(caret, 0, static_cast<int>(text.size()));
  // Characters the code page cannot hold are dropped by the conversion.
  for (char ch : cp1250::FromUtf8(utf8)) {
    const auto byte = static_cast<uint8_t>(ch);
    if (byte < 0x20 || byte == 0x7F) continue;
    if (max_length > 0 && text.size() >= static_cast<size_t>(max_length)) break;
    text.insert(static_cast<size_t>(caret), 1, ch);
    ++caret;
  }
}

}  // namespace kv
