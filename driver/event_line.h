#pragma once

#include <string>

#include "platform/events.h"

namespace kv {

// The script line that plays `event` again, as a recording writes it: one line an event, so
// that a replay recorded anew gives the same lines. Empty for an event that changes nothing a
// replay must repeat (an uncovered window, a close: the replay ends where the recording does).
// A press or a release happens where the pointer is; the recording puts it there first.
std::string EventLine(const Event& event);

}  // namespace kv
