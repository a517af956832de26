#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/events.h"
#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/image565.h"

namespace kv {

// Child controls lying over the display, as child windows: each is drawn over the presented
// picture and receives the mouse over its rectangle and the keyboard while it has the focus.
// Their behaviour is the platform's own code, so it is the same on every backend.
class Control {
 public:
  virtual ~Control() = default;

  Rect bounds;  // client pixels
  bool visible = false;
  bool focused = false;  // kept by the host: the control has the keyboard (draws its caret)

  virtual void Draw(Image565& screen, FontService& fonts) const = 0;
  virtual void MouseDown(Point p, MouseButton button) {}
  // A second left press close by in place and time, after its MouseDown.
  virtual void DoubleClick(Point p) {}
  virtual void MouseMove(Point p, bool dragging) {}
  virtual void MouseUp(Point p, MouseButton button) {}
  virtual void KeyDown(int key, KeyMods mods) {}
  virtual void KeyUp(int key) {}
  virtual void TextInput(std::string_view utf8) {}
  virtual bool TakesFocus() const { return true; }

  // The clipboard's side of a control that edits text. Texts are UTF-8.
  virtual bool TakesText() const { return false; }
  // What a copy or a cut takes: the selected text, empty when nothing is selected.
  virtual std::string SelectedText() const { return {}; }
  // The part of a pasted text the control would take in place of its selection, as typed text.
  virtual std::string PasteText(std::string_view utf8) const { return {}; }
};

// A one-line text field. Text is held in code page 1250; characters the code page cannot hold
// are refused as they are typed, and the text never grows beyond max_length characters. The
// selection runs between the anchor and the caret (none when they are equal); typing and pasting
// replace it.
class EditControl : public Control {
 public:
  std::string text;    // code page 1250
  int max_length = 0;  // 0: no limit
  FontDesc font;
  Color background = 0;
  Color selection_background = Rgb(0, 0, 128);
  Color selection_color = Rgb(255, 255, 255);
  int caret = 0;
  int anchor = 0;
  std::function<void(int key)> on_key_up;

  // Replaces the text; the caret goes after it, nothing selected.
  void SetText(std::string_view cp1250_text);
  void Select(int from, int to);  // anchor at `from`, caret at `to`
  void SelectAll() { Select(0, static_cast<int>(text.size())); }
  int SelectionStart() const;
  int SelectionEnd() const;

  void Draw(Image565& screen, FontService& fonts) const override;
  void MouseDown(Point p, MouseButton button) override;
  void DoubleClick(Point p) override;
  void MouseMove(Point p, bool dragging) override;
  void KeyDown(int key, KeyMods mods) override;
  void KeyUp(int key) override;
  void TextInput(std::string_view utf8) override;
  bool TakesText() const override { return true; }
  std::string SelectedText() const override;
  std::string PasteText(std::string_view utf8) const override;

 private:
  // The code page bytes that `utf8` puts in place of the selection: up to its first line
  // break, without what the code page cannot hold or what is no text, as much as fits.
  std::string Fit(std::string_view utf8) const;
  void Clamp();
  void EraseSelection();
  // Moves the caret; the anchor follows unless the selection is being extended.
  void MoveCaret(int to, bool extend);
  int WordLeft(int from) const;
  int WordRight(int from) const;
  // The boundary nearest to x, and the character under it, as last drawn.
  int BoundaryAt(int x) const;
  int CharacterAt(int x) const;

  // Caret positions (x of each character boundary, client pixels) as last drawn, so that a
  // click can put the caret between the characters it lands on.
  mutable std::vector<int> boundaries_;
};

// A horizontal track bar with its thumb, channel, tick marks below and optional selection mark.
class TrackBar : public Control {
 public:
  int min = 0;
  int max = 10;
  int line_size = 1;
  int page_size = 2;
  int frequency = 1;       // tick spacing
  bool auto_ticks = true;  // false: ticks at the ends only
  int thumb_length = 25;
  int selection_start = -1;  // < 0: no selection mark
  int selection_end = -1;
  std::function<void()> on_change;  // every reported change of position

  int position() const { return position_; }
  // Moves the thumb (clamped to min..max); reports a change when the position differs.
  void SetPosition(int position);

  void Draw(Image565& screen, FontService& fonts) const override;
  void MouseDown(Point p, MouseButton button) override;
  void MouseMove(Point p, bool dragging) override;
  void MouseUp(Point p, MouseButton button) override;
  void KeyDown(int key, KeyMods mods) override;

  // The thumb's rectangle in client pixels; exposed for tests and drawing.
  Rect ThumbRect() const;

 private:
  int PositionAt(int x) const;
  int CentreOf(int position) const;
  int position_ = 0;
  bool dragging_ = false;
  int drag_offset_ = 0;
};

// A list box; the game keeps its rows as data and never shows it.
class ListBox : public Control {
 public:
  std::vector<std::string> rows;  // code page 1250
  FontDesc font;
  Color background = 0;
  int row_height = 16;

  void Draw(Image565& screen, FontService& fonts) const override;
  bool TakesFocus() const override { return false; }
};

// Routes mouse and keyboard input to the controls, with the focus and capture rules of child
// windows, and draws the visible ones over the screen picture.
class ControlHost {
 public:
  void Add(Control* control) { controls_.push_back(control); }
  // For an owner that goes before the host: forgets the control, its focus and its capture.
  void Remove(Control* control);

  // Each returns true when a control took the event (so the main window must not see it).
  bool MouseDown(Point p, MouseButton button);
  bool MouseMove(Point p);
  bool MouseUp(Point p, MouseButton button);
  bool KeyDown(int key, KeyMods mods);
  bool KeyUp(int key);
  bool TextInput(std::string_view utf8);

  // To be called after a control is hidden: it loses the keyboard and the capture.
  void Show(Control& control, bool visible);
  // Gives a visible control the keyboard, as a click on it would.
  void Focus(Control& control);

  Control* focus() const { return focus_; }
  Control* capture() const { return capture_; }

  // The visible screen: `front` with every visible control drawn over it.
  void Compose(const Image565& front, Image565& out, FontService& fonts) const;
  bool AnyVisible() const;
  // Grows whenever a control may look different: an event reached one, or one was shown,
  // hidden or given the keyboard. The screen needs composing again only when it moved.
  uint64_t changes() const { return changes_; }

  // The system clipboard as the controls reach it (UTF-8); unset, there is none. Ctrl+C and
  // Ctrl+X put the selection of the control with the keyboard there, Ctrl+V takes its text.
  std::function<std::string()> read_clipboard;
  std::function<void(const std::string&)> write_clipboard;
  // The clock that tells a double click from two clicks, in milliseconds; unset, no press is a
  // double click.
  std::function<uint32_t()> clock;
  // What the last Ctrl+V would type into the control with the keyboard, to be delivered as
  // typed text (so that a recording holds it as such); empty when there is nothing. Taking it
  // empties it.
  std::string TakePaste() { return std::exchange(paste_, {}); }

 private:
  Control* ControlAt(Point p) const;
  void SetFocus(Control* control);
  std::vector<Control*> controls_;
  Control* focus_ = nullptr;
  Control* capture_ = nullptr;
  bool main_capture_ = false;  // a press on the main window keeps its drag there
  MouseButton capture_button_ = MouseButton::kLeft;
  uint64_t changes_ = 0;
  std::string paste_;
  // The last left press on a control, for the double click.
  const Control* press_control_ = nullptr;
  Point press_point_;
  uint32_t press_ms_ = 0;
};

}  // namespace kv
