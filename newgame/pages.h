#pragma once

#include "newgame/game_shell.h"
#include "platform/geometry.h"

namespace kv {

class GameShell;
class TNewgame;
class TIntro;

// Rectangles of the creation pages.
constexpr Rect kNameBoxRect{200, 180, 600, 280};
constexpr Rect kInfoButtonRect{150, 300, 190, 400};
constexpr Rect kCycleButtonRect{610, 300, 650, 400};
constexpr Rect kRerollButtonRect{425, 410, 573, 510};
constexpr Rect kBackButtonRect{593, 410, 741, 510};
constexpr Rect kPortraitPrevRect{329, 386, 404, 420};
constexpr Rect kPortraitNextRect{403, 386, 478, 420};
constexpr Rect kPortraitRect{329, 219, 479, 379};
constexpr Rect kIntroPictureRect{0, 0, 500, 600};
constexpr Rect kIntroTextRect{520, 50, 790, 560};
constexpr Rect kIntroPrevRect{501, 561, 576, 595};
constexpr Rect kIntroNextRect{586, 561, 661, 595};
constexpr Rect kIntroDoneRect{680, 545, 780, 595};

// Each draws a whole page on the back surface and flips.
void DrawNamePage(GameShell& shell, const TNewgame& newgame);
void DrawInfoBox(GameShell& shell, const TNewgame& newgame, int kind, int profession, int race);
void DrawAttributePage(GameShell& shell, TNewgame& newgame);     // rolls the attributes first
void DrawAttributes(GameShell& shell, const TNewgame& newgame);  // the attributes as they are
void DrawBackgroundPage(GameShell& shell, const TNewgame& newgame);
void DrawIntroBackdrop(GameShell& shell);
// A page turn: the screen keeps the old page through a short pause before the new one shows.
void DrawIntroPage(GameShell& shell, const TIntro& intro, int page);
// The same page without the pause, for showing the page again where nothing was turned.
void RedrawIntroPage(GameShell& shell, const TIntro& intro, int page);

}  // namespace kv
