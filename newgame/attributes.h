#pragma once

#include <cstdint>

#include "newgame/character.h"

// The numbers of a character: rolled attributes, their modifiers, derived values and skills.
namespace kv {

// The dice of character creation: a 32-bit linear congruential generator.
class Random {
 public:
  explicit Random(uint32_t seed = 0) : seed_(seed) {}

  // Rolls are seeded with the UTC time of day in milliseconds, so a roll depends only on
  // profession, race and the clock's millisecond.
  void Seed(uint32_t seed) { seed_ = seed; }
  uint32_t seed() const { return seed_; }

  // A number 0..bound-1 (0 for a bound of 0).
  uint32_t Draw(uint32_t bound) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * bound) >> 32);
  }

 private:
  uint32_t seed_;
};

// -5..+6 for the values 1..24; values outside that range have no modifier (0).
int32_t StatModifier(int32_t value);

// Derived values, each from the stat it follows.
int32_t Stamina(int32_t odolnost);
// 72 + 6m for a "Síla" modifier m in -5..5; any other modifier keeps the old value.
int32_t Nosnost(int32_t sila_modifier, int32_t old_nosnost);
int32_t Mana(uint8_t profession, int32_t inteligence);

// Fills the rolled and derived stats of the character from its profession and race, drawing
// from the generator as it stands (the caller seeds it first). Names and "Útok"/"Obrana" are
// left alone. A profession or race outside the tables leaves the stats untouched.
void RollAttributes(TCharacter& character, Random& random);

// Names, aptitudes and starting levels of all 29 skills. A profession or race outside the
// tables leaves the skills untouched.
void ComputeSkills(uint8_t race, uint8_t profession, TSkill (&skills)[kSkillCount]);

}  // namespace kv
