#include "platform/platform.h"

namespace kv {
namespace {

int ButtonKey(MouseButton button) {
  switch (button) {
    case MouseButton::kLeft:
      return vk::kLButton;
    case MouseButton::kRight:
      return vk::kRButton;
    case MouseButton::kMiddle:
      return vk::kMButton;
  }
  return vk::kLButton;
}

}  // namespace

Platform::Platform() {
  controls_.read_clipboard = [this] { return ClipboardText(); };
  controls_.write_clipboard = [this](const std::string& utf8) { SetClipboardText(utf8); };
  // The program's clock, as a recording gives it: a replayed double click stays one.
  controls_.clock = [this] { return Millis(); };
}

std::string Platform::ClipboardText() {
  if (clipboard_closed_) return {};
  std::string text = ReadClipboard();
  // A character cut in two is no character; the readers of the text drop it.
  if (text.size() > kMaxClipboardBytes) text.resize(kMaxClipboardBytes);
  return text;
}

void Platform::SetClipboardText(const std::string& utf8) {
  if (!clipboard_closed_) WriteClipboard(utf8);
}

void Platform::ApplyInput(const Event& event) {
  switch (event.type) {
    case EventType::kMouseMove:
      input_.pointer = event.pos;
      break;
    case EventType::kMouseDown:
    case EventType::kMouseUp:
      input_.pointer = event.pos;
      input_.keys[ButtonKey(event.button)] = event.type == EventType::kMouseDown;
      break;
    case EventType::kKeyDown:
    case EventType::kKeyUp:
      // The modifier states follow every key event, so a modifier whose own release was lost
      // (the window lost the focus meanwhile) does not stay held.
      input_.keys[vk::kMenu] = event.mods.alt;
      input_.keys[vk::kControl] = event.mods.ctrl;
      input_.keys[vk::kShift] = event.mods.shift;
      if (event.key > 0 && event.key < vk::kCount) {
        input_.keys[event.key] = event.type == EventType::kKeyDown;
      }
      break;
    case EventType::kActivate:
      foreground_ = true;
      break;
    case EventType::kDeactivate:
      // Releases that happen while another window has the keyboard never reach us; forget
      // what was held rather than walk on forever.
      foreground_ = false;
      input_.keys.fill(false);
      break;
    case EventType::kPadConnect:
      input_.pad = PadState{};
      input_.pad.connected = true;
      break;
    case EventType::kPadDisconnect:
      input_.pad = PadState{};
      break;
    case EventType::kPadAxis:
      if (event.key >= 0 && event.key < pad::kAxisCount) input_.pad.axes[event.key] = event.value;
      break;
    case EventType::kPadButtonDown:
    case EventType::kPadButtonUp:
      if (event.key >= 0 && event.key < pad::kMaxButtons) {
        input_.pad.buttons[event.key] = event.type == EventType::kPadButtonDown;
      }
      break;
    case EventType::kText:
    case EventType::kClose:
    case EventType::kRepaint:
      break;
  }
}

bool Platform::DrivePad(const PadCommand& command, std::string& problem) {
  problem = "no game controller can be driven here";
  return false;
}

int64_t Platform::TimeOfDay() {
  const int64_t ms = given_time_of_day_ ? *given_time_of_day_ : UtcMillisOfDay();
  if (on_time_of_day_read) on_time_of_day_read(ms);
  return ms;
}

int Platform::ShowCursor(bool show) {
  cursor_count_ += show ? 1 : -1;
  CursorVisibilityChanged(cursor_count_ >= 0);
  return cursor_count_;
}

}  // namespace kv
