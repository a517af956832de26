#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace kv {

class TMainF;

namespace soak {

// The screens a player can be on.
enum class Screen { kMainMenu, kCredits, kOptions, kCreation, kIntro, kGame, kGameOptions };
constexpr int kScreenCount = 7;
const char* ScreenName(Screen screen);
Screen ScreenOf(TMainF& form);

// Plays the game with random input: each script line is picked from what the screen under it
// offers (pointer moves, clicks on its buttons and anywhere else, drags, held keys and mouse
// buttons, typing, focus going and coming back, Alt+Enter, runs of frames and of clock time),
// and the player leads from screen to screen so that each gets a share of the frames: the menus
// first, then character creation and the intro, then the game and its options, there being no
// way back from the game. Nothing ends the program (no Escape, no exit button) until the
// frames are spent.
class RandomPlayer {
 public:
  RandomPlayer(uint64_t seed, long long frames);

  // The next line to play on the game as it stands; empty once the frames are spent and
  // everything held has been let go.
  std::string Next(TMainF& form);

  long long frames_played() const { return frames_played_; }
  const std::array<long long, kScreenCount>& frames_by_screen() const { return by_screen_; }
  const std::array<long long, kScreenCount>& lines_by_screen() const { return lines_by_screen_; }

 private:
  enum class Stage { kMenus, kCreation, kGame };

  Stage StageNow() const;
  std::string Lead(TMainF& form, Screen screen);
  std::string Random(TMainF& form, Screen screen);
  std::string Click(TMainF& form, Screen screen);
  std::string Frames(Screen screen);
  std::string Text();
  std::string AnyKey();
  Point Anywhere();
  Point Inside(const Rect& r);
  std::vector<Rect> Buttons(TMainF& form, Screen screen) const;
  // Whether a release at p would leave the screen before its stage is over, or end the program.
  bool Forbidden(TMainF& form, Screen screen, Point p) const;
  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  std::mt19937_64 rng_;
  long long frames_ = 0;
  long long frames_played_ = 0;
  std::array<long long, kScreenCount> by_screen_{};
  std::array<long long, kScreenCount> lines_by_screen_{};
  Point pointer_{400, 300};
  std::vector<std::string> held_keys_;
  bool button_held_ = false;
  bool deactivated_ = false;
};

}  // namespace soak
}  // namespace kv
