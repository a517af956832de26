// Arbitrary bytes as the payload of a "TJPEGImage" picture.

#include "picture_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv::fuzz::FuzzPicturePayload("TJPEGImage", data, size);
  return 0;
}
