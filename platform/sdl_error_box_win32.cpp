#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include "platform/sdl_error_box.h"
#include "platform/support_win32.h"

namespace kv {
namespace {

volatile LONG box_up = 0;

// Ctrl+C, Ctrl+Break or the console's close reach a modal box through here: they end the
// program at once and take the box down with it. Otherwise Ctrl+C goes on to SDL's handler,
// which turns it into a close; the rest, which SDL leaves to the system's default (the process
// ended on the spot), become a close here. After the console's close, a log-off or a shutdown
// the system ends the process as soon as this returns, so it does not return: the game ends
// meanwhile as a closed window ends it, and the system waits a few seconds for that.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (InterlockedCompareExchange(&box_up, 0, 0) != 0) TerminateProcess(GetCurrentProcess(), 1);
  if (event == CTRL_C_EVENT) return FALSE;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  if (event == CTRL_BREAK_EVENT) return TRUE;
  Sleep(INFINITE);
  return TRUE;
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
