#pragma once

#include <array>
#include <bitset>

namespace kv {

class Platform;

// Input states as the polling component numbers them.
enum InputStateId { isUp = 0, isDown, isLeft, isRight, isButton1 };
constexpr int kInputStateCount = 36;  // up, down, left, right, buttons 1 to 32

using InputStates = std::bitset<kInputStateCount>;

// Keyboard (and, optionally, joystick) polling into the 36 input states.
class TDXInput {
 public:
  explicit TDXInput(Platform& platform);

  bool ActiveOnly = true;
  bool KeyboardEnabled = true;
  bool KeyboardBindInputStates = true;
  // Up to three virtual-key codes per state; 0 is an empty slot.
  std::array<std::array<int, 3>, kInputStateCount> KeyboardAssigns{};

  void PollInput();
  const InputStates& States() const { return states_; }
  bool Held(InputStateId state) const { return states_[state]; }

 private:
  InputStates ReadKeyboard() const;

  Platform& platform_;
  InputStates states_;
  InputStates previous_;
};

}  // namespace kv
