#include "platform/pad.h"

#include <iterator>

namespace kv::pad {
namespace {

constexpr std::string_view kAxisNames[] = {"leftx", "lefty", "rightx", "righty"};
constexpr std::string_view kButtonNames[kButtonCount] = {"a",
                                                         "b",
                                                         "x",
                                                         "y",
                                                         "back",
                                                         "guide",
                                                         "start",
                                                         "leftstick",
                                                         "rightstick",
                                                         "leftshoulder",
                                                         "rightshoulder",
                                                         "dpup",
                                                         "dpdown",
                                                         "dpleft",
                                                         "dpright",
                                                         "misc1",
                                                         "paddle1",
                                                         "paddle2",
                                                         "paddle3",
                                                         "paddle4",
                                                         "touchpad"};

template <size_t N>
std::optional<int> IndexOf(const std::string_view (&names)[N], std::string_view name) {
  for (size_t i = 0; i < N; ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> AxisFromName(std::string_view name) {
  return IndexOf(kAxisNames, name);
}

std::optional<int> ButtonFromName(std::string_view name) {
  return IndexOf(kButtonNames, name);
}

std::optional<std::string_view> AxisName(int axis) {
  if (axis < 0 || axis >= static_cast<int>(std::size(kAxisNames))) return std::nullopt;
  return kAxisNames[axis];
}

std::optional<std::string_view> ButtonName(int button) {
  if (button < 0 || button >= kButtonCount) return std::nullopt;
  return kButtonNames[button];
}

}  // namespace kv::pad
