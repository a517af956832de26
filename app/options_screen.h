#pragma once

#include "platform/geometry.h"

namespace kv {

class TMainF;

// The OK button of the options screen; the creation pages' "Další" shares it.
constexpr Rect kNextButtonRect{350, 530, 450, 580};

void DrawOptionsScreen(TMainF& form);
void OptionsMouseUp(TMainF& form, Point p);

}  // namespace kv
