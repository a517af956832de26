#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv::tool {

// Lower-case hex digits, two per byte.
std::string Hex(std::span<const uint8_t> bytes);

}  // namespace kv::tool
