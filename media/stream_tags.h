#pragma once

#include <cstdint>

namespace kv {

// Value tags of the component stream encoding, shared by its reader and the writer.
enum StreamTag : uint8_t {
  kTagEnd = 0,
  kTagList = 1,
  kTagInt8 = 2,
  kTagInt16 = 3,
  kTagInt32 = 4,
  kTagString = 6,
  kTagIdent = 7,
  kTagFalse = 8,
  kTagTrue = 9,
  kTagBinary = 10,
  kTagLongString = 12,
  kTagNil = 13,
  kTagCollection = 14,
};

}  // namespace kv
