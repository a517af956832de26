#include <SDL2/SDL.h>

#include "platform/sdl_error_box.h"

namespace kv {

// A page gets no signals: the tab closes, and the game with it.
void InstallSignalHandlers() {}

void ShowModalErrorBox(SDL_Window* parent, const std::string& title, const std::string& text) {
  SDL_PumpEvents();
  if (SDL_HasEvent(SDL_QUIT)) return;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), parent);
}

}  // namespace kv
