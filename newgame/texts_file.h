#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

inline constexpr int kIntroPageCount = 10;
inline constexpr int kInfoEntryCount = 11;  // the six professions, then the five races
inline constexpr size_t kIntroTextLimit = 500;
inline constexpr size_t kInfoTextLimit = 400;
// Far more than the texts need; it bounds what start-up reads from a file anyone may replace.
inline constexpr size_t kTextsFileLimit = 64 * 1024;

// The texts a data folder gives for the intro pages and the info boxes, in code page 1250. A
// page or entry the file leaves out is nullopt: the game keeps what it shows without one.
struct GameTexts {
  std::array<std::optional<std::string>, kIntroPageCount> intro;  // pages 1..10
  std::array<std::optional<std::string>, kInfoEntryCount> info;
};

// One fault of a texts file; line 0 is the file as a whole.
struct TextsProblem {
  int line = 0;
  std::string reason;  // code page 1250, as every message of the game

  std::string Message() const;  // "Line 7: unknown section [intro 11]"
};

// Reads the texts file's bytes (UTF-8), noting every fault in `problems`. A section with a
// fault is left out of the result; the rest is kept.
GameTexts ParseGameTexts(std::string_view bytes, std::vector<TextsProblem>& problems);

// The texts of the file at `path`, or nullopt when there is no file of that name (older data
// folders have none). A file that is there but cannot be read, or is too large, is a problem.
std::optional<GameTexts> ReadGameTexts(const std::string& path,
                                       std::vector<TextsProblem>& problems);

// As start-up wants it: the first problem, if any, thrown as a FileError naming the file.
std::optional<GameTexts> LoadGameTexts(const std::string& path);

}  // namespace kv
