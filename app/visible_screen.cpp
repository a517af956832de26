#include "app/visible_screen.h"

#include "app/main_form.h"
#include "platform/platform.h"

namespace kv {

Image565 VisibleScreen(Platform& platform, TMainF& form) {
  Image565 screen(800, 600, 0);
  if (form.DXDraw().initialized()) {
    platform.controls().Compose(form.DXDraw().FrontSurface()->image(), screen, platform.fonts());
  } else {
    const Image565 black(800, 600, 0);
    platform.controls().Compose(black, screen, platform.fonts());
  }
  return screen;
}

}  // namespace kv
