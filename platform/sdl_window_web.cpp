#include <SDL2/SDL.h>

#include "platform/sdl_window_system.h"

// In the page the window is a canvas: the browser is its window manager, tells SDL of the focus
// as it moves and hands the pointer to SDL with every move. SDL's own answers are the page's.
namespace kv::window_system {

void ChooseVideoDriver() {}

std::string NoDisplayReason() {
  return std::string("cannot draw on the page's canvas (") + SDL_GetError() + ")";
}

// A canvas of its own pixels: WebGL would only add a copy, and a headless browser may have
// nothing but a software rasteriser behind it.
bool GraphicsCardPresent() {
  return false;
}

// Only a key or a click may take a page to full screen, and the game's switch comes a frame or
// more after its key: SDL would keep that request and make it at the next key, where the
// browser refuses it (Escape is never a reason) and the key is lost. The page switches on
// Alt+Enter and on its button itself.
bool FullScreenSwitchedOutside() {
  return true;
}

bool WindowManagerRuns(SDL_Window*) {
  return true;
}

bool FocusIsElsewhere(SDL_Window*) {
  return true;
}

bool QueryPointer(SDL_Window*, Point&, Point&) {
  return false;
}

}  // namespace kv::window_system
