#include <cstdlib>
#include <vector>

#include "platform/controls.h"
#include "platform/keys.h"

namespace kv {
namespace {

// As the window system has them: a second press within half a second and two pixels of the
// first is a double click.
constexpr uint32_t kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 2;

}  // namespace

Control* ControlHost::ControlAt(Point p) const {
  // The last one added lies on top, as it is drawn last.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if ((*it)->visible && (*it)->bounds.Contains(p)) return *it;
  }
  return nullptr;
}

void ControlHost::Remove(Control* control) {
  ++changes_;
  std::erase(controls_, control);
  if (focus_ == control) focus_ = nullptr;
  if (capture_ == control) capture_ = nullptr;
  if (press_control_ == control) press_control_ = nullptr;
}

void ControlHost::SetFocus(Control* control) {
  if (focus_ != nullptr) focus_->focused = false;
  focus_ = control;
  if (focus_ != nullptr) focus_->focused = true;
}

bool ControlHost::MouseDown(Point p, MouseButton button) {
  ++changes_;
  // A second press of the button that holds the capture means its release never reached us
  // (it happened outside the window); without this the drag would never end.
  if (button == capture_button_) {
    capture_ = nullptr;
    main_capture_ = false;
  }
  if (capture_ != nullptr) {
    capture_->MouseDown(p, button);
    return true;
  }
  if (main_capture_) return false;
  Control* control = ControlAt(p);
  capture_button_ = button;
  if (control == nullptr) {
    main_capture_ = true;
    return false;
  }
  if (control->TakesFocus()) SetFocus(control);
  capture_ = control;
  control->MouseDown(p, button);
  if (button == MouseButton::kLeft && clock) {
    const uint32_t now = clock();
    const bool twice = press_control_ == control && now - press_ms_ <= kDoubleClickMs &&
                       std::abs(p.x - press_point_.x) <= kDoubleClickSlop &&
                       std::abs(p.y - press_point_.y) <= kDoubleClickSlop;
    // A third press starts anew, as a single click.
    press_control_ = twice ? nullptr : control;
    press_point_ = p;
    press_ms_ = now;
    if (twice) control->DoubleClick(p);
  }
  return true;
}

bool ControlHost::MouseMove(Point p) {
  ++changes_;
  if (capture_ != nullptr) {
    capture_->MouseMove(p, true);
    return true;
  }
  if (main_capture_) return false;
  Control* control = ControlAt(p);
  if (control == nullptr) return false;
  control->MouseMove(p, false);
  return true;
}

bool ControlHost::MouseUp(Point p, MouseButton button) {
  ++changes_;
  if (capture_ != nullptr) {
    Control* control = capture_;
    if (button == capture_button_) capture_ = nullptr;
    control->MouseUp(p, button);
    return true;
  }
  if (main_capture_) {
    if (button == capture_button_) main_capture_ = false;
    return false;
  }
  Control* control = ControlAt(p);
  if (control == nullptr) return false;
  control->MouseUp(p, button);
  return true;
}

bool ControlHost::KeyDown(int key, KeyMods mods) {
  ++changes_;
  if (focus_ != nullptr && !focus_->visible) SetFocus(nullptr);
  if (focus_ == nullptr) return false;
  Control* control = focus_;
  const bool clipboard_key = mods.ctrl && !mods.alt && control->TakesText();
  // The selection goes to the clipboard before a cut takes it from the text.
  if (clipboard_key && (key == vk::Letter('C') || key == vk::Letter('X')) && write_clipboard) {
    if (const std::string copied = control->SelectedText(); !copied.empty()) {
      write_clipboard(copied);
    }
  }
  control->KeyDown(key, mods);
  if (clipboard_key && key == vk::Letter('V') && read_clipboard) {
    paste_ = control->PasteText(read_clipboard());
  }
  return true;
}

bool ControlHost::KeyUp(int key) {
  ++changes_;
  if (focus_ != nullptr && !focus_->visible) SetFocus(nullptr);
  if (focus_ == nullptr) return false;
  focus_->KeyUp(key);
  return true;
}

bool ControlHost::TextInput(std::string_view utf8) {
  ++changes_;
  if (focus_ != nullptr && !focus_->visible) SetFocus(nullptr);
  if (focus_ == nullptr) return false;
  focus_->TextInput(utf8);
  return true;
}

void ControlHost::Show(Control& control, bool visible) {
  ++changes_;
  control.visible = visible;
  if (visible) return;
  if (focus_ == &control) SetFocus(nullptr);
  if (capture_ == &control) capture_ = nullptr;
}

void ControlHost::Focus(Control& control) {
  ++changes_;
  if (control.visible && control.TakesFocus()) SetFocus(&control);
}

void ControlHost::Compose(const Image565& front, Image565& out, FontService& fonts) const {
  out = front;
  for (const Control* control : controls_) {
    if (control->visible) control->Draw(out, fonts);
  }
}

bool ControlHost::AnyVisible() const {
  for (const Control* control : controls_) {
    if (control->visible) return true;
  }
  return false;
}

}  // namespace kv
