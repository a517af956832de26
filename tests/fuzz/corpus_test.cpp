// Replays the fuzzing harnesses' regression corpus (fuzz/corpus/<harness>/*) through the same
// bodies the harnesses run, built with the normal compiler, together with the inputs of that
// kind too big to commit, which are made here.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fuzz/collection_harness.h"
#include "fuzz/picture_harness.h"
#include "media/file_source.h"
#include "support/hostile_files.h"
#include "support/test_support.h"

namespace kv {
namespace {

using Body = std::function<void(const uint8_t*, size_t)>;

const std::map<std::string, Body>& Bodies() {
  static const std::map<std::string, Body> bodies = {
      {"fuzz_image_collection", fuzz::FuzzImageCollection},
      {"fuzz_display_copies", fuzz::FuzzDisplayCopies},
      {"fuzz_wave_collection", fuzz::FuzzWaveCollection},
      {"fuzz_dib", [](const uint8_t* d, size_t n) { fuzz::FuzzPicturePayload("TDIB", d, n); }},
      {"fuzz_bitmap",
       [](const uint8_t* d, size_t n) { fuzz::FuzzPicturePayload("TBitmap", d, n); }},
      {"fuzz_jpeg",
       [](const uint8_t* d, size_t n) { fuzz::FuzzPicturePayload("TJPEGImage", d, n); }},
  };
  return bodies;
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RunBoth(const std::vector<uint8_t>& input) {
  fuzz::FuzzImageCollection(input.data(), input.size());
  fuzz::FuzzDisplayCopies(input.data(), input.size());
}

TEST(RegressionCorpus, EveryCommittedInputRunsThroughItsHarness) {
  const std::filesystem::path root = std::filesystem::path(KV_SOURCE_DIR) / "fuzz" / "corpus";
  size_t inputs = 0;
  for (const auto& dir : std::filesystem::directory_iterator(root)) {
    const std::string harness = dir.path().filename().string();
    // The map file and script harnesses keep a game between inputs; reader_corpus_test.cpp
    // replays theirs in order.
    if (harness == "fuzz_map" || harness == "fuzz_script") continue;
    const auto body = Bodies().find(harness);
    ASSERT_NE(body, Bodies().end()) << "no harness named " << harness;
    for (const auto& file : std::filesystem::directory_iterator(dir.path())) {
      SCOPED_TRACE(file.path().string());
      const std::vector<uint8_t> input = ReadBytes(file.path());
      // Committed inputs stay small; bigger ones are made by the tests below.
      EXPECT_LE(input.size(), size_t{1} << 20);
      body->second(input.data(), input.size());
      ++inputs;
    }
  }
  EXPECT_GE(inputs, 10u);
}

TEST(RegressionCorpus, BigInputsMadeAtTestTime) {
  // A 1-bit 16384 x 16384 picture: 32 MB of file over every budget.
  RunBoth(test::UncompressedPicture(16384, 16384));
  // A million items of 2 bytes each: loading stays linear in their number.
  RunBoth(test::ManyEmptyItems(1 << 20));
}

TEST(RegressionCorpus, GigabyteOfZerosIsRefusedAfterItsFirstBytes) {
  test::TempDir dir;
  const std::string path = dir / "zeros.dat";
  ASSERT_TRUE(test::WriteZeroFile(path, uint64_t{1} << 30));
  FileSource file(path);
  InputStream in(file, file.size());
  TPictureCollection images;
  std::string message;
  try {
    images.LoadCollectionStream(in);
  } catch (const Error& e) {
    message = e.what();
  }
  EXPECT_EQ(message, "Invalid stream format");
  EXPECT_LE(in.fetched(), uint64_t{64} << 10);
}

}  // namespace
}  // namespace kv
