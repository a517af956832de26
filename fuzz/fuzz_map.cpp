// Arbitrary bytes as a map file.

#include "map_harness.h"
#include "scratch_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::fuzz::ScratchDir dir("fuzz-map");
  static kv::fuzz::MapHarness harness(dir.path());
  harness.Run(data, size);
  return 0;
}
