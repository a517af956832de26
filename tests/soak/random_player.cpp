#include "soak/random_player.h"

#include <algorithm>

#include "app/main_form.h"
#include "app/main_menu.h"
#include "ingame/ingame.h"
#include "newgame/intro.h"
#include "newgame/newgame.h"
#include "newgame/pages.h"

namespace kv::soak {
namespace {

constexpr Rect kGameOptionsIcon{5, 105, 45, 145};
// Rows of the background page's two item lists.
constexpr Rect kKeptItems{60, 285, 289, 379};
constexpr Rect kHiddenItems{507, 285, 736, 379};

// Keys a player may press anywhere; Escape is left for the end.
constexpr const char* kKeys[] = {"Enter",  "Alt+Enter", "Ctrl+Enter", "Space",  "Backspace", "Tab",
                                 "Delete", "Home",      "End",        "Left",   "Right",     "Up",
                                 "Down",   "A",         "Z",          "K",      "J",         "H",
                                 "L",      "KP8",       "KP2",        "KP4",    "KP6",       "F2",
                                 "7",      "Shift+S",   "Ctrl+C",     "Alt+F4", "PageUp",    "X"};
// Keys held down to walk, each binding of the four directions.
constexpr const char* kWalkKeys[] = {"Up", "Down", "Left", "Right", "K",   "J",
                                     "H",  "L",    "KP8",  "KP2",   "KP4", "KP6"};
// Typed into the name field: plain, Czech, too long, and characters the code page lacks.
constexpr const char* kTexts[] = {"Abc",
                                  "Šárka Žluťoučká",
                                  "x",
                                  "Příliš dlouhé jméno hrdiny, co se nevejde",
                                  "emoji 😀 here",
                                  "tab\tand # hash",
                                  " ",
                                  "ĚŠČŘŽÝÁÍÉ ěščřžýáíé",
                                  "\xc2\xa0no-break\xc2\xa0space"};

}  // namespace

const char* ScreenName(Screen screen) {
  static constexpr const char* kNames[] = {"main menu", "credits", "options",     "creation",
                                           "intro",     "game",    "game options"};
  return kNames[static_cast<int>(screen)];
}

Screen ScreenOf(TMainF& form) {
  if (form.Ingame && form.Ingame->Active) {
    return form.Ingame->SubScreen == 1 ? Screen::kGameOptions : Screen::kGame;
  }
  if (form.Newgame_ && form.Newgame_->Active) {
    return form.Newgame_->Page == 4 ? Screen::kIntro : Screen::kCreation;
  }
  if (form.MenuScreen == 1) return Screen::kCredits;
  if (form.MenuScreen == 3) return Screen::kOptions;
  return Screen::kMainMenu;
}

RandomPlayer::RandomPlayer(uint64_t seed, long long frames) : rng_(seed), frames_(frames) {}

RandomPlayer::Stage RandomPlayer::StageNow() const {
  if (frames_played_ < frames_ * 15 / 100) return Stage::kMenus;
  if (frames_played_ < frames_ * 30 / 100) return Stage::kCreation;
  return Stage::kGame;
}

std::string RandomPlayer::Next(TMainF& form) {
  const Screen screen = ScreenOf(form);
  ++lines_by_screen_[static_cast<int>(screen)];
  if (frames_played_ >= frames_) {
    // Everything let go, the focus back: the program is ready to end.
    if (deactivated_) return deactivated_ = false, "activate";
    if (button_held_ && Forbidden(form, screen, pointer_)) {
      pointer_ = {400, 590};  // on no button of any screen but the game's bottom bar
      return "pointer 400 590";
    }
    if (button_held_) return button_held_ = false, "up";
    if (!held_keys_.empty()) {
      std::string key = held_keys_.back();
      held_keys_.pop_back();
      return "keyup " + key;
    }
    return {};
  }
  std::string lead = Lead(form, screen);
  if (!lead.empty()) return lead;
  return Random(form, screen);
}

// Leads on to the screens of the stage once the screens before it have had their share.
std::string RandomPlayer::Lead(TMainF& form, Screen screen) {
  if (Roll(4) != 0) return {};
  const Stage stage = StageNow();
  const auto click = [this](const Rect& r) {
    // The new-game button's top row lies in the exit button too.
    do {
      pointer_ = Inside(r);
    } while (kExitButtonRect.Contains(pointer_));
    return "click " + std::to_string(pointer_.x) + " " + std::to_string(pointer_.y);
  };
  if (stage == Stage::kMenus) {
    // Turns between the three menu screens, the one seen least next.
    const auto lines = [this](Screen s) { return lines_by_screen_[static_cast<int>(s)]; };
    if (Roll(3) != 0) return {};
    if (screen == Screen::kCredits) return click(kCreditsReturnRect);
    if (screen == Screen::kOptions) return click(kNextButtonRect);
    return click(lines(Screen::kCredits) < lines(Screen::kOptions) ? kCreditsButtonRect
                                                                   : kOptionsButtonRect);
  }
  switch (screen) {
    case Screen::kCredits:
      return click(kCreditsReturnRect);
    case Screen::kOptions:
      return click(kNextButtonRect);
    case Screen::kMainMenu:
      return click(stage == Stage::kCreation ? kNewButtonRect : kLoadButtonRect);
    case Screen::kGameOptions:
      return Roll(3) == 0 ? click(kNextButtonRect) : std::string();
    case Screen::kCreation:
      if (stage == Stage::kGame && form.Newgame_->Page != 1) return click(kNextButtonRect);
      return {};
    case Screen::kIntro:
      if (stage != Stage::kGame) return {};
      return click(form.Newgame_->Intro->Page == 10 ? kIntroDoneRect : kIntroNextRect);
    default:
      return {};
  }
}

std::string RandomPlayer::Random(TMainF& form, Screen screen) {
  const auto at = [](Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); };
  if (deactivated_ && Roll(3) == 0) return deactivated_ = false, "activate";
  const int roll = Roll(100);
  if (roll < 20) {
    const std::vector<Rect> buttons = Buttons(form, screen);
    pointer_ = Roll(3) == 0 ? Inside(buttons[Roll(static_cast<int>(buttons.size()))]) : Anywhere();
    return (Roll(8) == 0 ? "pointer " : "move ") + at(pointer_);
  }
  if (roll < 45) return Click(form, screen);
  if (roll < 50 && !button_held_) {
    // A drag: down here, released by a later line somewhere else.
    button_held_ = true;
    return Roll(4) == 0 ? "down right" : "down";
  }
  if (roll < 56 && button_held_ && !Forbidden(form, screen, pointer_)) {
    button_held_ = false;
    return "up";
  }
  if (roll < 64) return "key " + AnyKey();
  if (roll < 70) {
    if (held_keys_.size() < 3 && Roll(2) == 0) {
      held_keys_.push_back(kWalkKeys[Roll(static_cast<int>(std::size(kWalkKeys)))]);
      return "keydown " + held_keys_.back();
    }
    if (!held_keys_.empty()) {
      const size_t which = static_cast<size_t>(Roll(static_cast<int>(held_keys_.size())));
      const std::string key = held_keys_[which];
      held_keys_.erase(held_keys_.begin() + static_cast<long>(which));
      return "keyup " + key;
    }
  }
  if (roll < 76) return "type " + Text();
  if (roll < 79 && !deactivated_) return deactivated_ = true, "deactivate";
  if (roll < 81) return "key Alt+Enter";
  if (roll < 83) return "wait " + std::to_string(Roll(600));
  if (roll < 84 && Roll(20) == 0) return "state soak-midway.json";
  return Frames(screen);
}

std::string RandomPlayer::Click(TMainF& form, Screen screen) {
  const std::vector<Rect> buttons = Buttons(form, screen);
  for (int attempt = 0; attempt < 8; ++attempt) {
    const Point p =
        Roll(2) == 0 ? Inside(buttons[Roll(static_cast<int>(buttons.size()))]) : Anywhere();
    if (Forbidden(form, screen, p)) continue;
    pointer_ = p;
    static constexpr const char* kButtons[] = {"", " left", " right", " middle"};
    return "click " + std::to_string(p.x) + " " + std::to_string(p.y) + kButtons[Roll(4)];
  }
  return Frames(screen);
}

std::string RandomPlayer::Frames(Screen screen) {
  // Long runs in the game, where every frame draws; short ones elsewhere.
  const long long left = frames_ - frames_played_;
  const bool playing = screen == Screen::kGame;
  const long long n = std::min<long long>(left, 1 + Roll(playing ? 120 : 30));
  frames_played_ += n;
  by_screen_[static_cast<int>(screen)] += n;
  return "frames " + std::to_string(n);
}

std::string RandomPlayer::Text() {
  return kTexts[Roll(static_cast<int>(std::size(kTexts)))];
}

std::string RandomPlayer::AnyKey() {
  return kKeys[Roll(static_cast<int>(std::size(kKeys)))];
}

// Mostly on the display, sometimes over its edges and beyond.
Point RandomPlayer::Anywhere() {
  if (Roll(10) == 0) return {Roll(2000) - 600, Roll(1600) - 500};
  return {Roll(840) - 20, Roll(640) - 20};
}

Point RandomPlayer::Inside(const Rect& r) {
  return {r.left + Roll(r.right - r.left), r.top + Roll(r.bottom - r.top)};
}

std::vector<Rect> RandomPlayer::Buttons(TMainF& form, Screen screen) const {
  const auto sliders = [&form] {
    return std::vector<Rect>{form.SVolTrack.bounds, form.MVolTrack.bounds, form.HSpeedTrack.bounds,
                             form.GSpeedtrack.bounds, kNextButtonRect};
  };
  switch (screen) {
    case Screen::kMainMenu:
      return {kLoadButtonRect, kNewButtonRect, kOptionsButtonRect, kCreditsButtonRect};
    case Screen::kCredits:
      return {kCreditsReturnRect};
    case Screen::kOptions:
    case Screen::kGameOptions:
      return sliders();
    case Screen::kCreation:
      return {kNextButtonRect,
              kNameBoxRect,
              kInfoButtonRect,
              kCycleButtonRect,
              kInfoButtonRect.Offset(0, 120),
              kCycleButtonRect.Offset(0, 120),
              kRerollButtonRect,
              kBackButtonRect,
              kPortraitPrevRect,
              kPortraitNextRect,
              kKeptItems,
              kHiddenItems};
    case Screen::kIntro:
      return {kIntroPrevRect, kIntroNextRect, kIntroDoneRect, kIntroTextRect};
    case Screen::kGame:
      return {kGameOptionsIcon, Rect{300, 150, 500, 350}};
  }
  return {Rect{0, 0, 800, 600}};
}

bool RandomPlayer::Forbidden(TMainF& form, Screen screen, Point p) const {
  const Stage stage = StageNow();
  if (screen == Screen::kMainMenu) {
    if (kExitButtonRect.Contains(p)) return true;
    if (stage == Stage::kMenus && (kLoadButtonRect.Contains(p) || kNewButtonRect.Contains(p))) {
      return true;
    }
    if (stage == Stage::kCreation && kLoadButtonRect.Contains(p)) return true;
  }
  // The creation pages have the first half of their stage, the intro the second.
  if (screen == Screen::kCreation && kNextButtonRect.Contains(p) && form.Newgame_->Page == 3) {
    return stage == Stage::kMenus ||
           (stage == Stage::kCreation && frames_played_ < frames_ * 22 / 100);
  }
  if (screen == Screen::kIntro && stage != Stage::kGame && kIntroDoneRect.Contains(p)) {
    return form.Newgame_->Intro->Page == 10;
  }
  return false;
}

}  // namespace kv::soak
