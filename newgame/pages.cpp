#include "newgame/pages.h"

#include <string>

#include "media/canvas.h"
#include "media/dxdraw.h"
#include "media/image_list.h"
#include "newgame/attributes.h"
#include "newgame/game_shell.h"
#include "newgame/intro.h"
#include "newgame/newgame.h"
#include "platform/controls.h"
#include "platform/cp1250.h"
#include "platform/platform.h"

namespace kv {
namespace {

constexpr Color kYellow = Rgb(255, 255, 0);
constexpr Color kLime = Rgb(0, 255, 0);
constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kYellowGreen = Rgb(150, 255, 0);
constexpr Color kCyan = Rgb(0, 255, 255);
constexpr Color kOrange = Rgb(250, 100, 0);
constexpr Color kDarkGreen = Rgb(0, 128, 0);
constexpr Rect kScreen{0, 0, 800, 600};

FontDesc Face(const char* face, int size, Color color) {
  FontDesc font = MakeGameFont(size, color);
  font.face = face;
  return font;
}

// Source texts are written in UTF-8 and drawn as the code page's bytes.
std::string T(const char* utf8) {
  return cp1250::FromUtf8(utf8);
}

Surface& Back(GameShell& shell) {
  return *shell.DXDraw().BackSurface();
}

void Stretch(GameShell& shell, const char* name, const Rect& r) {
  StretchPattern(shell.JPEGS().Items.FindItemByName(name), Back(shell), r, 0);
}

void CommonBackdrop(GameShell& shell) {
  Stretch(shell, "Scroll", kScreen);
  DrawPattern(shell.JPEGS().Items.FindItemByName("NGText"), Back(shell), 130, 50, 0);
}

// Everything of an intro page but the black it is drawn over.
void DrawIntroPageOverBlack(GameShell& shell, const TIntro& intro, int page) {
  const bool valid = page >= 1 && page <= 10;
  if (valid) {
    StretchPattern(shell.Intro().Items.Items(page - 1), Back(shell), kIntroPictureRect, 0);
  }
  if (intro.Page != 1) Stretch(shell, "Button", kIntroPrevRect);
  if (intro.Page != 10) Stretch(shell, "Button", kIntroNextRect);
  if (intro.Page == 10) Stretch(shell, "Button", kIntroDoneRect);

  TextCanvas& canvas = SurfaceCanvas(Back(shell));
  canvas.SetFont(Face("Arial CE", 11, kYellow));
  canvas.SetBackgroundTransparent();
  if (valid) {
    const auto& text = intro.Texts[static_cast<size_t>(page - 1)];
    canvas.DrawTextWordBreak(kIntroTextRect, TextOf(text), false);
  }
  canvas.SetFont(Face("Times New Roman", 18, kRed));
  if (intro.Page != 1) canvas.TextOut(531, 566, "<");
  if (intro.Page != 10) canvas.TextOut(616, 566, ">");
  if (intro.Page == 10) {
    canvas.SetFont(MakeGameFont(18, kYellow));
    canvas.TextOut(695, 555, T("další"));
  }
  ReleaseCanvas(canvas);
  shell.DXDraw().FlipDisplay();
}

}  // namespace

void DrawNamePage(GameShell& shell, const TNewgame& newgame) {
  CommonBackdrop(shell);
  Stretch(shell, "Braz", kNameBoxRect);
  Stretch(shell, "Braz", {200, 300, 600, 400});
  Stretch(shell, "Braz", {200, 420, 600, 520});
  Stretch(shell, "Button", kNextButtonRect);
  Stretch(shell, "Button", kInfoButtonRect);
  Stretch(shell, "Button", kInfoButtonRect.Offset(0, 120));
  Stretch(shell, "Button", kCycleButtonRect);
  Stretch(shell, "Button", kCycleButtonRect.Offset(0, 120));

  TextCanvas& canvas = SurfaceCanvas(Back(shell));
  canvas.SetBackgroundTransparent();
  canvas.SetFont(MakeGameFont(18, kYellow));
  canvas.TextOut(365, 543, T("Další"));
  canvas.SetFont(MakeGameFont(25, kYellow));
  canvas.TextOut(280, 186, T("Tvoje jméno:"));
  canvas.TextOut(250, 306, T("Tvoje Povolání:"));
  canvas.TextOut(295, 426, T("Tvoje rasa:"));
  canvas.font.color = kLime;
  const TCharacter& c = newgame.Character;
  canvas.DrawTextCentered({200, 230, 600, 280}, TextOf(c.Name));
  canvas.DrawTextCentered({200, 350, 600, 400}, ProfessionName(c.Profession));
  canvas.DrawTextCentered({200, 470, 600, 520}, RaceName(c.Race));
  canvas.SetFont(Face("Times New Roman", 30, kRed));
  canvas.TextOut(165, 325, "i");
  canvas.TextOut(165, 445, "i");
  canvas.TextOut(620, 325, ">");
  canvas.TextOut(620, 445, ">");
  ReleaseCanvas(canvas);
  shell.DXDraw().FlipDisplay();
}

void DrawInfoBox(GameShell& shell, const TNewgame& newgame, int kind, int profession, int race) {
  Stretch(shell, "Scroll", kScreen);
  TextCanvas& canvas = SurfaceCanvas(Back(shell));
  canvas.SetBackgroundTransparent();
  canvas.SetFont(MakeGameFont(36, kOrange));
  canvas.TextOut(254, 84, "Informace");
  canvas.SetFont(MakeGameFont(36, kYellow));
  canvas.TextOut(250, 80, "Informace");

  const int entry = kind == 1 ? profession : 6 + race;
  if (entry >= 0 && entry < static_cast<int>(newgame.InfoTexts.size())) {
    const auto& text = newgame.InfoTexts[static_cast<size_t>(entry)];
    canvas.SetFont(Face("Arial CE", 12, kYellow));
    canvas.DrawTextWordBreak({400, 200, 740, 400}, TextOf(text), false);
    canvas.Draw(100, 200, shell.InfoPicture(entry));
  }
  ReleaseCanvas(canvas);
  shell.DXDraw().FlipDisplay();
}

void DrawAttributePage(GameShell& shell, TNewgame& newgame) {
  Random random;
  random.Seed(static_cast<uint32_t>(shell.platform().TimeOfDay()));
  RollAttributes(newgame.Character, random);
  DrawAttributes(shell, newgame);
}

void DrawAttributes(GameShell& shell, const TNewgame& newgame) {
  CommonBackdrop(shell);
  for (int i = 0; i < 6; ++i) Stretch(shell, "Braz", {60, 140 + 55 * i, 376, 181 + 55 * i});
  for (int i = 0; i < 5; ++i) Stretch(shell, "Braz", {425, 140 + 55 * i, 741, 181 + 55 * i});
  Stretch(shell, "Button", kNextButtonRect);
  Stretch(shell, "Button", kRerollButtonRect);
  Stretch(shell, "Button", kBackButtonRect);

  const TCharacter& c = newgame.Character;
  TextCanvas& canvas = SurfaceCanvas(Back(shell));
  canvas.SetBackgroundTransparent();
  canvas.SetFont(MakeGameFont(22, kYellowGreen));
  // A stat's name shows up to its terminator, at most 21 characters.
  const auto name = [&](int stat) { return TextOf(c.Stats[stat].Name).substr(0, 21); };
  for (int i = 0; i < 6; ++i) canvas.TextOut(80, 142 + 55 * i, name(i));
  for (int i = 0; i < 5; ++i) canvas.TextOut(445, 142 + 55 * i, name(13 + i));
  canvas.SetFont(MakeGameFont(18, kYellow));
  canvas.TextOut(365, 543, T("Další"));
  canvas.TextOut(447, 443, T("Nové vl."));
  canvas.TextOut(635, 443, T("Zpět"));
  canvas.SetFont(MakeGameFont(22, kRed));
  for (int i = 0; i < 6; ++i) {
    canvas.TextOut(340, 142 + 55 * i, std::to_string(c.Stats[i].Value));
  }
  for (int i = 0; i < 5; ++i) {
    canvas.TextOut(705, 142 + 55 * i, std::to_string(c.Stats[13 + i].Value));
  }
  canvas.SetFont(MakeGameFont(12, kCyan));
  canvas.TextOut(60, 470, TextOf(c.Name));
  canvas.TextOut(60, 490, TextOf(c.ProfessionName));
  canvas.TextOut(60, 510, TextOf(c.RaceName));
  ReleaseCanvas(canvas);
  shell.DXDraw().FlipDisplay();
}

void DrawBackgroundPage(GameShell& shell, const TNewgame& newgame) {
  CommonBackdrop(shell);
  Stretch(shell, "Button", kPortraitNextRect);
  Stretch(shell, "Button", kPortraitPrevRect);
  Stretch(shell, "Button", kNextButtonRect);
  StretchPattern(shell.Other().Items.Items(newgame.Character.Portrait), Back(shell), kPortraitRect,
                 0);

  const ListBox& kept = shell.HistList();
  const ListBox& hidden = shell.SaveList();
  const auto row = [](const ListBox& list, int index) -> std::string {
    return index >= 0 && index < static_cast<int>(list.rows.size())
               ? list.rows[static_cast<size_t>(index)]
               : std::string();
  };

  TextCanvas& canvas = SurfaceCanvas(Back(shell));
  canvas.SetBackgroundTransparent();
  canvas.SetFont(MakeGameFont(18, kYellow));
  canvas.TextOut(365, 543, T("Další"));
  canvas.SetFont(MakeGameFont(13, kYellow));
  canvas.DrawTextWordBreak({50, 160, 325, 200}, T("Z předchozích dobrodružství máš:"), true);
  canvas.DrawTextWordBreak({483, 160, 750, 200}, T("Únosci neobjevili tvoje:"), true);
  canvas.SetFont(Face("Times New Roman", 21, kRed));
  canvas.DrawTextCentered(kPortraitPrevRect, "<");
  canvas.DrawTextCentered(kPortraitNextRect, ">");
  canvas.SetFont(MakeGameFont(16, kRed));
  canvas.TextOut(60, 230, row(kept, newgame.KeptItem));
  canvas.TextOut(507, 230, row(hidden, newgame.HiddenItem));
  canvas.SetFont(MakeGameFont(16, kYellow));
  for (int i = 0; i < 4; ++i) {
    canvas.TextOut(60, 285 + 21 * i, row(kept, i));
    canvas.TextOut(507, 285 + 21 * i, row(hidden, i));
  }
  ReleaseCanvas(canvas);

  // The highlights mix into the pixels, so they come after the canvas is given back.
  BlendFillRect(Back(shell), {60, 285 + 21 * newgame.KeptItem, 289, 306 + 21 * newgame.KeptItem},
                kDarkGreen, 100);
  BlendFillRect(Back(shell),
                {507, 285 + 21 * newgame.HiddenItem, 736, 306 + 21 * newgame.HiddenItem},
                kDarkGreen, 100);
  shell.DXDraw().FlipDisplay();
}

void DrawIntroBackdrop(GameShell& shell) {
  CommonBackdrop(shell);
  shell.DXDraw().FlipDisplay();
}

void DrawIntroPage(GameShell& shell, const TIntro& intro, int page) {
  FillSurface(Back(shell), 0);
  shell.platform().Sleep(100);
  DrawIntroPageOverBlack(shell, intro, page);
}

void RedrawIntroPage(GameShell& shell, const TIntro& intro, int page) {
  FillSurface(Back(shell), 0);
  DrawIntroPageOverBlack(shell, intro, page);
}

}  // namespace kv
