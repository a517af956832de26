#include "newgame/attributes.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/cp1250.h"

namespace kv {
namespace {

// Expected values below were worked out by hand from the draws and the roll tables.

std::vector<uint32_t> Draws(uint32_t seed, uint32_t bound, int count) {
  Random random(seed);
  std::vector<uint32_t> out;
  for (int i = 0; i < count; ++i) out.push_back(random.Draw(bound));
  return out;
}

TCharacter Rolled(uint8_t profession, uint8_t race, uint32_t seed) {
  TCharacter c;
  ApplyStatTemplate(c);
  SetProfession(c, profession);
  SetRace(c, race);
  Random random(seed);
  RollAttributes(c, random);
  return c;
}

int32_t Value(const TCharacter& c, int index) {
  return c.Stats[index].Value;
}

TEST(Random, LinearCongruentialSequence) {
  // seed 1 -> 1*6 >> 32 = 0; seed 134775814 -> 808654884 >> 32 = 0; ...
  EXPECT_EQ(Draws(0, 6, 5), (std::vector<uint32_t>{0, 0, 5, 1, 1}));
  EXPECT_EQ(Draws(0, 100, 3), (std::vector<uint32_t>{0, 3, 86}));
  EXPECT_EQ(Draws(12345, 10, 3), (std::vector<uint32_t>{3, 2, 0}));
  Random random(0);
  random.Draw(6);
  EXPECT_EQ(random.seed(), 1u);
  random.Draw(6);
  EXPECT_EQ(random.seed(), 134775814u);
  EXPECT_EQ(Random(0xFFFFFFFFu).Draw(0), 0u);
}

TEST(StatModifier, WholeTable) {
  const int32_t expected[] = {0, -5, -4, -4, -3, -3, -2, -2, -1, -1, 0, 0, 0,
                              1, 1,  2,  2,  3,  3,  4,  4,  5,  5,  6, 6, 0};
  for (int32_t v = 0; v <= 25; ++v) EXPECT_EQ(StatModifier(v), expected[v]) << v;
  EXPECT_EQ(StatModifier(-3), 0);
  EXPECT_EQ(StatModifier(1000), 0);
}

TEST(DerivedValues, StaminaNosnostMana) {
  EXPECT_EQ(Stamina(11), 23);
  EXPECT_EQ(Stamina(6), 14);
  EXPECT_EQ(Nosnost(StatModifier(19), 0), 96);
  EXPECT_EQ(Nosnost(StatModifier(6), 0), 60);
  EXPECT_EQ(Nosnost(-5, 0), 42);
  EXPECT_EQ(Nosnost(6, 55), 55);  // no entry for +6: the old value stays
  // Three quarters, halves to even: 7.5 -> 8, 10.5 -> 10, 9.75 -> 10, 8.25 -> 8.
  EXPECT_EQ(Mana(kHranicar, 10), 15);
  EXPECT_EQ(Mana(kHranicar, 14), 17);
  EXPECT_EQ(Mana(kHranicar, 13), 17);
  EXPECT_EQ(Mana(kHranicar, 11), 15);
  EXPECT_EQ(Mana(kHranicar, 12), 16);
  EXPECT_EQ(Mana(kKouzelnik, 18), 27);
  EXPECT_EQ(Mana(kZlodej, 18), 0);
}

TEST(RollAttributes, ClovekKouzelnikDrawsTwiceForSila) {
  // Draws of seed 1000: 2 4 | 2 | 3 | 0 | 4 | 2 3 4 | 4 5 1
  TCharacter c = Rolled(kKouzelnik, kClovek, 1000);
  EXPECT_EQ(Value(c, stat::kSila), 12);         // 2 + 6 + 4
  EXPECT_EQ(Value(c, stat::kObratnost), 11);    // 9 + 2
  EXPECT_EQ(Value(c, stat::kOdolnost), 12);     // 9 + 3
  EXPECT_EQ(Value(c, stat::kInteligence), 14);  // 14 + 0
  EXPECT_EQ(Value(c, stat::kVule), 16);         // 12 + 4
  EXPECT_EQ(Value(c, stat::kCharisma), 11);     // 2 + 3 + 4 + 2
  const int32_t modifiers[] = {0, 0, 0, 1, 2, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(Value(c, stat::kFirstModifier + i), modifiers[i]) << i;
  EXPECT_EQ(Value(c, stat::kPohyblivost), 11);  // 0 + 2 * 0 + 11
  EXPECT_EQ(Value(c, stat::kPohyblivostModifier), 0);
  EXPECT_EQ(Value(c, stat::kNosnost), 72);
  EXPECT_EQ(Value(c, stat::kZdravi), 19);  // 4 + 5 + 1 + 0 + 9
  EXPECT_EQ(Value(c, stat::kStamina), 28);
  EXPECT_EQ(Value(c, stat::kMana), 23);
  EXPECT_EQ(Value(c, stat::kZarezy), 13);
  EXPECT_EQ(Value(c, stat::kUroven), 4);
  EXPECT_EQ(c.Stats[stat::kZkusenost].Extra, 7030);
  EXPECT_EQ(Value(c, stat::kZkusenost), 10750);
  EXPECT_EQ(Value(c, stat::kUtok), 0);
  EXPECT_EQ(Value(c, stat::kObrana), 0);
  EXPECT_EQ(TextOf(c.Stats[stat::kSila].Name), cp1250::FromUtf8("Síla"));  // names untouched
}

TEST(RollAttributes, ZdraviRaisedToMinimum) {
  // Elf kouzelník, seed 33: 0 | 2 | 0 | 3 | 2 | 0 0 | 0 0 0. Odolnost 6 (-2), so Zdraví is
  // 0 + 0 + 0 - 8 + 9 = 1, raised to 18.
  TCharacter c = Rolled(kKouzelnik, kElf, 33);
  EXPECT_EQ(Value(c, stat::kSila), 6);
  EXPECT_EQ(Value(c, stat::kOdolnost), 6);
  EXPECT_EQ(Value(c, stat::kFirstModifier + stat::kOdolnost), -2);
  EXPECT_EQ(Value(c, stat::kZdravi), 18);
  EXPECT_EQ(Value(c, stat::kNosnost), 60);     // Síla 6, modifier -2
  EXPECT_EQ(Value(c, stat::kCharisma), 8);     // 0 + 8 + 0
  EXPECT_EQ(Value(c, stat::kPohyblivost), 8);  // 0 - 4 + 12
  EXPECT_EQ(Value(c, stat::kPohyblivostModifier), -1);
  EXPECT_EQ(Value(c, stat::kStamina), 14);
  EXPECT_EQ(Value(c, stat::kMana), 28);  // Inteligence 19 + 9
}

TEST(RollAttributes, HranicarTrpaslikMana) {
  // Seed 0: 0 | 0 | 5 | 1 | 1 | 4 | 1 0 2 - nine draws, Charisma "base 7" being one.
  TCharacter c = Rolled(kHranicar, kTrpaslik, 0);
  EXPECT_EQ(Value(c, stat::kInteligence), 10);
  EXPECT_EQ(Value(c, stat::kMana), 15);
  EXPECT_EQ(Value(c, stat::kOdolnost), 17);
  EXPECT_EQ(Value(c, stat::kStamina), 37);     // 17 + 4 * 5
  EXPECT_EQ(Value(c, stat::kPohyblivost), 6);  // -2 + 0 + 8
  EXPECT_EQ(Value(c, stat::kZdravi), 32);      // 1 + 0 + 2 + 12 + 17
  EXPECT_EQ(c.Stats[stat::kZkusenost].Extra, 5215);

  c = Rolled(kHranicar, kTrpaslik, 9);  // Inteligence 9 + 5
  EXPECT_EQ(Value(c, stat::kInteligence), 14);
  EXPECT_EQ(Value(c, stat::kMana), 17);
}

TEST(RollAttributes, SermirNosnostAndZarezy) {
  TCharacter c = Rolled(kSermir, kBarbar, 27);  // first draw 5
  EXPECT_EQ(Value(c, stat::kSila), 19);
  EXPECT_EQ(Value(c, stat::kNosnost), 96);
  EXPECT_EQ(Value(c, stat::kZarezy), 19);
  EXPECT_EQ(Value(c, stat::kMana), 0);
  EXPECT_EQ(Value(c, stat::kZkusenost), 7400);
}

TEST(RollAttributes, DrawCountAndRepeatability) {
  struct Case {
    uint8_t profession, race;
    int draws;
  };
  const Case cases[] = {
      {kHranicar, kTrpaslik, 9}, {kZlodej, kBarbar, 9},    {kKouzelnik, kClovek, 12},
      {kLucistnik, kClovek, 12}, {kZlodej, kClovek, 10},   {kSermir, kClovek, 11},
      {kValecnik, kElf, 10},     {kKouzelnik, kThran, 10},
  };
  for (const Case& k : cases) {
    TCharacter a = Rolled(k.profession, k.race, 4242);
    TCharacter b = Rolled(k.profession, k.race, 4242);
    for (int i = 0; i < kStatCount; ++i) EXPECT_EQ(a.Stats[i].Value, b.Stats[i].Value);

    TCharacter c;
    c.Profession = k.profession;
    c.Race = k.race;
    Random used(4242);
    RollAttributes(c, used);
    Random expected(4242);
    for (int i = 0; i < k.draws; ++i) expected.Draw(6);
    EXPECT_EQ(used.seed(), expected.seed()) << int(k.profession) << "/" << int(k.race);
  }
}

TEST(RollAttributes, OutOfTableIndexLeavesStats) {
  TCharacter c;
  c.Profession = 6;
  Random random(1);
  RollAttributes(c, random);
  for (const TStat& s : c.Stats) EXPECT_EQ(s.Value, 0);
  EXPECT_EQ(random.seed(), 1u);
}

TEST(ComputeSkills, ElfKouzelnik) {
  TSkill skills[kSkillCount];
  ComputeSkills(kElf, kKouzelnik, skills);
  EXPECT_EQ(TextOf(skills[13].Name), cp1250::FromUtf8("Materiální Kouzla"));
  EXPECT_EQ(skills[13].Aptitude, 120);
  EXPECT_EQ(skills[13].Level, 35);
  EXPECT_EQ(skills[14].Level, 15);  // Časoprostorová 10 + 5
  EXPECT_EQ(skills[10].Level, 20);  // Útočná, no elf bonus
  // Both "Meditace" entries, each with its own numbers.
  EXPECT_EQ(TextOf(skills[16].Name), "Meditace");
  EXPECT_EQ(TextOf(skills[24].Name), "Meditace");
  EXPECT_EQ(skills[16].Aptitude, 100);
  EXPECT_EQ(skills[16].Level, 25);
  EXPECT_EQ(skills[24].Aptitude, 30);
  EXPECT_EQ(skills[24].Level, 5);
  EXPECT_EQ(skills[28].Level, 30);  // Obchodování 25 + 5
  EXPECT_EQ(TextOf(skills[0].Name), cp1250::FromUtf8("Zbraně Sečné"));
  EXPECT_EQ(TextOf(skills[14].Name), cp1250::FromUtf8("Časoprostorová Kouzla"));
}

TEST(ComputeSkills, MagicResetForFightersDespiteRaceBonus) {
  for (uint8_t race : {kElf, kThran}) {
    for (uint8_t profession : {kLucistnik, kSermir, kValecnik, kZlodej}) {
      TSkill skills[kSkillCount];
      for (TSkill& s : skills) s.Level = 99;
      ComputeSkills(race, profession, skills);
      for (int i = 10; i <= 16; ++i) EXPECT_EQ(skills[i].Level, 0) << i;
      EXPECT_GT(skills[24].Level, 0);  // the second Meditace is no spell school
    }
  }
  TSkill skills[kSkillCount];
  ComputeSkills(kElf, kSermir, skills);
  EXPECT_EQ(skills[0].Aptitude, 120);
  EXPECT_EQ(skills[0].Level, 35);  // 30 + 5
  EXPECT_EQ(skills[24].Aptitude, 110);
  EXPECT_EQ(skills[24].Level, 25);
  EXPECT_EQ(skills[17].Level, 10);  // Plížení 5 + 5

  ComputeSkills(kThran, kHranicar, skills);  // casters keep race bonuses in magic
  EXPECT_EQ(skills[10].Level, 5);
  EXPECT_EQ(skills[16].Level, 15);
  EXPECT_EQ(skills[7].Level, 20);  // Boj Beze Zbraní 10 + 10
}

TEST(ComputeSkills, TrpaslikValecnik) {
  TSkill skills[kSkillCount];
  ComputeSkills(kTrpaslik, kValecnik, skills);
  EXPECT_EQ(skills[2].Level, 40);   // 30 + 10
  EXPECT_EQ(skills[4].Level, 35);   // 30 + 5
  EXPECT_EQ(skills[25].Level, 30);  // 20 + 10
  EXPECT_EQ(skills[24].Level, 25);  // 20 + 5
  EXPECT_EQ(skills[27].Level, 0);
}

}  // namespace
}  // namespace kv
