#pragma once

#include <cstdint>

#include "newgame/character.h"

namespace kv {

class TMap;

// Facing values, as the hero pictures are ordered.
inline constexpr uint8_t kFaceNorth = 0;
inline constexpr uint8_t kFaceEast = 1;
inline constexpr uint8_t kFaceSouth = 2;
inline constexpr uint8_t kFaceWest = 3;

// Pixels the map drawing moves per frame of a step; must divide the 100-pixel cell, because a
// step ends when the offsets hit their end values exactly.
inline constexpr int16_t StepSpeed = 20;

// The player's character on the map: his sheet, his cell, the neighbour he is stepping to and
// the state of that step. The hero stays in the middle of the screen; a step shifts the map
// drawing by OffsetX/OffsetY until it has moved one cell.
class THero {
 public:
  char Name[21] = {};
  uint8_t Profession = 0;
  char ProfessionName[16] = {};
  uint8_t Race = 0;
  char RaceName[16] = {};
  TStat Stats[kStatCount] = {};
  TSkill Skills[kSkillCount] = {};
  uint8_t Facing = 0;
  uint16_t Portrait = 0;
  int32_t CellX = 0;
  int32_t CellY = 0;
  int32_t PosX = 0;  // the target cell; equals the cell when no step is under way
  int32_t PosY = 0;
  bool Walking = false;
  int16_t OffsetX = 0;  // positive moves the map right
  int16_t OffsetY = 0;  // positive moves the map down
  uint8_t StepPhase = 0;

  // Takes over the sheet made in character creation.
  void CopyCharacter(const TCharacter& character);

  // Advances the step towards (PosX, PosY) by one frame: a turn, a 20-pixel shift, the move
  // onto the new cell, a redirect along a wall or a cancel at a blocked cell.
  void Step(const TMap& map);

  // The walking picture alternates 1, 2, 1, ... while walking and stays put when standing.
  void AnimateStep() {
    if (Walking) StepPhase = StepPhase == 2 ? 1 : 2;
  }
};

}  // namespace kv
