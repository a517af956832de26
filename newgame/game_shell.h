#pragma once

#include <exception>
#include <string_view>

#include "platform/fonts.h"
#include "platform/geometry.h"

namespace kv {

class Platform;
class TDXDraw;
class TDXTimer;
class TDXImageList;
class EditControl;
class ListBox;
class Picture;
class TNewgame;

// What the game modes (character creation and the game screen) ask of the main window: its
// components, its controls and the shell operations they call. The main window implements it;
// tests implement it with a small fake.
class GameShell {
 public:
  virtual ~GameShell() = default;

  virtual Platform& platform() = 0;
  virtual TDXDraw& DXDraw() = 0;
  virtual TDXTimer& DXTimer() = 0;

  virtual TDXImageList& JPEGS() = 0;
  virtual TDXImageList& Other() = 0;
  virtual TDXImageList& Intro() = 0;
  virtual TDXImageList& IngameL() = 0;
  virtual TDXImageList& Base() = 0;
  virtual TDXImageList& HeroFr() = 0;

  virtual EditControl& NEdit() = 0;
  virtual ListBox& HistList() = 0;
  virtual ListBox& SaveList() = 0;
  virtual Picture& InfoPicture(int index) = 0;
  // Shows or hides a control (a hidden control gives the keyboard back to the main window).
  virtual void ShowControl(EditControl& control, bool visible) = 0;
  // Gives a shown control the keyboard (the caret stays where the control has it).
  virtual void FocusControl(EditControl& control) = 0;

  virtual TNewgame& Newgame() = 0;

  virtual void PlaySoundByName(std::string_view name) = 0;
  virtual void DrawOptionsScreen() = 0;
  virtual void HideOptionsControls() = 0;
  // The game screen's entry (character creation finishes into it).
  virtual void EnterGame() = 0;
  // Reports a failure as the message loop reports an error, without abandoning the handler
  // that ran into it: for failures after which the handler can and must go on to its end.
  virtual void ReportError(const std::exception& error) = 0;
};

// The "Další" button of the creation pages and the options screen's OK button: one place.
constexpr Rect kNextButtonRect{350, 530, 450, 580};

// The game font: "Elixir", bold, at a size in points and a colour.
inline FontDesc MakeGameFont(int size, Color color) {
  return FontDesc{"Elixir", size, 0, color, true};
}

}  // namespace kv
