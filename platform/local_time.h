#pragma once

#include <ctime>

namespace kv {

// The calendar time at `seconds` in the player's time zone. Unlike std::localtime, it shares
// no buffer with other threads.
std::tm LocalTime(std::time_t seconds);

}  // namespace kv
