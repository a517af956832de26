// One game frame as the player gets it: the real shell started on the default data, the game
// entered through the main menu's load button, the hero halfway through a step.
#include <benchmark/benchmark.h>
#include <string>

#include "bench/game_frame/running_game.h"

namespace {

// The whole game, headless, on a copy of the default data; the benchmark is skipped with the
// reason when any step of starting it failed.
class RunningGame : public kv::bench::RunningGame {
 public:
  explicit RunningGame(benchmark::State& state)
      : kv::bench::RunningGame(std::string(KV_BUILD_DIR) + "/data") {
    if (!ok()) state.SkipWithError(failure().c_str());
  }
};

void BM_GameFrame(benchmark::State& state) {
  RunningGame game(state);
  if (!game.ok()) return;
  for (auto _ : state) game.Frame();
  if (!game.HeroStepped()) state.SkipWithError("the hero did not step");
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

// Two parts of the frame on their own, to show where its time goes: the stretched interface
// pictures, and the flip (a whole-surface copy; the headless present only moves the clock).
void BM_GameFrame_Interface(benchmark::State& state) {
  RunningGame game(state);
  if (!game.ok()) return;
  for (auto _ : state) game.ingame().DrawInterface();
}
BENCHMARK(BM_GameFrame_Interface)->Unit(benchmark::kMicrosecond);

void BM_GameFrame_Flip(benchmark::State& state) {
  RunningGame game(state);
  if (!game.ok()) return;
  for (auto _ : state) game.draw().FlipDisplay();
}
BENCHMARK(BM_GameFrame_Flip)->Unit(benchmark::kMicrosecond);

}  // namespace
