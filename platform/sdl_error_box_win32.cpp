#include <SDL2/SDL.h>

#include "platform/sdl_error_box.h"
#include "platform/support_win32.h"

namespace kv {
namespace {

volatile LONG box_up = 0;

// Ctrl+C, Ctrl+Break or the console's close reach a modal box through here: they end the
// program at once and take the box down with it. Otherwise they go on to the handlers installed
// before, SDL's among them, which turn them into a close.
BOOL WINAPI OnConsoleEvent(DWORD) {
  if (InterlockedCompareExchange(&box_up, 0, 0) != 0) TerminateProcess(GetCurrentProcess(), 1);
  return FALSE;
}

}  // namespace

void InstallSignalHandlers() {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void ShowModalErrorBox(SDL_Window* parent, const std::string& title, const std::string& text) {
  // A close asked for before the box came up would wait behind it: end without the box.
  SDL_PumpEvents();
  if (SDL_HasEvent(SDL_QUIT)) return;
  InterlockedExchange(&box_up, 1);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), parent);
  InterlockedExchange(&box_up, 0);
}

}  // namespace kv
