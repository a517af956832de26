#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The player's character record. Every text field is a fixed array of code page 1250 bytes,
// zero-padded, so the record is copied whole and never owns a string.
namespace kv {

inline constexpr int kStatCount = 23;
inline constexpr int kSkillCount = 29;
inline constexpr int kProfessionCount = 6;
inline constexpr int kRaceCount = 5;

// Profession indices.
inline constexpr uint8_t kHranicar = 0;
inline constexpr uint8_t kKouzelnik = 1;
inline constexpr uint8_t kLucistnik = 2;
inline constexpr uint8_t kSermir = 3;
inline constexpr uint8_t kValecnik = 4;
inline constexpr uint8_t kZlodej = 5;

// Race indices.
inline constexpr uint8_t kBarbar = 0;
inline constexpr uint8_t kClovek = 1;
inline constexpr uint8_t kElf = 2;
inline constexpr uint8_t kThran = 3;
inline constexpr uint8_t kTrpaslik = 4;

// Positions in TCharacter::Stats. The six attributes come first and their modifiers follow in
// the same order, so attribute i has its modifier at kFirstModifier + i.
namespace stat {
inline constexpr int kSila = 0;
inline constexpr int kObratnost = 1;
inline constexpr int kOdolnost = 2;
inline constexpr int kInteligence = 3;
inline constexpr int kVule = 4;
inline constexpr int kCharisma = 5;
inline constexpr int kAttributeCount = 6;
inline constexpr int kFirstModifier = 6;
inline constexpr int kPohyblivostModifier = 12;
inline constexpr int kPohyblivost = 13;
inline constexpr int kNosnost = 14;
inline constexpr int kZdravi = 15;
inline constexpr int kStamina = 16;
inline constexpr int kMana = 17;
inline constexpr int kZarezy = 18;
inline constexpr int kUroven = 19;
inline constexpr int kZkusenost = 20;
inline constexpr int kUtok = 21;
inline constexpr int kObrana = 22;
}  // namespace stat

struct TStat {
  char Name[24] = {};
  int32_t Extra = 0;  // only "Zkušenost" uses it
  int32_t Value = 0;
};

struct TSkill {
  char Name[31] = {};
  int16_t Aptitude = 0;  // 0..120 in steps of 10
  int16_t Level = 0;     // 0..40 in steps of 5
};

struct TCharacter {
  char Name[21] = {};  // up to 20 characters and the terminator
  uint8_t Profession = 0;
  char ProfessionName[16] = {};
  uint8_t Race = 0;
  char RaceName[16] = {};
  TStat Stats[kStatCount] = {};
  TSkill Skills[kSkillCount] = {};
  uint8_t Portrait = 0;  // 1..25, a picture of the "Other" collection
};

// Stores code page 1250 text in a fixed field: cut to leave room for the terminator and
// zero-padded to the end, so no byte of an earlier, longer text survives.
template <std::size_t N>
void SetText(char (&field)[N], std::string_view cp1250) {
  static_assert(N > 0);
  std::size_t length = cp1250.size() < N - 1 ? cp1250.size() : N - 1;
  for (std::size_t i = 0; i < N; ++i) field[i] = i < length ? cp1250[i] : '\0';
}

// The text of a fixed field, up to its first zero byte or the field's end.
inline std::string_view TextOf(const char* field, std::size_t size) {
  std::size_t length = 0;
  while (length < size && field[length] != '\0') ++length;
  return std::string_view(field, length);
}
template <std::size_t N>
std::string_view TextOf(const char (&field)[N]) {
  return TextOf(field, N);
}
template <std::size_t N>
std::string_view TextOf(const std::array<char, N>& field) {
  return TextOf(field.data(), N);
}

// Names in code page 1250; an index outside the table gives an empty name.
std::string ProfessionName(int profession);
std::string RaceName(int race);
// The first of the race's five portraits; 0 for an index outside the table.
uint8_t FirstPortrait(int race);

// Set the index together with its name, as the creation pages show them.
void SetProfession(TCharacter& character, uint8_t profession);
void SetRace(TCharacter& character, uint8_t race);

// The 23 stats with their names and every number 0.
std::array<TStat, kStatCount> StatTemplate();
void ApplyStatTemplate(TCharacter& character);

}  // namespace kv
