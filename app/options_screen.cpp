#include "app/options_screen.h"

#include "app/main_form.h"
#include "media/canvas.h"

namespace kv {

void DrawOptionsScreen(TMainF& form) {
  Surface& back = *form.DXDraw().BackSurface();
  StretchPattern(form.JPEGS().Items.FindItemByName("Scroll"), back, Rect{0, 0, 800, 600}, 0);
  StretchPattern(form.JPEGS().Items.FindItemByName("Button"), back, kNextButtonRect, 0);

  TextCanvas& canvas = SurfaceCanvas(back);
  canvas.SetFont(MakeGameFont(36, Rgb(250, 100, 0)));
  canvas.SetBackgroundTransparent();
  canvas.TextOut(254, 84, "Nastaven\xED");
  canvas.SetFont(MakeGameFont(36, Rgb(255, 255, 0)));
  canvas.TextOut(250, 80, "Nastaven\xED");
  canvas.font.size = 36;
  canvas.font.height_px = 0;
  canvas.DrawTextCentered(kNextButtonRect, "OK");
  ReleaseCanvas(canvas);

  form.ShowTrackBar(form.MVolTrack, true);
  form.ShowTrackBar(form.SVolTrack, true);
  form.ShowTrackBar(form.HSpeedTrack, true);
  form.ShowTrackBar(form.GSpeedtrack, true);
  form.DXDraw().FlipDisplay();
}

void OptionsMouseUp(TMainF& form, Point p) {
  if (!kNextButtonRect.Contains(p)) return;
  form.PlaySoundByName("Button");
  form.MenuScreen = 0;
  form.HideOptionsControls();
  form.ShowMenuScreen(0);
}

}  // namespace kv
