// How loading and building display copies grow with what a file asks for. Each benchmark runs
// at several sizes and reports its fitted complexity: the number of items for a load, the
// number of pixels for display copies, whatever the pattern grid. Anything above linear here is
// a way for a small hostile file to stall start-up.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "media/display_copies.h"
#include "media/image_list.h"
#include "media/picture_collection.h"
#include "tools/writer/picture_writer.h"
#include "tools/writer/stream_writer.h"

namespace {

// Items without properties, 2 bytes each: all of them share the empty name.
std::vector<uint8_t> EmptyItems(int64_t count) {
  kv::writer::StreamWriter w;
  kv::writer::BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  for (int64_t i = 0; i < count; ++i) {
    w.ItemStart();
    w.End();
  }
  w.End();
  kv::writer::FinishRoot(w);
  return w.Take();
}

void BM_LoadEmptyItems(benchmark::State& state) {
  const std::vector<uint8_t> file = EmptyItems(state.range(0));
  for (auto _ : state) {
    kv::TPictureCollection images;
    images.LoadCollectionStream(file);
    benchmark::DoNotOptimize(images.Count());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadEmptyItems)
    ->RangeMultiplier(4)
    ->Range(1 << 14, 1 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A side x side picture with white and black (key) stripes, cut into 256 x 256 patterns one
// pixel apart that overlap almost whole: the grid that once made the runs quadratic.
kv::TPictureCollectionItem& OverlappingItem(kv::TPictureCollection& images, int side) {
  kv::RgbImage image{side, side, std::vector<uint8_t>(static_cast<size_t>(side) * side * 3)};
  for (size_t i = 0; i < image.rgb.size(); i += 3) {
    const size_t x = (i / 3) % static_cast<size_t>(side);
    if (x % 16 < 9) image.rgb[i] = image.rgb[i + 1] = image.rgb[i + 2] = 255;
  }
  kv::writer::PictureItemEntry item;
  item.picture_data = kv::writer::DibPictureData(image, {.bits = 8});
  item.pattern_width = item.pattern_height = side - 255;
  item.skip_width = item.skip_height = -(side - 256);
  images.LoadCollectionStream(kv::writer::WriteImageCollection({item}));
  return images.Items(0);
}

void BM_DisplayCopiesOfOverlappingPatterns(benchmark::State& state) {
  kv::TPictureCollection images;
  kv::TPictureCollectionItem& item = OverlappingItem(images, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    kv::BuildDisplayCopies(item);
    benchmark::DoNotOptimize(item.copies->runs.data());
  }
  state.SetComplexityN(state.range(0) * state.range(0));
  state.counters["patterns"] = item.copies->patterns.count;
}
BENCHMARK(BM_DisplayCopiesOfOverlappingPatterns)
    ->RangeMultiplier(2)
    ->Range(512, 2048)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
