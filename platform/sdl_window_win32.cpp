#include <SDL2/SDL.h>

#include "platform/sdl_window_system.h"

// Windows always has its window manager, reports the focus as it moves, and SDL asks it for the
// pointer's place directly: SDL's own answers are the system's.
namespace kv::window_system {

// SDL's Windows driver is the only one there is to choose.
void ChooseVideoDriver() {}

std::string NoDisplayReason() {
  return std::string("cannot open a window (") + SDL_GetError() + ")";
}

// Every Windows the game runs on renders through Direct3D.
bool GraphicsCardPresent() {
  return true;
}

bool FullScreenSwitchedOutside() {
  return false;
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
