#include "newgame/character.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/cp1250.h"

namespace kv {
namespace {

std::string Cp(const char* utf8) {
  return cp1250::FromUtf8(utf8);
}

TEST(CharacterRecord, StartsAllZero) {
  TCharacter c;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&c);
  for (size_t i = 0; i < sizeof c; ++i) ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

TEST(CharacterRecord, FieldSizes) {
  TCharacter c;
  EXPECT_EQ(sizeof c.Name, 21u);
  EXPECT_EQ(sizeof c.ProfessionName, 16u);
  EXPECT_EQ(sizeof c.RaceName, 16u);
  EXPECT_EQ(sizeof c.Stats[0].Name, 24u);
  EXPECT_EQ(sizeof c.Skills[0].Name, 31u);
  EXPECT_EQ(std::size(c.Stats), 23u);
  EXPECT_EQ(std::size(c.Skills), 29u);
}

TEST(SetText, TwentyCharacterNameKeepsTerminator) {
  TCharacter c;
  SetText(c.Name, Cp("Žluťoučký kůň úpěl Á"));  // 20 characters, 20 code page bytes
  EXPECT_EQ(TextOf(c.Name), Cp("Žluťoučký kůň úpěl Á"));
  EXPECT_EQ(c.Name[20], '\0');

  SetText(c.Name, "123456789012345678901234");  // too long: cut, terminator kept
  EXPECT_EQ(TextOf(c.Name), "12345678901234567890");
  EXPECT_EQ(c.Name[20], '\0');
}

TEST(SetText, ShorterTextZeroPadsOverOldContent) {
  char field[16];
  std::memset(field, 'x', sizeof field);
  SetText(field, "elf");
  EXPECT_EQ(TextOf(field), "elf");
  for (size_t i = 3; i < sizeof field; ++i) EXPECT_EQ(field[i], '\0') << i;
}

TEST(Tables, ProfessionsAndRacesInCodePage) {
  EXPECT_EQ(ProfessionName(kHranicar), "hrani\xE8\xE1\xF8");
  EXPECT_EQ(ProfessionName(kSermir),
            "\x9A"
            "erm\xED\xF8");
  EXPECT_EQ(ProfessionName(kZlodej), Cp("zloděj"));
  EXPECT_EQ(ProfessionName(6), "");
  EXPECT_EQ(RaceName(kClovek), "\xE8lov\xECk");
  EXPECT_EQ(RaceName(kTrpaslik), Cp("trpaslík"));
  EXPECT_EQ(RaceName(-1), "");
  const uint8_t first[] = {1, 6, 11, 16, 21};
  for (int race = 0; race < kRaceCount; ++race) EXPECT_EQ(FirstPortrait(race), first[race]);
  EXPECT_EQ(FirstPortrait(5), 0);
}

TEST(Tables, SetProfessionAndRaceFillNameFields) {
  TCharacter c;
  SetProfession(c, kValecnik);
  SetRace(c, kElf);
  EXPECT_EQ(c.Profession, kValecnik);
  EXPECT_EQ(TextOf(c.ProfessionName), Cp("válečník"));
  EXPECT_EQ(c.Race, kElf);
  EXPECT_EQ(TextOf(c.RaceName), "elf");
  SetRace(c, kBarbar);  // a shorter name must not leave the tail of the longer one
  EXPECT_EQ(std::string(c.RaceName, 16), std::string("barbar") + std::string(10, '\0'));
}

TEST(Tables, StatTemplateNamesAndZeros) {
  TCharacter c;
  c.Stats[stat::kUtok].Value = 7;
  ApplyStatTemplate(c);
  EXPECT_EQ(TextOf(c.Stats[stat::kSila].Name), Cp("Síla"));
  EXPECT_EQ(TextOf(c.Stats[stat::kVule].Name), Cp("Vůle"));
  EXPECT_EQ(TextOf(c.Stats[stat::kPohyblivost].Name), "Pohyblivost");
  EXPECT_EQ(TextOf(c.Stats[stat::kZarezy].Name), Cp("Zářezy"));
  EXPECT_EQ(TextOf(c.Stats[stat::kUroven].Name), Cp("Úroveň"));
  EXPECT_EQ(TextOf(c.Stats[stat::kObrana].Name), "Obrana");
  for (int i = stat::kFirstModifier; i <= stat::kPohyblivostModifier; ++i) {
    EXPECT_EQ(TextOf(c.Stats[i].Name), "") << i;
  }
  for (const TStat& s : c.Stats) {
    EXPECT_EQ(s.Value, 0);
    EXPECT_EQ(s.Extra, 0);
  }
}

}  // namespace
}  // namespace kv
