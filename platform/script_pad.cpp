#include "platform/script_pad.h"

namespace kv {

void ScriptPad::Queue(EventType type, int key, int value) {
  Event event;
  event.type = type;
  event.key = key;
  event.value = value;
  pending_.push_back(event);
}

bool ScriptPad::Drive(const PadCommand& command, std::string& problem) {
  using Kind = PadCommand::Kind;
  if (command.kind == Kind::kConnect) {
    if (state_.connected) return problem = "a game controller is plugged in already", false;
    state_ = PadState{};
    state_.connected = true;
    Queue(EventType::kPadConnect, 0, 0);
    return true;
  }
  if (!state_.connected) return problem = "no game controller is plugged in", false;
  switch (command.kind) {
    case Kind::kConnect:
      break;
    case Kind::kDisconnect:
      state_ = PadState{};
      Queue(EventType::kPadDisconnect, 0, 0);
      break;
    case Kind::kAxis:
      if (command.index < 0 || command.index >= pad::kAxisCount) {
        return problem = "no such axis", false;
      }
      if (state_.axes[command.index] != command.value) {
        state_.axes[command.index] = command.value;
        Queue(EventType::kPadAxis, command.index, command.value);
      }
      break;
    case Kind::kButton: {
      if (command.index < 0 || command.index >= pad::kButtonCount) {
        return problem = "no such button", false;
      }
      const bool down = command.value != 0;
      if (state_.buttons[command.index] != down) {
        state_.buttons[command.index] = down;
        Queue(down ? EventType::kPadButtonDown : EventType::kPadButtonUp, command.index, 0);
      }
      break;
    }
  }
  return true;
}

bool ScriptPad::Next(Event& event) {
  if (pending_.empty()) return false;
  event = std::move(pending_.front());
  pending_.pop_front();
  return true;
}

}  // namespace kv
