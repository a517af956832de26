#include "bench/game_frame/running_game.h"

#include <stdlib.h>

#include <exception>
#include <system_error>

#include "platform/events.h"

namespace kv::bench {
namespace {

namespace fs = std::filesystem;

constexpr Point kLoadButton{500, 400};

// Halfway into a step east from (19, 19), a cell north of the walled square, so the view
// holds ground, walls with their upper parts and the square's inside.
void PlaceHeroMidStep(THero& hero) {
  hero.CellX = 19;
  hero.CellY = 19;
  hero.PosX = 20;
  hero.PosY = 19;
  hero.Facing = kFaceEast;
  hero.Walking = true;
  hero.OffsetX = -2 * StepSpeed;
  hero.OffsetY = 0;
  hero.StepPhase = 2;
}

}  // namespace

DataCopy::DataCopy(const fs::path& source) {
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

DataCopy::~DataCopy() {
  std::error_code error;
  if (ok_) fs::current_path(old_dir_, error);
  if (!root_.empty()) fs::remove_all(root_, error);
}

RunningGame::RunningGame(const fs::path& data) : data_(data) {
  if (!data_.ok()) {
    failure_ = "no data folder at " + data.string();
    return;
  }
  platform_ = MakeHeadlessPlatform();
  form_ = std::make_unique<TMainF>(*platform_);
  app_ = std::make_unique<Application>(*platform_, *form_);
  if (!app_->Start()) {
    failure_ = "the game did not start";
    return;
  }
  Event release;
  release.type = EventType::kMouseUp;
  release.pos = kLoadButton;
  platform_->ApplyInput(release);
  app_->Dispatch(release);
  if (!form_->Ingame->Active || !app_->errors().empty()) {
    failure_ =
        app_->errors().empty() ? "the load button did not enter the game" : app_->errors().front();
    return;
  }
  // A picture missing from the data fails inside the frame; a timed loop must not see that.
  try {
    Frame();
  } catch (const std::exception& e) {
    failure_ = e.what();
    return;
  }
  ok_ = true;
}

RunningGame::~RunningGame() {
  if (app_) app_->End();
}

void RunningGame::Frame() {
  PlaceHeroMidStep(hero());
  ingame().RenderFrame();
}

bool RunningGame::HeroStepped() {
  return hero().OffsetX == -3 * StepSpeed;
}

}  // namespace kv::bench
