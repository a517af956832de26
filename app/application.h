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
  void CheckGlobalTimer();

  // Runs a handler; an error it raises is reported and the handler abandoned.
  void Guard(const std::function<void()>& handler);
  // The message goes to the error list alone; the box also shows the path, if there is one.
  void ReportError(const std::string& message, const std::string& path = {});
  void ReportError(const std::exception& error);

  bool ended() const { return ended_; }
  bool active() const { return active_; }
  // Every error reported to the player, as the message text without an added full stop.
  const std::vector<std::string>& errors() const { return errors_; }

  // Ends the program: runs the destroy handler once.
  void End();
  // Called once when the program ends, before the destroy handler frees the game modes.
  std::function<void()> on_ending;
  // Where F12 puts its pictures (empty: nowhere to put them).
  std::filesystem::path screenshot_folder;

 private:
  void Activate(bool active);
  void AfterHandler();
  // Offers an event to the controls; true when one took it.
  bool ToControls(const std::function<bool()>& deliver);
  // The game controller's A button is the left mouse button, at the pointer.
  void PadClick(bool down);
  void PadGone();
  // The right stick moves the pointer, as far as the clock has moved since the last step.
  void MovePadPointer();
  bool PadPointerPushed() const;

  Platform& platform_;
  TMainF& form_;
  bool ended_ = false;
  bool active_ = false;
  bool display_captured_ = false;
  bool alt_enter_held_ = false;  // the Enter key now down went down with Alt
  bool pad_click_held_ = false;  // the A button's press reached the game as a mouse press
  PadPointer pad_pointer_;
  uint64_t next_global_tick_us_ = 0;
  std::vector<std::string> errors_;
};

constexpr const char* kProgramName = "Kervana";

}  // namespace kv
