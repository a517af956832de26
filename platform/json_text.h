#pragma once

#include <string>
#include <string_view>

namespace kv {

// A JSON string literal, quotes included, of UTF-8 text: the one quoting rule of the state dump
// and the data tool's reports.
std::string JsonQuote(std::string_view utf8);

}  // namespace kv
