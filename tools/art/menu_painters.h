#pragma once

#include "tools/art/lettering.h"
#include "tools/art/raster.h"

// Painters behind graphic1.dat, split by screen.
namespace kv::art {

struct PanelRect {
  int left, top, right, bottom;
};

// The main menu: the hall with its five panels, and each panel lit.
Raster PaintMenu(Lettering& l);
// The menu with panel `which` (0 exit, 1 load, 2 new game, 3 options, 4 credits) lit up.
Raster PaintMenuWithLitPanel(Lettering& l, int which, const Raster& menu);
PanelRect MenuPanelRect(int which);

// The credits screen, and its return gate lit (exactly the gate's rectangle).
Raster PaintCredits(Lettering& l);
Raster PaintLitGate(Lettering& l);

// The creation pages' backdrop, their title banner, frames and buttons.
Raster PaintScroll();
Raster PaintTitleBanner(Lettering& l);
Raster PaintFrame();
Raster PaintButton();

}  // namespace kv::art
