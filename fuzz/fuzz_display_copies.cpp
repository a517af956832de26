// Arbitrary bytes as an image collection file whose items get display copies and are drawn.

#include "collection_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv::fuzz::FuzzDisplayCopies(data, size);
  return 0;
}
