#pragma once

#include <string>

namespace kv::fuzz {

// Writes starting payloads for the picture harnesses: DIR/fuzz_dib, DIR/fuzz_bitmap and
// DIR/fuzz_jpeg, one file per input, each the payload that follows the class name.
void MakePictureSeeds(const std::string& dir);

}  // namespace kv::fuzz
