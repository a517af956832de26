#pragma once

#include <cstdint>
#include <optional>

#include "platform/geometry.h"

namespace kv {

// How far the game controller's right stick moves the pointer. A stick at rest reads a little
// off centre, so a small push does nothing; beyond that the speed rises with the square of the
// push, for fine aiming near the centre, up to one screen width a second at full push.
class PadPointer {
 public:
  static constexpr double kFullSpeed = 800.0;  // display pixels a second
  static constexpr double kRestZone = 0.2;     // of the stick's travel

  // Display pixels a second for a stick at (x, y), each -32768..32767.
  static double Speed(int x, int y);
  static bool Pushed(int x, int y) { return Speed(x, y) > 0.0; }

  // The whole pixels the pointer moves by between the last step and `now_us`; the fractions
  // carry on to the next step. The first step of a push only starts the clock.
  Point Step(int x, int y, uint64_t now_us);

 private:
  std::optional<uint64_t> last_us_;
  double carry_x_ = 0.0;
  double carry_y_ = 0.0;
};

}  // namespace kv
