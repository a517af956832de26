#include "media/dxinput.h"

#include "platform/platform.h"

namespace kv {

TDXInput::TDXInput(Platform& platform) : platform_(platform) {}

InputStates TDXInput::ReadKeyboard() const {
  InputStates held;
  if (ActiveOnly && !platform_.foreground()) return held;
  for (int state = 0; state < kInputStateCount; ++state) {
    for (int key : KeyboardAssigns[state]) {
      if (key != 0 && platform_.KeyIsDown(key)) held.set(state);
    }
  }
  return held;
}

void TDXInput::PollInput() {
  InputStates polled;
  // No joystick is read: a keyboard alone gives the same game.
  if (KeyboardEnabled && KeyboardBindInputStates) polled |= ReadKeyboard();

  // Gain what newly appeared, lose what went away; the program never edits the set itself, so
  // it always equals what was held at this poll.
  states_ |= polled & ~previous_;
  states_ &= ~(~polled & previous_);
  previous_ = polled;
}

}  // namespace kv
