#pragma once

#include <array>
#include <optional>
#include <string_view>

// A game controller as the game sees it: six axes and up to 32 buttons, numbered as SDL's
// game-controller interface numbers them, so that its mapping database names every pad's
// buttons alike (A is the bottom face button whatever the pad prints on it).
namespace kv {

namespace pad {

constexpr int kLeftX = 0;
constexpr int kLeftY = 1;
constexpr int kRightX = 2;
constexpr int kRightY = 3;
constexpr int kAxisCount = 6;  // the two triggers follow the sticks

constexpr int kA = 0;
constexpr int kDpadUp = 11;
constexpr int kDpadDown = 12;
constexpr int kDpadLeft = 13;
constexpr int kDpadRight = 14;
constexpr int kButtonCount = 21;  // the buttons a game controller names
constexpr int kMaxButtons = 32;   // the buttons polling has states for

constexpr int kAxisMin = -32768;
constexpr int kAxisMax = 32767;

// The script names of the axes the scripts drive ("leftx", "lefty", "rightx", "righty") and of
// the buttons ("a", "b", "x", "y", "back", "guide", "start", "dpup", ...): SDL's own names.
std::optional<int> AxisFromName(std::string_view name);
std::optional<int> ButtonFromName(std::string_view name);
std::optional<std::string_view> AxisName(int axis);
std::optional<std::string_view> ButtonName(int button);

}  // namespace pad

struct PadState {
  bool connected = false;
  std::array<int, pad::kAxisCount> axes{};  // -32768 .. 32767, 0 at rest
  std::array<bool, pad::kMaxButtons> buttons{};
};

// What a script line asks of the game controller: to plug it in, pull it out, move an axis or
// press or release a button.
struct PadCommand {
  enum class Kind { kConnect, kDisconnect, kAxis, kButton };
  Kind kind = Kind::kConnect;
  int index = 0;  // the axis or the button
  int value = 0;  // the axis's value; for a button 1 down, 0 up
};

}  // namespace kv
