// Arbitrary bytes as the payload of a "TDIB" picture.

#include "picture_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv::fuzz::FuzzPicturePayload("TDIB", data, size);
  return 0;
}
