#pragma once

#include <deque>
#include <functional>
#include <optional>

#include "platform/events.h"
#include "platform/geometry.h"

union SDL_Event;

namespace kv {

class SdlPad;
class SdlWindow;

// Turns SDL's events into the game's: positions in display pixels, keys as virtual-key codes.
// Handlers read the pointer when they run, so a run of queued pointer motion becomes one move:
// to where the pointer is now, or where it was at the press or release that follows. A window
// that moves or changes size under a resting pointer is no movement of the pointer at all.
class SdlEventReader {
 public:
  SdlEventReader(SdlWindow& window, SdlPad& pad) : window_(window), pad_(pad) {}

  // The next event for the game, or false when none waits.
  bool Next(Event& event);
  // After the window changed its mode: the motion queued so far was measured against the
  // window as it was, so it goes; if the pointer has moved on the screen since the last move
  // the game saw, one move to where it is now takes its place.
  void AfterSwitch();
  // The program put the pointer at this screen position itself: no movement of the player's.
  void PointerPlaced(Point screen) { rest_ = screen; }

  // Called for window changes that concern the platform, not the game.
  std::function<void()> on_exposed;
  std::function<void()> on_geometry_changed;

 private:
  bool Translate(const SDL_Event& raw, Event& event);

  SdlWindow& window_;
  SdlPad& pad_;
  std::deque<Event> pending_;
  std::optional<Point> rest_;     // the pointer's screen position at the last move delivered
  bool sdl_place_stale_ = false;  // no motion since a change of mode
  bool left_ = false;             // the game was last told that the window lost the focus
};

}  // namespace kv
