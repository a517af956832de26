#include "newgame/attributes.h"

#include <array>
#include <string_view>

#include "platform/cp1250.h"

namespace kv {
namespace {

// A number rolled as some six-sided draws (0..5 each) plus a constant. The draws of one cell
// are made one after another, so the count matters for every later roll.
struct Dice {
  int draws;
  int32_t plus;
};

using DiceTable = std::array<std::array<Dice, kRaceCount>, kProfessionCount>;

// Rows: hraničář, kouzelník, lučištník, šermíř, válečník, zloděj.
// Columns: barbar, člověk, elf, thrán, trpaslík.
constexpr DiceTable kSila = {{
    {{{1, 12}, {1, 11}, {1, 11}, {1, 12}, {1, 12}}},
    {{{1, 10}, {2, 6}, {1, 6}, {1, 10}, {1, 7}}},
    {{{1, 10}, {2, 6}, {1, 6}, {1, 10}, {1, 7}}},
    {{{1, 14}, {1, 13}, {1, 13}, {1, 14}, {1, 14}}},
    {{{1, 14}, {1, 13}, {1, 13}, {1, 14}, {1, 14}}},
    {{{1, 10}, {2, 6}, {1, 6}, {1, 10}, {1, 7}}},
}};

constexpr DiceTable kObratnost = {{
    {{{1, 8}, {1, 9}, {1, 10}, {1, 10}, {1, 7}}},
    {{{1, 8}, {1, 9}, {1, 10}, {1, 10}, {1, 7}}},
    {{{1, 13}, {1, 14}, {1, 15}, {1, 15}, {1, 12}}},
    {{{1, 8}, {1, 9}, {1, 10}, {1, 10}, {1, 7}}},
    {{{1, 8}, {1, 9}, {1, 10}, {1, 10}, {1, 7}}},
    {{{1, 13}, {1, 14}, {1, 15}, {1, 15}, {1, 12}}},
}};

constexpr DiceTable kOdolnost = {{
    {{{1, 11}, {1, 9}, {1, 6}, {1, 9}, {1, 12}}},
    {{{1, 11}, {1, 9}, {1, 6}, {1, 9}, {1, 12}}},
    {{{1, 11}, {1, 9}, {1, 6}, {1, 9}, {1, 12}}},
    {{{1, 14}, {1, 13}, {1, 9}, {1, 13}, {1, 16}}},
    {{{1, 14}, {1, 13}, {1, 9}, {1, 13}, {1, 16}}},
    {{{1, 11}, {1, 9}, {1, 6}, {1, 9}, {1, 12}}},
}};

constexpr DiceTable kInteligence = {{
    {{{1, 12}, {1, 12}, {1, 14}, {1, 12}, {1, 9}}},
    {{{1, 14}, {1, 14}, {1, 16}, {1, 14}, {1, 11}}},
    {{{1, 11}, {1, 11}, {1, 13}, {1, 11}, {1, 8}}},
    {{{1, 6}, {1, 10}, {1, 12}, {1, 10}, {1, 8}}},
    {{{1, 6}, {1, 10}, {1, 12}, {1, 10}, {1, 8}}},
    {{{1, 6}, {1, 10}, {1, 12}, {1, 10}, {1, 8}}},
}};

constexpr DiceTable kVule = {{
    {{{1, 7}, {1, 8}, {1, 10}, {1, 9}, {1, 6}}},
    {{{1, 11}, {1, 12}, {1, 14}, {1, 13}, {1, 10}}},
    {{{1, 7}, {1, 8}, {1, 10}, {1, 9}, {1, 6}}},
    {{{1, 7}, {1, 8}, {1, 10}, {1, 9}, {1, 6}}},
    {{{1, 7}, {1, 8}, {1, 10}, {1, 9}, {1, 6}}},
    {{{1, 7}, {1, 8}, {1, 10}, {1, 9}, {1, 6}}},
}};

constexpr std::array<Dice, kRaceCount> kCharismaCommon = {{{3, 2}, {3, 2}, {2, 8}, {2, 5}, {1, 7}}};
constexpr std::array<Dice, kRaceCount> kCharismaZlodej = {
    {{1, 10}, {1, 12}, {1, 14}, {1, 11}, {1, 10}}};

constexpr std::array<int32_t, kRaceCount> kPohyblivostBase = {12, 11, 12, 14, 8};

struct Health {
  uint32_t bound;
  int32_t plus;
  int32_t minimum;
};

constexpr std::array<Health, kProfessionCount> kZdravi = {{
    {6, 17, 24},
    {6, 9, 18},
    {6, 14, 20},
    {10, 13, 30},
    {10, 13, 30},
    {6, 12, 20},
}};

struct Experience {
  int32_t extra;
  int32_t value;
};

constexpr std::array<Experience, kProfessionCount> kZkusenost = {{
    {5215, 8225},
    {7030, 10750},
    {5980, 9235},
    {4250, 7400},
    {4250, 7400},
    {5980, 9235},
}};

struct Rating {
  int16_t aptitude;
  int16_t level;
};

struct SkillRow {
  std::string_view name;
  std::array<Rating, kProfessionCount> by_profession;
  std::array<int16_t, kRaceCount> race_bonus;
};

// Columns by profession: hraničář, kouzelník, lučištník, šermíř, válečník, zloděj.
// Race bonuses: barbar, člověk, elf, thrán, trpaslík.
constexpr std::array<SkillRow, kSkillCount> kSkills = {{
    {"Zbraně Sečné",
     {{{70, 20}, {30, 0}, {60, 10}, {120, 30}, {70, 10}, {40, 0}}},
     {5, 0, 5, 5, 0}},
    {"Zbraně Bodné", {{{50, 10}, {20, 10}, {60, 10}, {80, 20}, {60, 10}, {50, 20}}}, {}},
    {"Zbraně Ostré Drtivé",
     {{{50, 10}, {10, 0}, {50, 0}, {80, 10}, {120, 30}, {30, 0}}},
     {0, 0, 0, 5, 10}},
    {"Zbraně Dlouhé Bodné", {{{40, 10}, {10, 0}, {50, 0}, {80, 10}, {90, 20}, {30, 0}}}, {}},
    {"Zbraně Tupé Drtivé",
     {{{40, 0}, {10, 0}, {40, 0}, {80, 10}, {100, 30}, {20, 0}}},
     {0, 0, 0, 0, 5}},
    {"Zbraně Vrhací", {{{50, 10}, {20, 10}, {100, 20}, {60, 10}, {60, 10}, {100, 30}}}, {}},
    {"Zbraně Střelné",
     {{{80, 20}, {30, 10}, {120, 30}, {60, 20}, {50, 10}, {50, 10}}},
     {0, 0, 5, 0, 0}},
    {"Boj Beze Zbraní",
     {{{60, 10}, {30, 0}, {50, 10}, {70, 20}, {70, 20}, {100, 30}}},
     {5, 0, 0, 10, 5}},
    {"Zbraně Dlouhé Tupé", {{{60, 10}, {50, 10}, {50, 10}, {60, 10}, {60, 10}, {50, 10}}}, {}},
    {"Odolnost Proti Magii",
     {{{50, 10}, {60, 15}, {40, 5}, {30, 0}, {30, 0}, {30, 0}}},
     {0, 0, 5, 5, 5}},
    {"Útočná Kouzla", {{{30, 0}, {100, 20}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}, {0, 0, 0, 5, 0}},
    {"Ochranná Kouzla", {{{80, 10}, {60, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}, {}},
    {"Léčivá Kouzla", {{{90, 20}, {60, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}, {}},
    {"Materiální Kouzla", {{{30, 0}, {120, 30}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}, {0, 0, 5, 0, 0}},
    {"Časoprostorová Kouzla",
     {{{0, 0}, {80, 10}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
     {0, 0, 5, 0, 0}},
    {"Mentalní Kouzla", {{{90, 20}, {70, 10}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}, {}},
    {"Meditace", {{{70, 10}, {100, 20}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}}, {0, 0, 5, 5, 0}},
    {"Plížení", {{{30, 5}, {20, 0}, {50, 5}, {40, 5}, {30, 5}, {80, 10}}}, {0, 0, 5, 5, 0}},
    {"Šplhání", {{{60, 10}, {40, 0}, {60, 10}, {80, 15}, {80, 15}, {100, 20}}}, {5, 0, 0, 5, 0}},
    {"Plavání", {{{80, 10}, {50, 5}, {70, 10}, {90, 15}, {90, 15}, {70, 10}}}, {5, 0, 0, 0, 0}},
    {"Kapsářství", {{{40, 5}, {30, 0}, {40, 5}, {30, 0}, {20, 0}, {120, 25}}}, {}},
    {"Otevírání Zámků", {{{30, 5}, {30, 5}, {30, 5}, {20, 5}, {20, 5}, {120, 20}}}, {}},
    {"Identifikace Nepřátel",
     {{{50, 10}, {70, 20}, {40, 5}, {40, 5}, {30, 5}, {40, 5}}},
     {0, 0, 5, 0, 0}},
    {"Identifikace Předmětů",
     {{{60, 10}, {70, 15}, {50, 10}, {40, 5}, {40, 5}, {50, 10}}},
     {0, 0, 5, 5, 0}},
    {"Meditace", {{{70, 15}, {30, 5}, {60, 10}, {110, 25}, {100, 20}, {50, 10}}}, {5, 0, 0, 0, 5}},
    {"Tělesná Zdatnost",
     {{{70, 10}, {30, 5}, {60, 10}, {90, 15}, {100, 20}, {50, 5}}},
     {5, 0, 0, 0, 10}},
    {"Kritické Zásahy",
     {{{60, 5}, {60, 5}, {120, 10}, {80, 5}, {70, 5}, {80, 5}}},
     {0, 0, 0, 5, 0}},
    {"Diplomacie", {{{40, 0}, {50, 5}, {40, 0}, {40, 0}, {30, 0}, {60, 5}}}, {0, 5, 5, 5, 0}},
    {"Obchodování",
     {{{70, 20}, {80, 25}, {70, 20}, {60, 15}, {50, 10}, {90, 30}}},
     {0, 5, 5, 5, 0}},
}};

// The six spell schools and the first "Meditace": only the two spell-casting professions
// start with any level in them, whatever the race would add.
constexpr int kFirstMagicSkill = 10;
constexpr int kLastMagicSkill = 16;

int32_t Roll(Random& random, Dice dice) {
  int32_t sum = dice.plus;
  for (int i = 0; i < dice.draws; ++i) sum += static_cast<int32_t>(random.Draw(6));
  return sum;
}

bool CastsSpells(uint8_t profession) {
  return profession == kHranicar || profession == kKouzelnik;
}

}  // namespace

int32_t StatModifier(int32_t value) {
  if (value <= 0 || value >= 25) return 0;
  if (value == 1) return -5;
  if (value <= 9) return -4 + (value - 2) / 2;  // 2,3 -> -4 ... 8,9 -> -1
  if (value <= 12) return 0;
  return 1 + (value - 13) / 2;  // 13,14 -> 1 ... 23,24 -> 6
}

int32_t Stamina(int32_t odolnost) {
  return odolnost + 4 * (odolnost / 3);
}

int32_t Nosnost(int32_t sila_modifier, int32_t old_nosnost) {
  if (sila_modifier < -5 || sila_modifier > 5) return old_nosnost;
  return 72 + 6 * sila_modifier;
}

int32_t Mana(uint8_t profession, int32_t inteligence) {
  if (profession == kKouzelnik) return inteligence + 9;
  if (profession != kHranicar) return 0;
  // Three quarters of the intelligence, halves going to the even neighbour (7.5 -> 8,
  // 10.5 -> 10). Done in integers so it cannot depend on the floating-point rounding mode.
  int64_t three_x = 3 * static_cast<int64_t>(inteligence);
  int64_t quotient = three_x / 4;
  int64_t remainder = three_x % 4;
  if (remainder < 0) {
    remainder += 4;
    quotient -= 1;
  }
  if (remainder == 3 || (remainder == 2 && quotient % 2 != 0)) quotient += 1;
  return static_cast<int32_t>(quotient + 7);
}

void RollAttributes(TCharacter& character, Random& random) {
  const uint8_t p = character.Profession;
  const uint8_t r = character.Race;
  if (p >= kProfessionCount || r >= kRaceCount) return;
  TStat* s = character.Stats;

  // The draw order is part of the game: every roll below consumes the generator in turn.
  s[stat::kSila].Value = Roll(random, kSila[p][r]);
  s[stat::kObratnost].Value = Roll(random, kObratnost[p][r]);
  s[stat::kOdolnost].Value = Roll(random, kOdolnost[p][r]);
  s[stat::kInteligence].Value = Roll(random, kInteligence[p][r]);
  s[stat::kVule].Value = Roll(random, kVule[p][r]);
  s[stat::kCharisma].Value = Roll(random, p == kZlodej ? kCharismaZlodej[r] : kCharismaCommon[r]);

  for (int i = 0; i < stat::kAttributeCount; ++i) {
    s[stat::kFirstModifier + i].Value = StatModifier(s[i].Value);
  }
  const int32_t sila_mod = s[stat::kFirstModifier + stat::kSila].Value;
  const int32_t obratnost_mod = s[stat::kFirstModifier + stat::kObratnost].Value;
  const int32_t odolnost_mod = s[stat::kFirstModifier + stat::kOdolnost].Value;

  s[stat::kPohyblivost].Value = obratnost_mod + 2 * sila_mod + kPohyblivostBase[r];
  s[stat::kPohyblivostModifier].Value = StatModifier(s[stat::kPohyblivost].Value);
  s[stat::kUroven].Value = 4;
  s[stat::kStamina].Value = Stamina(s[stat::kOdolnost].Value);
  s[stat::kNosnost].Value = Nosnost(sila_mod, s[stat::kNosnost].Value);
  s[stat::kZarezy].Value = (p == kSermir || p == kValecnik) ? 19 : 13;

  const Health& health = kZdravi[p];
  int32_t zdravi = health.plus + 4 * odolnost_mod;
  for (int i = 0; i < 3; ++i) zdravi += static_cast<int32_t>(random.Draw(health.bound));
  s[stat::kZdravi].Value = zdravi < health.minimum ? health.minimum : zdravi;

  s[stat::kMana].Value = Mana(p, s[stat::kInteligence].Value);
  s[stat::kZkusenost].Extra = kZkusenost[p].extra;
  s[stat::kZkusenost].Value = kZkusenost[p].value;
}

void ComputeSkills(uint8_t race, uint8_t profession, TSkill (&skills)[kSkillCount]) {
  if (profession >= kProfessionCount || race >= kRaceCount) return;
  for (int i = 0; i < kSkillCount; ++i) {
    const SkillRow& row = kSkills[i];
    TSkill& skill = skills[i];
    SetText(skill.Name, cp1250::FromUtf8(row.name));
    skill.Aptitude = row.by_profession[profession].aptitude;
    skill.Level = static_cast<int16_t>(row.by_profession[profession].level + row.race_bonus[race]);
    if (!CastsSpells(profession) && i >= kFirstMagicSkill && i <= kLastMagicSkill) skill.Level = 0;
  }
}

}  // namespace kv
