#include "app/main_menu.h"

#include "app/main_form.h"
#include "ingame/ingame.h"
#include "media/canvas.h"
#include "newgame/newgame.h"

namespace kv {
namespace {

struct MenuButton {
  Rect rect;
  uint8_t number;
  const char* lit_picture;
};

// In the order the hover handling tests them.
constexpr MenuButton kHoverOrder[] = {
    {kExitButtonRect, 1, "Exit"}, {kNewButtonRect, 3, "New"},     {kCreditsButtonRect, 5, "Cred"},
    {kLoadButtonRect, 2, "Load"}, {kOptionsButtonRect, 4, "Opt"},
};

Rect ClientRect() {
  return {0, 0, 800, 600};
}

}  // namespace

void DrawMainMenu(TMainF& form) {
  Surface& back = *form.DXDraw().BackSurface();
  DrawPattern(form.JPEGS().Items.FindItemByName("Menu"), back, 0, 0, 0);
  TextCanvas& canvas = SurfaceCanvas(back);
  canvas.SetFont(MakeGameFont(10, Rgb(255, 255, 0)));
  canvas.SetBackgroundTransparent();
  canvas.TextOut(5, 580, kVersionText);
  ReleaseCanvas(canvas);
  form.DXDraw().FlipDisplay();
}

void MainMenuMouseMove(TMainF& form, Point p) {
  for (const MenuButton& button : kHoverOrder) {
    if (button.rect.Contains(p) && button.number != form.MenuHover) {
      DrawMainMenu(form);
      DrawPattern(form.JPEGS().Items.FindItemByName(button.lit_picture),
                  *form.DXDraw().BackSurface(), button.rect.left, button.rect.top, 0);
      form.DXDraw().FlipDisplay();
      form.MenuHover = button.number;
      return;
    }
  }
  bool inside_any = false;
  for (const MenuButton& button : kHoverOrder) inside_any = inside_any || button.rect.Contains(p);
  if (!inside_any && form.MenuHover != 0) {
    form.MenuHover = 0;
    DrawMainMenu(form);
  }
}

void MainMenuMouseUp(TMainF& form, Point p) {
  // Every rectangle that holds the point acts, one after the other.
  if (kExitButtonRect.Contains(p)) {
    form.PlaySoundByName("Button");
    form.WipeAndClose();
  }
  if (kCreditsButtonRect.Contains(p)) {
    form.PlaySoundByName("Button");
    FillSurface(*form.DXDraw().FrontSurface(), 0);
    form.GoToCredits();
  }
  if (kLoadButtonRect.Contains(p)) {
    form.PlaySoundByName("Button");
    form.Ingame->Enter();
  }
  if (kOptionsButtonRect.Contains(p)) {
    form.PlaySoundByName("Button");
    form.MenuScreen = 3;
    form.Ingame->EnterOptions();
  }
  if (kNewButtonRect.Contains(p)) {
    form.PlaySoundByName("Button");
    form.Newgame().Start();
  }
}

void DrawCredits(TMainF& form) {
  Surface& back = *form.DXDraw().BackSurface();
  StretchPattern(form.JPEGS().Items.FindItemByName("Info"), back, ClientRect(), 0);
  TPictureCollectionItem& logo = form.Other().Items.FindItemByName("Logo");
  DrawPattern(logo, back, 67, 50, 0);
  DrawPattern(logo, back, 633, 50, 0);
  form.DXDraw().FlipDisplay();
}

void CreditsMouseMove(TMainF& form, Point p) {
  const bool inside = kCreditsReturnRect.Contains(p);
  if (inside && !form.CreditsHover) {
    StretchPattern(form.JPEGS().Items.FindItemByName("Tavorind"), *form.DXDraw().BackSurface(),
                   kCreditsReturnRect, 0);
    form.CreditsHover = true;
    form.DXDraw().FlipDisplay();
  } else if (!inside && form.CreditsHover) {
    DrawCredits(form);
    form.CreditsHover = false;
  }
}

void CreditsMouseUp(TMainF& form, Point p) {
  if (!kCreditsReturnRect.Contains(p)) return;
  form.PlaySoundByName("Button");
  FillSurface(*form.DXDraw().FrontSurface(), 0);
  form.BackToMainMenu();
}

}  // namespace kv
