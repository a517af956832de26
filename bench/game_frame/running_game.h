#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/main_form.h"
#include "ingame/hero.h"
#include "ingame/ingame.h"
#include "platform/platform.h"

namespace kv::bench {

// The game writes its test map under data/ on entry, so it runs on a copy of the data, with
// the copy's parent as working directory; both are put back as they were afterwards.
class DataCopy {
 public:
  explicit DataCopy(const std::filesystem::path& source);
  ~DataCopy();
  DataCopy(const DataCopy&) = delete;
  DataCopy& operator=(const DataCopy&) = delete;

  bool ok() const { return ok_; }

 private:
  std::filesystem::path root_;
  std::filesystem::path old_dir_;
  bool ok_ = false;
};

// The whole game, headless, on a copy of a data folder, entered through the main menu's load
// button, the hero halfway through a step. ok() is false, with the step that failed in
// failure(), when any step of that failed.
class RunningGame {
 public:
  explicit RunningGame(const std::filesystem::path& data);
  ~RunningGame();
  RunningGame(const RunningGame&) = delete;
  RunningGame& operator=(const RunningGame&) = delete;

  bool ok() const { return ok_; }
  const std::string& failure() const { return failure_; }
  // One frame as the player gets it, the hero put back mid-step first: the frame moves him on
  // by one step, and putting him back costs a few stores, far less than pausing a clock would.
  void Frame();
  // Whether the last frame moved the hero on as a frame of walking does.
  bool HeroStepped();
  TIngame& ingame() { return *form_->Ingame; }
  THero& hero() { return *form_->Ingame->Hero; }
  TDXDraw& draw() { return form_->DXDraw(); }

 private:
  DataCopy data_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<TMainF> form_;
  std::unique_ptr<Application> app_;
  std::string failure_;
  bool ok_ = false;
};

}  // namespace kv::bench
