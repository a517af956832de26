#include "ingame/hero.h"

#include <array>
#include <cstring>

#include "ingame/map.h"

namespace kv {
namespace {

// One of the eight step operations. A reversal always passes through a quarter turn: a hero
// facing away from his target first turns (turn_if -> turn_to) and only then walks.
struct Direction {
  int dx;
  int dy;
  uint8_t turn_if;
  uint8_t turn_to;
  int16_t end_x;  // offsets a finished step has reached; 0 on the axis the step doesn't use
  int16_t end_y;
};

constexpr int16_t kEnd = 100 - StepSpeed;

// In the order Step tests them: the straight steps before the diagonals, so a diagonal that
// turns into a straight step is not run a second time in the same frame.
constexpr std::array<Direction, 8> kDirections = {{
    {0, -1, kFaceSouth, kFaceEast, 0, kEnd},        // north
    {0, +1, kFaceNorth, kFaceWest, 0, -kEnd},       // south
    {-1, 0, kFaceEast, kFaceSouth, kEnd, 0},        // west
    {+1, 0, kFaceWest, kFaceNorth, -kEnd, 0},       // east
    {-1, -1, kFaceEast, kFaceSouth, kEnd, kEnd},    // north-west
    {+1, +1, kFaceWest, kFaceNorth, -kEnd, -kEnd},  // south-east
    {-1, +1, kFaceEast, kFaceSouth, kEnd, -kEnd},   // south-west
    {+1, -1, kFaceWest, kFaceNorth, -kEnd, kEnd},   // north-east
}};

uint8_t FacingOf(int dx, int dy) {
  if (dx < 0) return kFaceWest;
  if (dx > 0) return kFaceEast;
  return dy < 0 ? kFaceNorth : kFaceSouth;
}

// The map moves against the hero: a step north shifts the drawing down.
int16_t Shift(int d) {
  return static_cast<int16_t>(-d * StepSpeed);
}

void StepTowards(THero& hero, const Direction& d, const TMap& map) {
  if (hero.Facing == d.turn_if) {
    hero.Facing = d.turn_to;
    return;
  }

  const bool diagonal = d.dx != 0 && d.dy != 0;
  const bool h_open = map.Passable(hero.CellX + d.dx, hero.CellY);
  const bool v_open = map.Passable(hero.CellX, hero.CellY + d.dy);
  if (!diagonal) {
    hero.Facing = FacingOf(d.dx, d.dy);
  } else if (h_open) {
    hero.Facing = FacingOf(d.dx, 0);
  }

  if (map.Passable(hero.PosX, hero.PosY)) {
    // A straight step watches only the offset it changes.
    const bool done_x = d.dx == 0 || hero.OffsetX == d.end_x;
    const bool done_y = d.dy == 0 || hero.OffsetY == d.end_y;
    if (done_x && done_y) {
      if (d.dx != 0) hero.OffsetX = 0;
      if (d.dy != 0) hero.OffsetY = 0;
      hero.CellX += d.dx;
      hero.CellY += d.dy;
      hero.Walking = false;
    } else {
      hero.OffsetX = static_cast<int16_t>(hero.OffsetX + Shift(d.dx));
      hero.OffsetY = static_cast<int16_t>(hero.OffsetY + Shift(d.dy));
    }
    return;
  }

  if (diagonal && !h_open && v_open) {
    hero.PosX = hero.CellX;  // slide along the wall: carry on as the vertical step
  } else if (diagonal && h_open) {
    // With the vertical side blocked this slides along the wall; with both sides open only
    // the corner cell blocks, and the hero already faces the horizontal way, so he goes there.
    hero.PosY = hero.CellY;
  } else {
    hero.PosX = hero.CellX;
    hero.PosY = hero.CellY;
    hero.Walking = false;
  }
}

}  // namespace

void THero::CopyCharacter(const TCharacter& c) {
  std::memcpy(Name, c.Name, sizeof Name);
  Profession = c.Profession;
  std::memcpy(ProfessionName, c.ProfessionName, sizeof ProfessionName);
  Race = c.Race;
  std::memcpy(RaceName, c.RaceName, sizeof RaceName);
  for (int i = 0; i < kStatCount; ++i) Stats[i] = c.Stats[i];
  for (int i = 0; i < kSkillCount; ++i) Skills[i] = c.Skills[i];
  Portrait = c.Portrait;
}

void THero::Step(const TMap& map) {
  // Each test sees what the operation before it left, but a step only ever turns into one
  // tested earlier, so at most one operation acts per frame.
  for (const Direction& d : kDirections) {
    if (PosX - CellX == d.dx && PosY - CellY == d.dy) StepTowards(*this, d, map);
  }
}

}  // namespace kv
