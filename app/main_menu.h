#pragma once

#include "platform/geometry.h"

namespace kv {

class TMainF;

constexpr Rect kExitButtonRect{10, 30, 231, 376};
constexpr Rect kLoadButtonRect{425, 345, 716, 541};
constexpr Rect kNewButtonRect{115, 375, 406, 476};
constexpr Rect kOptionsButtonRect{465, 75, 791, 326};
constexpr Rect kCreditsButtonRect{330, 70, 452, 250};
constexpr Rect kCreditsReturnRect{234, 1, 548, 348};

constexpr const char* kVersionText = "Kervana IV v.0.2-June 2000";

void DrawMainMenu(TMainF& form);
void MainMenuMouseMove(TMainF& form, Point p);
void MainMenuMouseUp(TMainF& form, Point p);

void DrawCredits(TMainF& form);
void CreditsMouseMove(TMainF& form, Point p);
void CreditsMouseUp(TMainF& form, Point p);

}  // namespace kv
