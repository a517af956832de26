#include "app/pad_pointer.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

constexpr double kTravel = 32767.0;

}  // namespace

double PadPointer::Speed(int x, int y) {
  const double push = std::min(std::hypot(x / kTravel, y / kTravel), 1.0);
  if (push <= kRestZone) return 0.0;
  const double t = (push - kRestZone) / (1.0 - kRestZone);
  return kFullSpeed * t * t;
}

Point PadPointer::Step(int x, int y, uint64_t now_us) {
  const double speed = Speed(x, y);
  if (speed <= 0.0) {
    last_us_.reset();
    carry_x_ = carry_y_ = 0.0;
    return {};
  }
  const uint64_t last = last_us_.value_or(now_us);
  last_us_ = now_us;
  const double seconds = static_cast<double>(now_us - std::min(last, now_us)) / 1e6;
  const double length = std::hypot(static_cast<double>(x), static_cast<double>(y));
  carry_x_ += speed * seconds * x / length;
  carry_y_ += speed * seconds * y / length;
  const Point moved{static_cast<int>(std::trunc(carry_x_)), static_cast<int>(std::trunc(carry_y_))};
  carry_x_ -= moved.x;
  carry_y_ -= moved.y;
  return moved;
}

}  // namespace kv
