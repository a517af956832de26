#pragma once

#include <cstdint>
#include <vector>

namespace kv::writer {

// Appends 16 or 32 bits, lowest byte first, as every number of the data files is stored.
inline void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace kv::writer
