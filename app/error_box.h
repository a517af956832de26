#pragma once

#include <string>
#include <string_view>

namespace kv {

// The message with a full stop added when its last character sorts after the full stop in the
// code page's order.
std::string ErrorBoxText(const std::string& message);

// The whole text of the error box, in UTF-8: the path of the data file the failure concerns
// (if any) on a line of its own, then the message, broken into lines that fit the screen.
// Path and message are in the code page.
std::string ErrorBoxMessage(const std::string& path, const std::string& message);

// What fits across the screen in the error box's face.
constexpr int kErrorBoxColumns = 72;

// Breaks each line longer than `columns` characters (UTF-8 characters, not bytes) at blanks;
// a word longer than a line is cut.
std::string BreakIntoLines(std::string_view utf8, int columns);

}  // namespace kv
