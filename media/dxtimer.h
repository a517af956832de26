#pragma once

#include <cstdint>
#include <functional>

namespace kv {

class Platform;

// The frame timer: ticks from the idle message loop while enabled and, with ActiveOnly, while
// the application is active; measures the frame rate over windows of about a second.
class TDXTimer {
 public:
  explicit TDXTimer(Platform& platform);

  uint32_t Interval = 0;
  bool ActiveOnly = true;
  std::function<void(int lag_count)> OnTimer;
  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;

  bool Enabled() const { return running_; }
  void SetEnabled(bool enabled);
  int MeasuredFrameRate() const { return measured_frame_rate_; }

  // Whether the timer is the loop's idle handler right now (the loop then calls Idle()
  // whenever no event waits, without sleeping).
  bool idle_handler() const { return idle_handler_; }
  void Idle();

  void ApplicationActivated();
  void ApplicationDeactivated();

 private:
  void Resume();

  Platform& platform_;
  bool running_ = false;
  bool idle_handler_ = false;
  uint32_t last_tick_ = 0;
  uint32_t window_start_ = 0;
  int frames_ = 0;
  int measured_frame_rate_ = 0;
};

// frames * 1000 / elapsed rounded to the nearest whole number, halves to the even neighbour.
int RoundedFrameRate(int frames, uint32_t elapsed_ms);

}  // namespace kv
