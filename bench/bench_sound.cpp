#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

#include "platform/mixer.h"

namespace {

constexpr int kDeviceRate = 44100;
constexpr int kBlockFrames = 1024;  // what the audio callback asks for at a time

std::shared_ptr<const std::vector<uint8_t>> Tone(int frames, int channels, int bits, double hz,
                                                 int rate) {
  auto bytes = std::make_shared<std::vector<uint8_t>>();
  for (int i = 0; i < frames; ++i) {
    const double value = std::sin(2 * std::numbers::pi * hz * i / rate);
    for (int c = 0; c < channels; ++c) {
      if (bits == 8) {
        bytes->push_back(static_cast<uint8_t>(128 + std::lround(value * 100)));
      } else {
        const auto sample = static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 20000)));
        bytes->push_back(static_cast<uint8_t>(sample));
        bytes->push_back(static_cast<uint8_t>(sample >> 8));
      }
    }
  }
  return bytes;
}

// One second of output from eight looping voices in the layouts a game's sounds come in, most
// of them resampled to the device rate.
void BM_MixEightVoices(benchmark::State& state) {
  kv::Mixer mixer(kDeviceRate);
  struct Layout {
    int channels, bits, rate;
  };
  const Layout layouts[] = {{1, 16, 22050}, {1, 16, 22050}, {1, 16, 22050}, {1, 16, 22050},
                            {1, 8, 11025},  {1, 8, 11025},  {2, 16, 44100}, {2, 16, 44100}};
  int n = 0;
  for (const Layout& layout : layouts) {
    kv::SoundFormat format;
    format.channels = layout.channels;
    format.bits_per_sample = layout.bits;
    format.samples_per_sec = layout.rate;
    const auto voice = mixer.CreateVoice(
        Tone(layout.rate / 3, layout.channels, layout.bits, 220.0 + 110 * n, layout.rate), format);
    mixer.SetVolume(voice, -300 * n);
    mixer.SetPan(voice, n % 2 == 0 ? -1000 * n : 1000 * n);
    mixer.Play(voice, true);
    ++n;
  }
  std::vector<int16_t> out(static_cast<size_t>(kDeviceRate) * 2);
  for (auto _ : state) {
    for (int done = 0; done < kDeviceRate; done += kBlockFrames) {
      mixer.Mix(out.data() + done * 2, std::min(kBlockFrames, kDeviceRate - done));
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size() * sizeof(int16_t)));
}
BENCHMARK(BM_MixEightVoices)->Unit(benchmark::kMicrosecond);

// The floor: only moving the same output bytes in the same blocks.
void BM_Memcpy_MixFloor(benchmark::State& state) {
  std::vector<int16_t> source(static_cast<size_t>(kDeviceRate) * 2, 7);
  std::vector<int16_t> out(source.size());
  for (auto _ : state) {
    for (int done = 0; done < kDeviceRate; done += kBlockFrames) {
      const int frames = std::min(kBlockFrames, kDeviceRate - done);
      std::memcpy(out.data() + done * 2, source.data() + done * 2,
                  static_cast<size_t>(frames) * 2 * sizeof(int16_t));
    }
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(out.size() * sizeof(int16_t)));
}
BENCHMARK(BM_Memcpy_MixFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
