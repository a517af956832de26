// One game frame as the player gets it: the real shell started on the default data, the game
// entered through the main menu's load button, the hero halfway through a step.
#include <benchmark/benchmark.h>
#include <stdlib.h>

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

void BM_GameFrame(benchmark::State& state) {
  DataCopy data;
  if (!data.ok()) {
    state.SkipWithError("no default data: build the 'data' target first");
    return;
  }
  auto platform = kv::MakeHeadlessPlatform();
  auto form = std::make_unique<kv::TMainF>(*platform);
  auto app = std::make_unique<kv::Application>(*platform, *form);
  if (!app->Start()) {
    state.SkipWithError("the game did not start");
    return;
  }
  kv::Event release;
  release.type = kv::EventType::kMouseUp;
  release.pos = kLoadButton;
  platform->ApplyInput(release);
  app->Dispatch(release);
  if (!form->Ingame->Active || !app->errors().empty()) {
    state.SkipWithError(app->errors().empty() ? "the load button did not enter the game"
                                              : app->errors().front().c_str());
    app->End();
    return;
  }

  kv::TIngame& ingame = *form->Ingame;
  for (auto _ : state) {
    // The frame moves the hero on by one step; putting him back costs a few stores, far less
    // than pausing the clock would.
    PlaceHeroMidStep(*ingame.Hero);
    ingame.RenderFrame();
  }
  if (ingame.Hero->OffsetX != -3 * kv::StepSpeed) state.SkipWithError("the hero did not step");
  app->End();
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
