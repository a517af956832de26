// The game controller as the application uses it beyond polling: A as the left mouse button,
// the right stick moving the pointer.
#include <algorithm>

#include "app/application.h"
#include "platform/platform.h"

namespace kv {
namespace {

constexpr Rect kDisplayRect{0, 0, 800, 600};

}  // namespace

void Application::AfterPadEvent(const Event& event) {
  switch (event.type) {
    case EventType::kPadButtonDown:
    case EventType::kPadButtonUp:
      if (event.key == pad::kA) PadClick(event.type == EventType::kPadButtonDown);
      break;
    case EventType::kPadAxis:
      // The pointer's glide starts (or ends) with the stick, not with the next pass of the loop.
      MovePadPointer();
      break;
    case EventType::kPadDisconnect:
      PadGone();
      break;
    default:
      break;
  }
}

void Application::PadClick(bool down) {
  // A press while another window is active belongs to that window, and so does its release.
  if (down == pad_click_held_ || (down && !active_)) return;
  pad_click_held_ = down;
  // A recording holds the press and the release as lines of their own.
  if (replaying_) return;
  Event mouse;
  mouse.type = down ? EventType::kMouseDown : EventType::kMouseUp;
  mouse.pos = platform_.PointerPosition();
  mouse.button = MouseButton::kLeft;
  platform_.ApplyInput(mouse);
  Dispatch(mouse);
}

void Application::PadGone() {
  // A controller pulled out with A held clicks nothing: the press is forgotten, as a window
  // forgets what was held when it loses the focus.
  MovePadPointer();
  if (!pad_click_held_) return;
  pad_click_held_ = false;
  display_captured_ = false;
  Event release;
  release.type = EventType::kMouseUp;
  release.pos = platform_.PointerPosition();
  release.button = MouseButton::kLeft;
  platform_.ApplyInput(release);
}

bool Application::PadPointerPushed() const {
  const PadState& pad = platform_.pad();
  return active_ && !replaying_ && pad.connected &&
         PadPointer::Pushed(pad.axes[pad::kRightX], pad.axes[pad::kRightY]);
}

void Application::MovePadPointer() {
  // A recording holds the moves the stick made as lines of their own.
  if (ended_ || replaying_) return;
  const PadState& pad = platform_.pad();
  const bool pushed = PadPointerPushed();
  const Point moved = pad_pointer_.Step(pushed ? pad.axes[pad::kRightX] : 0,
                                        pushed ? pad.axes[pad::kRightY] : 0, platform_.Micros());
  if (moved == Point{}) return;
  const Point from = platform_.PointerPosition();
  const Point to{std::clamp(from.x + moved.x, kDisplayRect.left, kDisplayRect.right - 1),
                 std::clamp(from.y + moved.y, kDisplayRect.top, kDisplayRect.bottom - 1)};
  if (to == from) return;
  platform_.MovePointer(to);
  Event move;
  move.type = EventType::kMouseMove;
  move.pos = to;
  platform_.ApplyInput(move);
  Dispatch(move);
}

}  // namespace kv
