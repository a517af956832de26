#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kv {

// Expands 8-bit or 4-bit run-length pixel data into one colour index per pixel, rows
// bottom-up as the codes address them. Pixels that no code reaches stay index 0; runs, deltas
// and absolute stretches that leave the picture are clipped; data that ends early ends the
// expansion. Never reads or writes outside the given bounds.
std::vector<uint8_t> ExpandRunLength(std::span<const uint8_t> data, int width, int height,
                                     bool four_bit);

}  // namespace kv
