#pragma once

#include "platform/geometry.h"

namespace kv {

class THero;

// The change of cell for a compass direction (0 none, 1 north, clockwise to 8 north-west).
// A direction outside 0..8 means no change.
Point DirectionDelta(int direction);

// One frame tick's walking input: sets the hero's next target from the held keys and, while
// the left button is held, the direction under the pointer. Only a standing hero takes a new
// target, and only ever one of his eight neighbours: opposite keys held together stop all
// input for the tick, keys and mouse pointing the same way still step one cell, and input that
// cancels out leaves him standing.
void ApplyWalkInput(THero& hero, bool up, bool down, bool left, bool right, bool mouse_held,
                    int pointer_direction);

}  // namespace kv
