// Arbitrary bytes as a script, played on the headless game.

#include "scratch_dir.h"
#include "script_harness.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // The harness works in a directory of its own. One game serves many inputs, so what an input
  // allocates outlives it as a matter of course, and every search for leaks would scan the game:
  // leaks are the soak's to find, which plays under LeakSanitizer.
  kv::fuzz::MakeFuzzerPathsAbsolute(argc, argv, {"-detect_leaks=0"});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::fuzz::ScratchDir dir("fuzz-script");
  static kv::fuzz::ScriptHarness harness(dir.path());
  harness.Run(data, size);
  return 0;
}
