#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv::tool {

// A JSON string literal, quotes included, of UTF-8 text.
std::string JsonString(std::string_view utf8);
// Lower-case hex digits, two per byte.
std::string Hex(std::span<const uint8_t> bytes);

}  // namespace kv::tool
