#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/geometry.h"
#include "platform/image565.h"

namespace kv {

class TMainF;

// What a recording writes down now and then to check its replay by: where the player is, and
// what the screen shows.
struct SessionCheck {
  // menu, credits, options, creation, intro, game, game-options
  std::string screen;
  int page = 0;  // the creation page, the intro page; 0 elsewhere
  // The hero's cell and the cell he walks to, while the game is on.
  std::optional<Point> cell;
  std::optional<Point> pos;
  uint64_t front = 0;  // PixelHash of the front surface

  friend bool operator==(const SessionCheck&, const SessionCheck&) = default;
};

// The first field in which a replay differs from its recording.
struct CheckMismatch {
  std::string field;
  std::string expected;
  std::string found;
};

// The state of the running game, as a check sees it.
SessionCheck CheckOf(TMainF& form);

// A 64-bit hash of the pixels and the size of a picture.
uint64_t PixelHash(const Image565& image);

// "screen=game page=0 cell=19,20 pos=20,20 front=00a1...": the words after "check".
std::string CheckText(const SessionCheck& check);
// Reads CheckText's words (outside bytes); nullopt, with the reason in `problem`, when they are
// not a check.
std::optional<SessionCheck> ParseCheck(std::string_view words, std::string& problem);

std::optional<CheckMismatch> FirstMismatch(const SessionCheck& expected, const SessionCheck& found);

}  // namespace kv
