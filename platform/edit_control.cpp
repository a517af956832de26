#include <algorithm>
#include <cstdlib>

#include "platform/controls.h"
#include "platform/cp1250.h"
#include "platform/keys.h"
#include "platform/paint.h"

namespace kv {
namespace {

constexpr int kMargin = 2;  // between the frame and the first character

// Letters (every cased letter of the code page, and ß, which has no capital), digits and the
// underscore make words; blanks and punctuation lie between them.
bool IsWordByte(char ch) {
  const auto byte = static_cast<uint8_t>(ch);
  return (byte >= '0' && byte <= '9') || byte == '_' || byte == 0xDF ||
         cp1250::ToLower(byte) != cp1250::ToUpper(byte);
}

}  // namespace

void EditControl::SetText(std::string_view cp1250_text) {
  if (max_length > 0 && cp1250_text.size() > static_cast<size_t>(max_length)) {
    cp1250_text = cp1250_text.substr(0, static_cast<size_t>(max_length));
  }
  text.assign(cp1250_text);
  caret = anchor = static_cast<int>(text.size());
}

void EditControl::Select(int from, int to) {
  anchor = from;
  caret = to;
  Clamp();
}

int EditControl::SelectionStart() const {
  const int size = static_cast<int>(text.size());
  return std::clamp(std::min(anchor, caret), 0, size);
}

int EditControl::SelectionEnd() const {
  const int size = static_cast<int>(text.size());
  return std::clamp(std::max(anchor, caret), 0, size);
}

void EditControl::Clamp() {
  // Either may have been set from outside.
  const int size = static_cast<int>(text.size());
  caret = std::clamp(caret, 0, size);
  anchor = std::clamp(anchor, 0, size);
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
  if (!focused) return;
  const int start = SelectionStart();
  const int end = SelectionEnd();
  if (start < end) {
    // The band spans the whole field's height: a descender must not hang out of it.
    const Rect band{std::max(boundaries_[start], inner.left), bounds.top,
                    std::min(boundaries_[end], inner.right), bounds.bottom};
    paint::FillRect(screen, band, selection_background, band);
    paint::Mask(screen, *mask, inner.left - shift, top, selection_color, band);
  }
  paint::VLine(screen, boundaries_[at], top, top + line_height, font.color, bounds);
}

int EditControl::BoundaryAt(int x) const {
  if (boundaries_.size() != text.size() + 1) return static_cast<int>(text.size());
  int best = 0;
  for (int i = 1; i < static_cast<int>(boundaries_.size()); ++i) {
    if (std::abs(boundaries_[i] - x) < std::abs(boundaries_[best] - x)) best = i;
  }
  return best;
}

int EditControl::CharacterAt(int x) const {
  const int size = static_cast<int>(text.size());
  if (boundaries_.size() != text.size() + 1) return size - 1;
  int index = 0;
  while (index + 1 < size && boundaries_[static_cast<size_t>(index) + 1] <= x) ++index;
  return index;
}

void EditControl::MouseDown(Point p, MouseButton button) {
  if (button != MouseButton::kLeft) return;
  caret = anchor = BoundaryAt(p.x);
}

void EditControl::DoubleClick(Point p) {
  Clamp();
  const int size = static_cast<int>(text.size());
  if (size == 0) return;
  // The word under the pointer, or the run of blanks and marks between two words.
  const int at = CharacterAt(p.x);
  const bool word = IsWordByte(text[static_cast<size_t>(at)]);
  int from = at;
  int to = at + 1;
  while (from > 0 && IsWordByte(text[static_cast<size_t>(from) - 1]) == word) --from;
  while (to < size && IsWordByte(text[static_cast<size_t>(to)]) == word) ++to;
  Select(from, to);
}

void EditControl::MouseMove(Point p, bool dragging) {
  // A drag that began with a press in the field selects from there.
  if (dragging) caret = BoundaryAt(p.x);
}

int EditControl::WordLeft(int from) const {
  while (from > 0 && !IsWordByte(text[static_cast<size_t>(from) - 1])) --from;
  while (from > 0 && IsWordByte(text[static_cast<size_t>(from) - 1])) --from;
  return from;
}

int EditControl::WordRight(int from) const {
  const int size = static_cast<int>(text.size());
  while (from < size && IsWordByte(text[static_cast<size_t>(from)])) ++from;
  while (from < size && !IsWordByte(text[static_cast<size_t>(from)])) ++from;
  return from;
}

void EditControl::MoveCaret(int to, bool extend) {
  caret = to;
  if (!extend) anchor = caret;
}

void EditControl::EraseSelection() {
  const int start = SelectionStart();
  text.erase(static_cast<size_t>(start), static_cast<size_t>(SelectionEnd() - start));
  caret = anchor = start;
}

void EditControl::KeyDown(int key, KeyMods mods) {
  Clamp();
  const int size = static_cast<int>(text.size());
  const bool selected = caret != anchor;
  const bool word = mods.ctrl;
  switch (key) {
    case vk::kBack:
    case vk::kDelete:
      if (!selected) {
        const bool back = key == vk::kBack;
        anchor = back ? (word ? WordLeft(caret) : std::max(caret - 1, 0))
                      : (word ? WordRight(caret) : std::min(caret + 1, size));
      }
      EraseSelection();
      break;
    case vk::kLeft:
      if (selected && !mods.shift && !word) {
        MoveCaret(SelectionStart(), false);  // a selection collapses to its near end
      } else {
        MoveCaret(word ? WordLeft(caret) : std::max(caret - 1, 0), mods.shift);
      }
      break;
    case vk::kRight:
      if (selected && !mods.shift && !word) {
        MoveCaret(SelectionEnd(), false);
      } else {
        MoveCaret(word ? WordRight(caret) : std::min(caret + 1, size), mods.shift);
      }
      break;
    case vk::kHome:
      MoveCaret(0, mods.shift);
      break;
    case vk::kEnd:
      MoveCaret(size, mods.shift);
      break;
    default:
      if (!mods.ctrl || mods.alt) break;
      if (key == vk::Letter('A')) SelectAll();
      // The host has taken the selection to the clipboard before the cut removes it.
      if (key == vk::Letter('X')) EraseSelection();
      break;
  }
}

void EditControl::KeyUp(int key) {
  if (on_key_up) on_key_up(key);
}

std::string EditControl::Fit(std::string_view utf8) const {
  // A pasted text ends at its first line break: the field holds one line.
  const size_t line_end = utf8.find_first_of("\r\n");
  if (line_end != std::string_view::npos) utf8 = utf8.substr(0, line_end);
  const size_t kept = text.size() - static_cast<size_t>(SelectionEnd() - SelectionStart());
  const size_t room = max_length > 0
                          ? static_cast<size_t>(max_length) - std::min<size_t>(kept, max_length)
                          : std::string::npos;
  std::string fit;
  // Characters the code page cannot hold are dropped by the conversion.
  for (char ch : cp1250::FromUtf8(utf8)) {
    const auto byte = static_cast<uint8_t>(ch);
    if (byte < 0x20 || byte == 0x7F) continue;
    if (fit.size() >= room) break;
    fit.push_back(ch);
  }
  return fit;
}

void EditControl::TextInput(std::string_view utf8) {
  Clamp();
  const std::string fit = Fit(utf8);
  // Text that brings nothing the field can hold leaves the selection standing.
  if (fit.empty()) return;
  EraseSelection();
  text.insert(static_cast<size_t>(caret), fit);
  caret = anchor = caret + static_cast<int>(fit.size());
}

std::string EditControl::SelectedText() const {
  const int start = SelectionStart();
  return cp1250::ToUtf8(std::string_view(text).substr(static_cast<size_t>(start),
                                                      static_cast<size_t>(SelectionEnd() - start)));
}

std::string EditControl::PasteText(std::string_view utf8) const {
  return cp1250::ToUtf8(Fit(utf8));
}

}  // namespace kv
