// The scaling a window without a graphics card costs per shown frame.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/scaler.h"

namespace {

kv::Image565 Picture() {
  kv::Image565 picture(800, 600);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    picture.pixels[i] = static_cast<uint16_t>(i * 2654435761u >> 7);
  }
  return picture;
}

void Scale(benchmark::State& state, int width, int height, kv::ScaleFilter filter) {
  const kv::Image565 picture = Picture();
  kv::Scaler scaler;
  scaler.Prepare(800, 600, width, height, filter);
  std::vector<uint32_t> out(static_cast<size_t>(width) * height);
  for (auto _ : state) {
    scaler.Scale(picture, out.data(), width);
    benchmark::DoNotOptimize(out.data());
  }
}

void BM_Scale_Linear_1024x768(benchmark::State& state) {
  Scale(state, 1024, 768, kv::ScaleFilter::kLinear);
}
BENCHMARK(BM_Scale_Linear_1024x768)->Unit(benchmark::kMicrosecond);

void BM_Scale_Nearest_1024x768(benchmark::State& state) {
  Scale(state, 1024, 768, kv::ScaleFilter::kNearest);
}
BENCHMARK(BM_Scale_Nearest_1024x768)->Unit(benchmark::kMicrosecond);

void BM_Scale_Linear_1440x1080(benchmark::State& state) {
  Scale(state, 1440, 1080, kv::ScaleFilter::kLinear);
}
BENCHMARK(BM_Scale_Linear_1440x1080)->Unit(benchmark::kMicrosecond);

}  // namespace
