#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/main_form.h"
#include "app/visible_screen.h"
#include "driver/script.h"
#include "driver/state_dump.h"
#include "ingame/ingame.h"
#include "newgame/newgame.h"
#include "platform/platform.h"
#include "support/game_data.h"
#include "support/test_support.h"

namespace kv::test {

// The whole game, headless, started in a directory holding the flat-colour test data, and
// driven by script lines.
class GameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    data_dir_ = new TempDir();
    WriteGameData(data_dir_->path().string());
  }
  static void TearDownTestSuite() {
    delete data_dir_;
    data_dir_ = nullptr;
  }

  void SetUp() override {
    old_dir_ = std::filesystem::current_path();
    std::filesystem::current_path(data_dir_->path());
    platform_ = MakeHeadlessPlatform();
    form_ = std::make_unique<TMainF>(*platform_);
    app_ = std::make_unique<Application>(*platform_, *form_);
    // The game modes are freed as the program ends; keep what tests want to look at.
    app_->on_ending = [this] { final_state_ = StateDump(*form_, *app_); };
    started_ = app_->Start();
    runner_ = std::make_unique<ScriptRunner>(*platform_, *form_, *app_);
  }

  void TearDown() override {
    app_->End();
    runner_.reset();
    app_.reset();
    form_.reset();
    platform_.reset();
    std::filesystem::current_path(old_dir_);
  }

  // A game started afresh, for a table of cases in one test.
  void Restart() {
    TearDown();
    SetUp();
    ASSERT_TRUE(started_);
  }

  void Run(const std::string& line) {
    std::string problem;
    ASSERT_TRUE(runner_->RunLine(line, problem)) << line << ": " << problem;
  }

  uint16_t Pixel(int x, int y) { return VisibleScreen(*platform_, *form_).At(x, y); }
  uint16_t BackPixel(int x, int y) { return form_->DXDraw().BackSurface()->image().At(x, y); }
  uint64_t Flips() { return form_->DXDraw().flips(); }

  static TempDir* data_dir_;
  std::filesystem::path old_dir_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<TMainF> form_;
  std::unique_ptr<Application> app_;
  std::unique_ptr<ScriptRunner> runner_;
  bool started_ = false;
  std::string final_state_;
};

inline TempDir* GameTest::data_dir_ = nullptr;

}  // namespace kv::test
