#include "newgame/character.h"

#include "platform/cp1250.h"

namespace kv {
namespace {

constexpr std::array<std::string_view, kProfessionCount> kProfessionNames = {
    "hraničář", "kouzelník", "lučištník", "šermíř", "válečník", "zloděj",
};

struct Race {
  std::string_view name;
  uint8_t first_portrait;
};

// Each race owns five consecutive portraits.
constexpr std::array<Race, kRaceCount> kRaces = {{
    {"barbar", 1},
    {"člověk", 6},
    {"elf", 11},
    {"thrán", 16},
    {"trpaslík", 21},
}};

// The modifier entries 6..12 have no name of their own; the page shows them beside their stat.
constexpr std::array<std::string_view, kStatCount> kStatNames = {
    "Síla",      "Obratnost",
    "Odolnost",  "Inteligence",
    "Vůle",      "Charisma",
    "",          "",
    "",          "",
    "",          "",
    "",          "Pohyblivost",
    "Nosnost",   "Zdraví",
    "Stamina",   "Mana",
    "Zářezy",    "Úroveň",
    "Zkušenost", "Útok",
    "Obrana",
};

}  // namespace

std::string ProfessionName(int profession) {
  if (profession < 0 || profession >= kProfessionCount) return {};
  return cp1250::FromUtf8(kProfessionNames[profession]);
}

std::string RaceName(int race) {
  if (race < 0 || race >= kRaceCount) return {};
  return cp1250::FromUtf8(kRaces[race].name);
}

uint8_t FirstPortrait(int race) {
  if (race < 0 || race >= kRaceCount) return 0;
  return kRaces[race].first_portrait;
}

void SetProfession(TCharacter& character, uint8_t profession) {
  character.Profession = profession;
  SetText(character.ProfessionName, ProfessionName(profession));
}

void SetRace(TCharacter& character, uint8_t race) {
  character.Race = race;
  SetText(character.RaceName, RaceName(race));
}

std::array<TStat, kStatCount> StatTemplate() {
  std::array<TStat, kStatCount> stats{};
  for (int i = 0; i < kStatCount; ++i) SetText(stats[i].Name, cp1250::FromUtf8(kStatNames[i]));
  return stats;
}

void ApplyStatTemplate(TCharacter& character) {
  std::array<TStat, kStatCount> stats = StatTemplate();
  for (int i = 0; i < kStatCount; ++i) character.Stats[i] = stats[i];
}

}  // namespace kv
