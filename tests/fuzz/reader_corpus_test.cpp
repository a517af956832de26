// Replays the regression corpus of the map file and script harnesses (fuzz/corpus/fuzz_map,
// fuzz/corpus/fuzz_script) through the bodies those harnesses run, built with the normal
// compiler. A body traps on anything the game could not rely on.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/map_harness.h"
#include "fuzz/scratch_dir.h"
#include "fuzz/script_harness.h"
#include "support/test_support.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

// The committed inputs of one harness, in name order: the script harness plays them on one
// game in turn, as the fuzzer does, so the order is part of the input.
std::vector<fs::path> Corpus(const std::string& harness) {
  std::vector<fs::path> files;
  for (const auto& entry :
       fs::directory_iterator(fs::path(KV_SOURCE_DIR) / "fuzz/corpus" / harness)) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

template <typename Harness>
size_t Replay(Harness& harness, const std::string& name) {
  size_t inputs = 0;
  for (const fs::path& file : Corpus(name)) {
    SCOPED_TRACE(file.string());
    const std::string input = test::ReadText(file.string());
    harness.Run(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    ++inputs;
  }
  return inputs;
}

TEST(ReaderCorpus, MapFiles) {
  fuzz::ScratchDir dir("map-corpus");
  fuzz::MapHarness harness(dir.path());
  EXPECT_GE(Replay(harness, "fuzz_map"), 8u);
}

TEST(ReaderCorpus, Scripts) {
  const fs::path here = fs::current_path();
  {
    fuzz::ScratchDir dir("script-corpus");
    fuzz::ScriptHarness harness(dir.path());
    EXPECT_GE(Replay(harness, "fuzz_script"), 10u);
  }
  fs::current_path(here);
}

}  // namespace
}  // namespace kv
