// Arbitrary bytes as an image collection file, read in pieces as from a file, whose items are
// then used as the game would.

#include "collection_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv::fuzz::FuzzImageCollection(data, size);
  return 0;
}
