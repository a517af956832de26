#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace kv::tool {

// SHA-256 of a byte block (FIPS 180-4).
std::array<uint8_t, 32> Sha256(std::span<const uint8_t> data);
std::string Sha256Hex(std::span<const uint8_t> data);

}  // namespace kv::tool
