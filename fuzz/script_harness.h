#pragma once

// A script under the fuzzer: the input is read as a script file is, a line at a time with its
// caps, checked as --replay checks a recording, and what it reads is played on the whole game,
// headless, on data of small pictures.
//
// Starting the game takes as long as some hundred inputs, so one game serves many inputs in a
// row and is started afresh only every kInputsPerGame inputs (which brings the menus back, there
// being no way back to them from the game) and when it has ended. Input that would end it, as
// Escape or the main menu's exit button, is left out for the same reason. What one input may ask
// for is capped, so that each runs in a blink: a few events, one display switch (and a few a
// game), a few frames
// (waiting in the game view draws frames too), a little clock time, one state dump, written
// where the harness says; shots are left out (the PNG encoder is not a reader). The game must come
// through with no error reported, the data being complete.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/application.h"
#include "app/main_form.h"
#include "app/main_menu.h"
#include "driver/script.h"
#include "driver/script_line.h"
#include "driver/script_reader.h"
#include "ingame/ingame.h"
#include "media/dxtimer.h"
#include "newgame/newgame.h"
#include "platform/keys.h"
#include "platform/platform.h"
#include "support/game_data.h"

namespace kv::fuzz {

class ScriptHarness {
 public:
  static constexpr int kInputsPerGame = 200;
  static constexpr int kMaxLines = 64;
  static constexpr int kMaxEvents = 6;
  static constexpr int kMaxDisplaySwitches = 1;
  static constexpr int kMaxDisplaySwitchesPerGame = 8;
  static constexpr long long kMaxFrames = 3;
  static constexpr long long kMaxWaitMs = 210;  // one turn of the 200 ms timer
  static constexpr long long kFrameMs = 17;     // what a frame moves the clock, rounded up
  static constexpr int kMaxStates = 1;
  static constexpr int kPictureSide = 8;
  // A real face as the game's own, as the tests use.
  static constexpr const char* kFont =
      "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";

  // Writes the game's data into `dir` and makes it the working directory, where the game looks
  // for its data and writes its map file.
  explicit ScriptHarness(const std::filesystem::path& dir) : out_((dir / "out.json").string()) {
    test::WriteGameData(dir.string(), kPictureSide);
    std::filesystem::copy_file(kFont, dir / "data/Elixir.ttf",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::current_path(dir);
  }

  void Run(const uint8_t* data, size_t size) {
    if (!game_ || game_->app.ended() || game_->inputs >= kInputsPerGame) {
      game_.reset();
      game_ = std::make_unique<Game>();
      if (!game_->app.Start()) __builtin_trap();
    }
    ++game_->inputs;
    Budget budget;
    ScriptReader script(std::string(reinterpret_cast<const char*>(data), size));
    // What --replay asks of a file before the game starts.
    const std::optional<ScriptCommand> first = FirstScriptCommand(script);
    if (first && first->kind == ScriptCommand::Kind::kRecorded && script.line_number() != 0) {
      __builtin_trap();  // not rewound
    }
    std::string line;
    std::string problem;
    for (int lines = 0; lines < kMaxLines; ++lines) {
      // The runner stops at a line it cannot read.
      if (script.Next(line, problem) != ScriptReader::Result::kLine) break;
      const std::string_view content = ScriptLineContent(line);
      if (content.empty()) continue;
      std::optional<ScriptCommand> command = ParseScriptLine(content, problem);
      if (!command) break;
      if (command->kind == ScriptCommand::Kind::kEnd) break;
      if (!Cap(*command, budget)) continue;
      game_->app.TakeWindowEvents();
      if (!game_->runner.Execute(*command, problem)) {
        // A controller line the controller cannot carry out (a button of none plugged in) ends
        // the script, as the runner does; any other failure is the harness's file.
        if (command->kind != ScriptCommand::Kind::kPad) __builtin_trap();
        break;
      }
    }
    if (game_->app.ended()) __builtin_trap();
    if (!game_->app.errors().empty()) __builtin_trap();
  }

 private:
  struct Game {
    std::unique_ptr<Platform> platform = MakeHeadlessPlatform();
    TMainF form{*platform};
    Application app{*platform, form};
    ScriptRunner runner{*platform, form, app};
    int inputs = 0;
    int display_switches = kMaxDisplaySwitchesPerGame;

    ~Game() { app.End(); }
  };

  struct Budget {
    int events = kMaxEvents;
    int display_switches = kMaxDisplaySwitches;
    long long frames = kMaxFrames;
    long long wait_ms = kMaxWaitMs;
    int states = kMaxStates;
  };

  bool MainMenuUp() const {
    const TMainF& form = game_->form;
    return form.MenuScreen == 0 && !form.Ingame->Active && !form.Newgame_->Active;
  }

  // Whether the line would end the game: Escape reaching the main window, or a release over
  // the main menu's exit button.
  bool WouldEnd(const ScriptCommand& c) const {
    using Kind = ScriptCommand::Kind;
    switch (c.kind) {
      case Kind::kKeyDown:
      case Kind::kKey:
        return c.key.key == vk::kEscape;
      case Kind::kUp:
        return MainMenuUp() && kExitButtonRect.Contains(game_->platform->PointerPosition());
      case Kind::kClick:
        return MainMenuUp() && kExitButtonRect.Contains(c.point);
      case Kind::kPad: {
        // The controller's A button lets go (or is let go of as the controller goes) over it.
        const PadState& pad = game_->platform->pad();
        const bool releases_a =
            (c.pad.kind == PadCommand::Kind::kButton && c.pad.index == pad::kA &&
             c.pad.value == 0) ||
            (c.pad.kind == PadCommand::Kind::kDisconnect && pad.buttons[pad::kA]);
        return releases_a && MainMenuUp() &&
               kExitButtonRect.Contains(game_->platform->PointerPosition());
      }
      default:
        return false;
    }
  }

  // False for a line the harness leaves out.
  bool Cap(ScriptCommand& c, Budget& budget) {
    using Kind = ScriptCommand::Kind;
    if (WouldEnd(c)) return false;
    switch (c.kind) {
      case Kind::kPointer:
      case Kind::kClock:
        return true;
      case Kind::kFrames:
        c.number = std::min(c.number, budget.frames);
        budget.frames -= c.number;
        return true;
      case Kind::kWait:
        c.number = std::min(c.number, budget.wait_ms);
        // While the game view runs, waiting draws a frame for every refresh.
        if (game_->form.DXTimer().idle_handler()) {
          c.number = std::min(c.number, budget.frames * kFrameMs);
          budget.frames -= (c.number + kFrameMs - 1) / kFrameMs;
        }
        budget.wait_ms -= c.number;
        return true;
      case Kind::kShot:
        return false;
      // A recording's lines belong to a game that replays one from its start; what reads them is
      // fuzzed all the same.
      case Kind::kRecorded:
      case Kind::kTimer:
      case Kind::kTicks:
      case Kind::kMs:
      case Kind::kCheck:
        return false;
      case Kind::kState:
        c.text = out_;
        return budget.states-- > 0;
      case Kind::kKeyDown:
      case Kind::kKey:
        // Alt+Enter reopens the display: a few full screens of work.
        if (c.key.key == vk::kReturn && c.key.mods.alt) {
          if (budget.display_switches-- <= 0 || game_->display_switches-- <= 0) return false;
        }
        return budget.events-- > 0;
      default:
        return budget.events-- > 0;
    }
  }

  std::string out_;
  std::unique_ptr<Game> game_;
};

}  // namespace kv::fuzz
