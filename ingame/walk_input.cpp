#include "ingame/walk_input.h"

#include <algorithm>
#include <array>

#include "ingame/hero.h"

namespace kv {
namespace {

constexpr std::array<Point, 9> kDeltas = {{
    {0, 0},
    {0, -1},
    {1, -1},
    {1, 0},
    {1, 1},
    {0, 1},
    {-1, 1},
    {-1, 0},
    {-1, -1},
}};

}  // namespace

Point DirectionDelta(int direction) {
  if (direction < 0 || direction >= static_cast<int>(kDeltas.size())) return {};
  return kDeltas[direction];
}

void ApplyWalkInput(THero& hero, bool up, bool down, bool left, bool right, bool mouse_held,
                    int pointer_direction) {
  if (hero.Walking) return;
  if ((left && right) || (up && down)) return;

  int dx = 0;
  int dy = 0;
  if (up) dy -= 1;
  if (left) dx -= 1;
  if (right) dx += 1;
  if (down) dy += 1;
  if (mouse_held) {
    Point mouse = DirectionDelta(pointer_direction);
    dx += mouse.x;
    dy += mouse.y;
  }
  // The step only knows the eight neighbours: a key and the mouse pulling the same way must
  // not ask for a cell two away, and pulling opposite ways must not leave a "walk" in place.
  dx = std::clamp(dx, -1, 1);
  dy = std::clamp(dy, -1, 1);

  hero.PosX = hero.CellX + dx;
  hero.PosY = hero.CellY + dy;
  hero.Walking = dx != 0 || dy != 0;
}

}  // namespace kv
