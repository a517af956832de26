#pragma once

#include <array>
#include <bitset>

namespace kv {

class Platform;

// Input states as the polling component numbers them.
enum InputStateId { isUp = 0, isDown, isLeft, isRight, isButton1 };
constexpr int kInputStateCount = 36;  // up, down, left, right, buttons 1 to 32

using InputStates = std::bitset<kInputStateCount>;

// Where a joystick axis stands in -range..+range, read from a raw axis value (-32768..32767)
// with a dead zone in per cent of the half-range around the centre: 0 anywhere inside it, and
// beyond it the rest of the travel spread over 1..range.
int JoystickAxisValue(int raw, int range, int dead_zone_percent);

// Keyboard and joystick polling into the 36 input states.
class TDXInput {
 public:
  explicit TDXInput(Platform& platform);

  bool ActiveOnly = true;
  bool KeyboardEnabled = true;
  bool KeyboardBindInputStates = true;
  // Up to three virtual-key codes per state; 0 is an empty slot.
  std::array<std::array<int, 3>, kInputStateCount> KeyboardAssigns{};
  // The platform's game controller: its left stick and its d-pad hold the direction states,
  // its buttons the button states.
  bool JoystickEnabled = false;
  bool JoystickBindInputStates = false;
  int RangeX = 1000, RangeY = 1000, RangeZ = 1000;
  int DeadZoneX = 50, DeadZoneY = 50, DeadZoneZ = 50;

  void PollInput();
  const InputStates& States() const { return states_; }
  bool Held(InputStateId state) const { return states_[state]; }

 private:
  InputStates ReadKeyboard() const;
  InputStates ReadJoystick() const;

  Platform& platform_;
  InputStates states_;
  InputStates previous_;
};

}  // namespace kv
