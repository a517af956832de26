#pragma once

#include <cstdint>

namespace kv {

// The virtual-key code for an SDL key (its scancode and keycode, as SDL numbers them), or 0
// for keys the game has no code for. Keypad digits follow the scancode, so they keep their
// keypad codes whether num lock is on or off.
int VirtualKeyFromSdl(int scancode, int32_t keycode);

}  // namespace kv
