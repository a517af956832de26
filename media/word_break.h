#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace kv {

// Breaks a text into lines no wider than `width`: at blanks where possible, inside a word only
// where the word alone is wider than the line. Line feeds force a break; carriage returns are
// dropped. The blanks at a soft break belong to neither line. `measure` gives a text's width.
std::vector<std::string_view> BreakLines(std::string_view text, int width,
                                         const std::function<int(std::string_view)>& measure);

}  // namespace kv
