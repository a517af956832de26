#include "media/dxtimer.h"

#include <algorithm>

#include "platform/platform.h"

namespace kv {

int RoundedFrameRate(int frames, uint32_t elapsed_ms) {
  const uint64_t numerator = static_cast<uint64_t>(frames) * 1000;
  const uint64_t quotient = numerator / elapsed_ms;
  const uint64_t twice_rest = 2 * (numerator % elapsed_ms);
  if (twice_rest > elapsed_ms || (twice_rest == elapsed_ms && (quotient & 1) != 0)) {
    return static_cast<int>(quotient + 1);
  }
  return static_cast<int>(quotient);
}

TDXTimer::TDXTimer(Platform& platform) : platform_(platform) {}

void TDXTimer::Resume() {
  last_tick_ = platform_.Millis();
  window_start_ = last_tick_;
  // Frames counted before the pause belong to no window any more: kept, they would inflate
  // the next figure. The last figure stands until the new window completes.
  frames_ = 0;
  idle_handler_ = true;
}

void TDXTimer::SetEnabled(bool enabled) {
  if (enabled == running_) return;
  if (!enabled) {
    idle_handler_ = false;
    running_ = false;
    return;
  }
  if (!ActiveOnly || platform_.foreground()) Resume();
  running_ = true;
}

void TDXTimer::Idle() {
  if (!idle_handler_) return;
  const uint32_t now = platform_.Millis();
  if (now - last_tick_ < Interval) return;
  const int lag =
      std::max<int>(1, static_cast<int>((now - last_tick_) / std::max<uint32_t>(Interval, 1)));
  last_tick_ = now;

  ++frames_;
  const uint32_t elapsed = std::max<uint32_t>(now - window_start_, 1);
  if (elapsed >= 1000) {
    measured_frame_rate_ = RoundedFrameRate(frames_, elapsed);
    frames_ = 0;
    window_start_ = now;
  }
  if (OnTimer) OnTimer(lag);
}

void TDXTimer::ApplicationActivated() {
  if (OnActivate) OnActivate();
  if (running_ && ActiveOnly) Resume();
}

void TDXTimer::ApplicationDeactivated() {
  if (OnDeactivate) OnDeactivate();
  if (running_ && ActiveOnly) idle_handler_ = false;
}

}  // namespace kv
