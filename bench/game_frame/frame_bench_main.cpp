// kervana-frame-bench [--data FOLDER] FRAMES: the work of BM_GameFrame, FRAMES times after
// untimed ones, timed as a whole, as one line of JSON: {"frame_us": MICROSECONDS PER FRAME,
// "frames": FRAMES}. Built for the page too, where Google Benchmark is not at hand, so that the two
// builds compare.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

#include "bench/game_frame/running_game.h"

int main(int argc, char** argv) {
  std::string data = "data";
  int frames = 0;
  bool usage = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--data" && i + 1 < argc) {
      data = argv[++i];
      continue;
    }
    const auto [end, error] = std::from_chars(arg.data(), arg.data() + arg.size(), frames);
    usage = usage || error != std::errc() || end != arg.data() + arg.size() || frames < 1;
  }
  if (usage || frames < 1) {
    std::fprintf(stderr, "usage: kervana-frame-bench [--data FOLDER] FRAMES\n");
    return 2;
  }
  kv::bench::RunningGame game(data);
  if (!game.ok()) {
    std::fprintf(stderr, "kervana-frame-bench: %s\n", game.failure().c_str());
    return 1;
  }
  // Untimed frames first, as many again and for a second at least: a browser runs new code
  // through a quick compiler until it has made the fast one in the background, and the caches
  // are then as warm as Google Benchmark has them.
  const auto warm_until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  for (int i = 0; i < frames || std::chrono::steady_clock::now() < warm_until; ++i) game.Frame();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < frames; ++i) game.Frame();
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  if (!game.HeroStepped()) {
    std::fprintf(stderr, "kervana-frame-bench: the hero did not step\n");
    return 1;
  }
  std::printf("{\"frame_us\": %.1f, \"frames\": %d}\n", spent.count() / frames, frames);
  return 0;
}
