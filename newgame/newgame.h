#pragma once

#include <array>
#include <cstdint>

#include "newgame/character.h"
#include "platform/geometry.h"

namespace kv {

class GameShell;
class TIntro;

// Character creation: the page state, the character being built, and every click region.
class TNewgame {
 public:
  explicit TNewgame(GameShell& shell);

  uint8_t Page = 0;
  bool Active = false;
  TIntro* Intro = nullptr;  // owned by the main window, which frees it before this object
  TCharacter Character{};
  uint8_t KeptItem = 0;
  uint8_t HiddenItem = 0;
  // The kind of the info box last shown (1 profession, 0 race), so that it can be shown again.
  uint8_t InfoKind = 0;
  // The info box's texts, one per profession then one per race; shipped empty.
  std::array<std::array<char, 401>, 11> InfoTexts{};

  void Start();
  void ShowPage();
  // Shows the page the player is on again, as it stands: the same info box, the attributes
  // without a new roll, the intro page without its page-turn pause.
  void Redraw();
  void HandleClick(Point p);
  void ConfirmName();
  void ShowInfo(int kind);
  void NextChoice(int selector);
  void Finish();

 private:
  void HandleNamePage(Point p);
  void HandleAttributePage(Point p);
  void HandleBackgroundPage(Point p);
  void HandleIntroPage(Point p);

  GameShell& shell_;
};

}  // namespace kv
