#include "newgame/newgame.h"

#include "media/dxdraw.h"
#include "newgame/attributes.h"
#include "newgame/game_shell.h"
#include "newgame/intro.h"
#include "newgame/pages.h"
#include "platform/controls.h"
#include "platform/cp1250.h"

namespace kv {

TNewgame::TNewgame(GameShell& shell) : shell_(shell) {}

void TNewgame::Start() {
  Page = 0;
  Active = true;
  SetText(Character.Name, cp1250::FromUtf8("Neznámý hrdina"));
  SetRace(Character, kClovek);
  SetProfession(Character, kSermir);
  Character.Portrait = 6;
  KeptItem = 0;
  HiddenItem = 0;
  ShowPage();
  // Skills stay as an earlier creation left them until Finish computes them.
  ApplyStatTemplate(Character);
}

void TNewgame::ShowPage() {
  switch (Page) {
    case 0:
      DrawNamePage(shell_, *this);
      break;
    case 2:
      DrawAttributePage(shell_, *this);
      break;
    case 3:
      DrawBackgroundPage(shell_, *this);
      break;
    case 4:
      DrawIntroBackdrop(shell_);
      break;
    default:
      // The info box is drawn by ShowInfo alone.
      break;
  }
}

void TNewgame::Redraw() {
  switch (Page) {
    case 0:
      DrawNamePage(shell_, *this);
      break;
    case 1:
      DrawInfoBox(shell_, *this, InfoKind, Character.Profession, Character.Race);
      break;
    case 2:
      DrawAttributes(shell_, *this);
      break;
    case 3:
      DrawBackgroundPage(shell_, *this);
      break;
    case 4:
      RedrawIntroPage(shell_, *Intro, Intro->Page);
      break;
    default:
      break;
  }
}

void TNewgame::HandleClick(Point p) {
  // The tests of the page the release arrived on are all made, each on its own, even when an
  // action has already changed the page.
  switch (Page) {
    case 0:
      HandleNamePage(p);
      break;
    case 1:
      shell_.PlaySoundByName("Button");
      Page = 0;
      ShowPage();
      break;
    case 2:
      HandleAttributePage(p);
      break;
    case 3:
      HandleBackgroundPage(p);
      break;
    case 4:
      HandleIntroPage(p);
      break;
    default:
      break;
  }
}

void TNewgame::HandleNamePage(Point p) {
  if (kNextButtonRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    Page = 2;
    ShowPage();
  }
  if (kNameBoxRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    // The field comes up ready for typing: it takes the keyboard with the whole name selected,
    // so the first key typed replaces it.
    shell_.NEdit().SetText(TextOf(Character.Name));
    shell_.NEdit().SelectAll();
    shell_.ShowControl(shell_.NEdit(), true);
    shell_.FocusControl(shell_.NEdit());
  }
  if (kInfoButtonRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    ShowInfo(1);
  }
  if (kInfoButtonRect.Offset(0, 120).Contains(p)) {
    shell_.PlaySoundByName("Button");
    ShowInfo(0);
  }
  if (kCycleButtonRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    NextChoice(1);
  }
  if (kCycleButtonRect.Offset(0, 120).Contains(p)) {
    shell_.PlaySoundByName("Button");
    NextChoice(0);
  }
}

void TNewgame::HandleAttributePage(Point p) {
  if (kNextButtonRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    Page = 3;
    ShowPage();
  }
  if (kBackButtonRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    Page = 0;
    ShowPage();
  }
  if (kRerollButtonRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    ShowPage();
  }
}

void TNewgame::HandleBackgroundPage(Point p) {
  if (kNextButtonRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    Page = 4;
    ShowPage();
    Intro->Start();
  }
  if (kPortraitNextRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    Character.Portrait = Character.Portrait + 1 == 26 ? 1 : Character.Portrait + 1;
    ShowPage();
  }
  if (kPortraitPrevRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    Character.Portrait = Character.Portrait - 1 == 0 ? 25 : Character.Portrait - 1;
    ShowPage();
  }
  // Item rows; the pixel rows between them select nothing.
  const Rect kept[] = {
      {60, 285, 289, 306}, {60, 307, 289, 327}, {60, 328, 289, 348}, {60, 348, 289, 379}};
  const Rect hidden[] = {
      {507, 285, 736, 306}, {507, 307, 736, 327}, {507, 328, 736, 348}, {507, 348, 736, 379}};
  for (uint8_t row = 0; row < 4; ++row) {
    if (kept[row].Contains(p)) {
      shell_.PlaySoundByName("Button");
      KeptItem = row;
      ShowPage();
    }
  }
  for (uint8_t row = 0; row < 4; ++row) {
    if (hidden[row].Contains(p)) {
      shell_.PlaySoundByName("Button");
      HiddenItem = row;
      ShowPage();
    }
  }
}

void TNewgame::HandleIntroPage(Point p) {
  // Each test sees the page the one before it left; the arrows play no sound.
  if (Intro->Page != 1 && kIntroPrevRect.Contains(p)) {
    Intro->Page = static_cast<uint8_t>(Intro->Page - 1);
    Intro->ShowPage(Intro->Page);
  }
  if (Intro->Page != 10 && kIntroNextRect.Contains(p)) {
    Intro->Page = static_cast<uint8_t>(Intro->Page + 1);
    Intro->ShowPage(Intro->Page);
  }
  if (Intro->Page == 10 && kIntroDoneRect.Contains(p)) {
    shell_.PlaySoundByName("Button");
    Finish();
  }
}

void TNewgame::ConfirmName() {
  EditControl& edit = shell_.NEdit();
  SetText(Character.Name, edit.text);
  shell_.ShowControl(edit, false);
  ShowPage();
}

void TNewgame::ShowInfo(int kind) {
  Page = 1;
  InfoKind = static_cast<uint8_t>(kind);
  DrawInfoBox(shell_, *this, kind, Character.Profession, Character.Race);
}

void TNewgame::NextChoice(int selector) {
  if (selector == 1) {
    SetProfession(Character, Character.Profession == 5 ? 0 : Character.Profession + 1);
  } else if (selector == 0) {
    SetRace(Character, Character.Race == 4 ? 0 : Character.Race + 1);
  }
  // Both names are rewritten whichever changed, and the portrait starts at the race's first.
  SetRace(Character, Character.Race);
  SetProfession(Character, Character.Profession);
  Character.Portrait = FirstPortrait(Character.Race);
  ShowPage();
}

void TNewgame::Finish() {
  FillSurface(*shell_.DXDraw().BackSurface(), 0);
  shell_.DXDraw().FlipDisplay();
  ComputeSkills(Character.Race, Character.Profession, Character.Skills);
  shell_.EnterGame();
}

}  // namespace kv
