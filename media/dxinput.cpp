#include "media/dxinput.h"

#include <algorithm>
#include <cstdint>

#include "platform/platform.h"

namespace kv {

int JoystickAxisValue(int raw, int range, int dead_zone_percent) {
  const int64_t travel = raw < 0 ? -int64_t{pad::kAxisMin} : int64_t{pad::kAxisMax};
  const int64_t pushed = std::min<int64_t>(raw < 0 ? -int64_t{raw} : int64_t{raw}, travel);
  const int64_t zone = std::clamp(dead_zone_percent, 0, 100);
  // Inside the dead zone while pushed / travel <= zone / 100, compared without rounding.
  if (pushed * 100 <= zone * travel || range <= 0) return 0;
  const int64_t beyond = pushed * 100 - zone * travel;
  const int64_t span = (100 - zone) * travel;
  const int value = static_cast<int>(std::max<int64_t>(1, beyond * range / span));
  return raw < 0 ? -value : value;
}

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

InputStates TDXInput::ReadJoystick() const {
  InputStates held;
  const PadState& pad = platform_.pad();
  if (!pad.connected || (ActiveOnly && !platform_.foreground())) return held;
  const int x = JoystickAxisValue(pad.axes[pad::kLeftX], RangeX, DeadZoneX);
  const int y = JoystickAxisValue(pad.axes[pad::kLeftY], RangeY, DeadZoneY);
  held[isLeft] = x < 0 || pad.buttons[pad::kDpadLeft];
  held[isRight] = x > 0 || pad.buttons[pad::kDpadRight];
  held[isUp] = y < 0 || pad.buttons[pad::kDpadUp];
  held[isDown] = y > 0 || pad.buttons[pad::kDpadDown];
  for (int b = 0; b < pad::kMaxButtons; ++b) {
    if (pad.buttons[b]) held.set(isButton1 + b);
  }
  return held;
}

void TDXInput::PollInput() {
  InputStates polled;
  if (KeyboardEnabled && KeyboardBindInputStates) polled |= ReadKeyboard();
  if (JoystickEnabled && JoystickBindInputStates) polled |= ReadJoystick();

  // Gain what newly appeared, lose what went away; the program never edits the set itself, so
  // it always equals what was held at this poll.
  states_ |= polled & ~previous_;
  states_ &= ~(~polled & previous_);
  previous_ = polled;
}

}  // namespace kv
