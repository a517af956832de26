// Arbitrary bytes as a script, played on the headless game.

#include "scratch_dir.h"
#include "script_harness.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // The harness works in a directory of its own.
  kv::fuzz::MakeFuzzerPathsAbsolute(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::fuzz::ScratchDir dir("fuzz-script");
  static kv::fuzz::ScriptHarness harness(dir.path());
  harness.Run(data, size);
  return 0;
}
