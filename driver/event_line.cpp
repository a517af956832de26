#include "driver/event_line.h"

#include "platform/pad.h"

#include "driver/printable.h"
#include "driver/script_line.h"

namespace kv {
namespace {

std::string ButtonName(MouseButton button) {
  switch (button) {
    case MouseButton::kLeft:
      return "left";
    case MouseButton::kRight:
      return "right";
    case MouseButton::kMiddle:
      return "middle";
  }
  return "left";
}

}  // namespace

std::string EventLine(const Event& event) {
  switch (event.type) {
    case EventType::kMouseMove:
      return "move " + std::to_string(event.pos.x) + " " + std::to_string(event.pos.y);
    case EventType::kMouseDown:
      return "down " + ButtonName(event.button);
    case EventType::kMouseUp:
      return "up " + ButtonName(event.button);
    case EventType::kKeyDown:
    case EventType::kKeyUp: {
      const auto name = ScriptKeyName(ScriptKey{event.key, event.mods});
      // Every key the platforms deliver has a name; one without would leave the replay a key
      // short, which its next check shows.
      if (!name) return "# a key without a name: " + std::to_string(event.key);
      return (event.type == EventType::kKeyDown ? "keydown " : "keyup ") + *name;
    }
    case EventType::kText: {
      // The name field holds one line and takes a pasted text up to its first line break; the
      // rest can reach nothing, and a line cannot hold it. Nor can control characters other
      // than the tab reach anything.
      std::string text;
      for (char ch : std::string_view(event.text).substr(0, event.text.find_first_of("\r\n"))) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte >= 0x20 && byte != 0x7F) || ch == '\t') text.push_back(ch);
      }
      if (text.empty()) return {};
      // Every platform types UTF-8; anything else would leave the replay a line it refuses.
      if (!IsUtf8(text)) return "# typed text that is not UTF-8";
      return TextLine(text);
    }
    case EventType::kActivate:
      return "activate";
    case EventType::kDeactivate:
      return "deactivate";
    case EventType::kClose:
    case EventType::kRepaint:
      return {};
    case EventType::kPadConnect:
      return "pad connect";
    case EventType::kPadDisconnect:
      return "pad disconnect";
    case EventType::kPadAxis: {
      const auto name = pad::AxisName(event.key);
      // The triggers have no script name; nothing the game reads follows them.
      if (!name) return {};
      return "pad axis " + std::string(*name) + " " + std::to_string(event.value);
    }
    case EventType::kPadButtonDown:
    case EventType::kPadButtonUp: {
      const auto name = pad::ButtonName(event.key);
      if (!name) return {};
      return "pad button " + std::string(*name) +
             (event.type == EventType::kPadButtonDown ? " down" : " up");
    }
  }
  return {};
}

}  // namespace kv
