#pragma once

#include <deque>
#include <string>

#include "platform/events.h"
#include "platform/pad.h"

union SDL_Event;
struct _SDL_GameController;

namespace kv {

// The game controller in use, read through SDL's game-controller interface (so SDL's mapping
// database names its buttons): the first one plugged in, and when it goes, the next one still
// there. A script drives a virtual controller of SDL's instead, and then no other counts.
class SdlPad {
 public:
  SdlPad();
  ~SdlPad();
  SdlPad(const SdlPad&) = delete;
  SdlPad& operator=(const SdlPad&) = delete;

  // The game's event for a controller event of SDL's; false for any other, and for events of
  // controllers not in use.
  bool Translate(const SDL_Event& raw, Event& event);
  // An event the controller owes the game (another controller taking over), or false.
  bool Next(Event& event);

  // From now on only the script's virtual controller counts.
  void LeaveToScript();
  bool Drive(const PadCommand& command, std::string& problem);

 private:
  bool Counts(int device_index) const;
  // Opens the controller at `device_index` as the one in use; false when it cannot be opened.
  bool Use(int device_index);
  void Close();
  // Whether the controller in use has been pulled out (its removal still to come).
  bool Gone() const;

  bool available_ = false;  // the game-controller part of SDL started
  bool scripted_ = false;
  _SDL_GameController* controller_ = nullptr;
  int instance_ = -1;          // the controller in use
  int virtual_instance_ = -1;  // the script's controller, while it is plugged in
  std::deque<Event> pending_;
};

}  // namespace kv
