#pragma once

#include <deque>
#include <string>

#include "platform/events.h"
#include "platform/pad.h"

namespace kv {

// The game controller of a script where no real one is driven: it gives the events a
// controller gives, and only those (a value set again is no news). Pulled out, it simply goes:
// what it held goes with it, and no button is released.
class ScriptPad {
 public:
  // Queues the command's events; false, with the reason, when it cannot be done.
  bool Drive(const PadCommand& command, std::string& problem);
  // The next queued event, or false when none waits.
  bool Next(Event& event);

 private:
  void Queue(EventType type, int key, int value);

  PadState state_;
  std::deque<Event> pending_;
};

}  // namespace kv
