// One game frame as the player gets it: the real shell started on the default data, the game
// entered through the main menu's load button, the hero halfway through a step.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "app/application.h"
#include "app/main_form.h"
#include "ingame/hero.h"
#include "ingame/ingame.h"
#include "platform/events.h"
#include "platform/platform.h"

namespace {

namespace fs = std::filesystem;

constexpr kv::Point kLoadButton{500, 400};

// The game writes its test map under data/ on entry, so it runs on a copy of the data, with
// the copy's parent as working directory; both are put back as they were afterwards.
class DataCopy {
 public:
  DataCopy() {
    const fs::path source = fs::path(KV_BUILD_DIR) / "data";
    std::error_code error;
    if (!fs::is_directory(source, error)) return;
    std::string pattern = (fs::temp_directory_path() / "kv-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return;
    root_ = pattern;
    fs::copy(source, root_ / "data", fs::copy_options::recursive, error);
    if (error) return;
    old_dir_ = fs::current_path();
    fs::current_path(root_, error);
    ok_ = !error;
  }
  ~DataCopy() {
    std::error_code error;
    if (ok_) fs::current_path(old_dir_, error);
    if (!root_.empty()) fs::remove_all(root_, error);
  }
  DataCopy(const DataCopy&) = delete;
  DataCopy& operator=(const DataCopy&) = delete;

  bool ok() const { return ok_; }

 private:
  fs::path root_;
  fs::path old_dir_;
  bool ok_ = false;
};

// Halfway into a step east from (19, 19), a cell north of the walled square, so the view
// holds ground, walls with their upper parts and the square's inside.
void PlaceHeroMidStep(kv::THero& hero) {
  hero.CellX = 19;
  hero.CellY = 19;
  hero.PosX = 20;
  hero.PosY = 19;
  hero.Facing = kv::kFaceEast;
  hero.Walking = true;
  hero.OffsetX = -2 * kv::StepSpeed;
  hero.OffsetY = 0;
  hero.StepPhase = 2;
}

// The whole game, headless, on a copy of the default data, entered through the load button.
// ok() is false (and the benchmark skipped with the reason) when any step of that failed.
class RunningGame {
 public:
  explicit RunningGame(benchmark::State& state) {
    if (!data_.ok()) {
      state.SkipWithError("no default data: build the 'data' target first");
      return;
    }
    platform_ = kv::MakeHeadlessPlatform();
    form_ = std::make_unique<kv::TMainF>(*platform_);
    app_ = std::make_unique<kv::Application>(*platform_, *form_);
    if (!app_->Start()) {
      state.SkipWithError("the game did not start");
      return;
    }
    kv::Event release;
    release.type = kv::EventType::kMouseUp;
    release.pos = kLoadButton;
    platform_->ApplyInput(release);
    app_->Dispatch(release);
    if (!form_->Ingame->Active || !app_->errors().empty()) {
      failure_ = app_->errors().empty() ? "the load button did not enter the game"
                                        : app_->errors().front();
      state.SkipWithError(failure_.c_str());
      return;
    }
    // A picture missing from the data fails inside the frame; the timed loop must not see that.
    try {
      PlaceHeroMidStep(hero());
      ingame().RenderFrame();
    } catch (const std::exception& e) {
      failure_ = e.what();
      state.SkipWithError(failure_.c_str());
      return;
    }
    ok_ = true;
  }
  ~RunningGame() {
    if (app_) app_->End();
  }
  RunningGame(const RunningGame&) = delete;
  RunningGame& operator=(const RunningGame&) = delete;

  bool ok() const { return ok_; }
  kv::TIngame& ingame() { return *form_->Ingame; }
  kv::THero& hero() { return *form_->Ingame->Hero; }
  kv::TDXDraw& draw() { return form_->DXDraw(); }

 private:
  DataCopy data_;
  std::unique_ptr<kv::Platform> platform_;
  std::unique_ptr<kv::TMainF> form_;
  std::unique_ptr<kv::Application> app_;
  std::string failure_;  // SkipWithError keeps the pointer, not the text
  bool ok_ = false;
};

void BM_GameFrame(benchmark::State& state) {
  RunningGame game(state);
  if (!game.ok()) return;
  for (auto _ : state) {
    // The frame moves the hero on by one step; putting him back costs a few stores, far less
    // than pausing the clock would.
    PlaceHeroMidStep(game.hero());
    game.ingame().RenderFrame();
  }
  if (game.hero().OffsetX != -3 * kv::StepSpeed) state.SkipWithError("the hero did not step");
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
