#pragma once

#include <string>

#include "platform/geometry.h"

namespace kv {

enum class MouseButton { kLeft, kRight, kMiddle };

struct KeyMods {
  bool alt = false;
  bool ctrl = false;
  bool shift = false;
};

enum class EventType {
  kMouseMove,
  kMouseDown,
  kMouseUp,
  kKeyDown,  // key: virtual-key code
  kKeyUp,
  kText,      // text: UTF-8 typed text
  kActivate,  // the application became the active one
  kDeactivate,
  kClose,          // the window manager asks the window to close
  kRepaint,        // the window was uncovered
  kPadConnect,     // a game controller came (or the one in use went and another took over)
  kPadDisconnect,  // the game controller in use went
  kPadAxis,        // key: the axis (pad::kLeftX ...), value: its new position
  kPadButtonDown,  // key: the button (pad::kA ...)
  kPadButtonUp,
};

// One input or window event. Mouse events carry the position in display pixels; handlers
// nevertheless read the pointer from the platform when they run.
struct Event {
  EventType type = EventType::kMouseMove;
  Point pos;
  MouseButton button = MouseButton::kLeft;
  int key = 0;
  KeyMods mods;
  std::string text;
  int value = 0;
};

}  // namespace kv
