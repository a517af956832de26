#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

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
  // The system's own box, as every Windows program shows its errors, owned by the game's window
  // so that it stays above it.
  HWND owner = nullptr;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (parent != nullptr && SDL_GetWindowWMInfo(parent, &info) &&
      info.subsystem == SDL_SYSWM_WINDOWS) {
    owner = info.info.win.window;
  }
  InterlockedExchange(&box_up, 1);
  MessageBoxW(owner, win32::Widen(text).c_str(), win32::Widen(title).c_str(),
              MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  InterlockedExchange(&box_up, 0);
}

}  // namespace kv
