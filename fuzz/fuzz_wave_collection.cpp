// Arbitrary bytes as a sound collection file, whose items are then played and mixed.

#include "collection_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv::fuzz::FuzzWaveCollection(data, size);
  return 0;
}
