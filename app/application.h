#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/pad_pointer.h"
#include "platform/events.h"

namespace kv {

class Platform;
class TMainF;

// One step the program takes: an event handled, a frame tick, the 200 ms timer firing.
struct Step {
  enum class Kind { kEvent, kTick, kTimer };
  Kind kind = Kind::kEvent;
  const Event* event = nullptr;  // the event, for kEvent
};

// Sees every step the program takes, in order, before and after it runs: all a recording needs
// to play the session again.
class StepObserver {
 public:
  virtual ~StepObserver() = default;
  virtual void StepBegins(const Step& step) = 0;
  virtual void StepEnded(const Step& step) = 0;
};

// The application object: the message loop with its idle handler and the 200 ms timer, the
// routing of events to the controls or the main window, and the one place where errors are
// caught and reported.
class Application {
 public:
  Application(Platform& platform, TMainF& form);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Start-up: the main window's creation handler, the display opening as the window is first
  // shown, and the first activation. False when the creation handler failed (the error has
  // been reported and the program is to end).
  bool Start();

  // The interactive loop, until the main window closes.
  void Run();

  // One event, routed as the window system would.
  void Dispatch(const Event& event);
  // One pass of the loop with no event waiting: the 200 ms timer when due, then a frame tick
  // while the frame timer is the idle handler.
  void IdlePass();
  // Runs the loop for `ms` milliseconds of the clock (headless: moving the virtual clock).
  void Wait(uint32_t ms);
  // While a script drives a real window: the window's own events (uncovering, focus, a close)
  // are handled; the player's input is not, the script being the input.
  void TakeWindowEvents();
  // The 200 ms timer, when due (never by itself while a recording is replayed).
  void CheckGlobalTimer();
  // The 200 ms timer's handler, now.
  void FireGlobalTimer();
  // One frame tick, if the frame timer is the idle handler; false when it is not.
  bool Tick();

  // A recording being made watches every step. While one is made on the program's own clock,
  // each step reads the millisecond clock once, as the recording holds it.
  void Observe(StepObserver* observer) { observer_ = observer; }
  // A recording is replayed: its lines give the time and the 200 ms timer, and the window's
  // focus and placement are not the game's.
  void SetReplaying();
  bool replaying() const { return replaying_; }

  // Runs a handler; an error it raises is reported and the handler abandoned.
  void Guard(const std::function<void()>& handler);
  // The message goes to the error list alone; the box also shows the path, if there is one, and
  // the detail (UTF-8) below the message.
  void ReportError(const std::string& message, const std::string& path = {},
                   const std::string& detail = {});
  void ReportError(const std::exception& error);

  bool ended() const { return ended_; }
  // Whether the window was closed from outside (the window manager, a signal) while a script
  // was the input.
  bool closed_by_window() const { return closed_by_window_; }
  bool active() const { return active_; }
  // Every error reported to the player, as the message text without an added full stop.
  const std::vector<std::string>& errors() const { return errors_; }

  // Ends the program: runs the destroy handler once.
  void End();
  // Called once when the program ends, before the destroy handler frees the game modes.
  std::function<void()> on_ending;
  // Where F12 puts its pictures (empty: nowhere to put them).
  std::filesystem::path screenshot_folder;
  // Shown under every data file's error when no data folder was found at all: where the game
  // looked, and how to choose one.
  std::string missing_data_hint;

 private:
  void Activate(bool active);
  void Route(const Event& event);
  void BeginStep(const Step& step);
  void EndStep(const Step& step);
  void AfterHandler();
  // Offers an event to the controls; true when one took it.
  bool ToControls(const std::function<bool()>& deliver);
  // The game controller's A button is the left mouse button, at the pointer.
  // What the controller does beyond its state, after the event's own step: A's press or
  // release, the pointer's glide starting or ending, the controller going.
  void AfterPadEvent(const Event& event);
  void PadClick(bool down);
  void PadGone();
  // The right stick moves the pointer, as far as the clock has moved since the last step.
  void MovePadPointer();
  bool PadPointerPushed() const;

  Platform& platform_;
  TMainF& form_;
  bool ended_ = false;
  bool closed_by_window_ = false;
  bool active_ = false;
  bool display_captured_ = false;
  bool alt_enter_held_ = false;  // the Enter key now down went down with Alt
  bool pad_click_held_ = false;  // the A button's press reached the game as a mouse press
  PadPointer pad_pointer_;
  bool replaying_ = false;
  StepObserver* observer_ = nullptr;
  uint64_t next_global_tick_us_ = 0;
  std::vector<std::string> errors_;
};

constexpr const char* kProgramName = "Kervana";

}  // namespace kv
