#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>

#include <optional>

#include "platform/sdl_window_system.h"

namespace kv::window_system {
namespace {

// The X connection and window behind an SDL window, when X is what shows it.
struct X11Window {
  Display* display;
  ::Window window;
};

std::optional<X11Window> X11Of(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return std::nullopt;
  }
  return X11Window{info.info.x11.display, info.info.x11.window};
}

}  // namespace

bool WindowManagerRuns(SDL_Window* window) {
  const auto x = X11Of(window);
  if (!x) return true;
  const Atom check = XInternAtom(x->display, "_NET_SUPPORTING_WM_CHECK", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool found =
      XGetWindowProperty(x->display, DefaultRootWindow(x->display), check, 0, 1, False, XA_WINDOW,
                         &type, &format, &count, &after, &data) == Success &&
      count == 1;
  if (data != nullptr) XFree(data);
  return found;
}

bool FocusIsElsewhere(SDL_Window* window) {
  const auto x = X11Of(window);
  if (!x) return true;
  ::Window focus = 0;
  int revert = 0;
  XGetInputFocus(x->display, &focus, &revert);
  return focus != x->window;
}

bool QueryPointer(SDL_Window* window, Point& screen, Point& in_window) {
  const auto x = X11Of(window);
  if (!x) return false;
  ::Window root = 0, child = 0;
  unsigned buttons = 0;
  return XQueryPointer(x->display, x->window, &root, &child, &screen.x, &screen.y, &in_window.x,
                       &in_window.y, &buttons) != 0;
}

}  // namespace kv::window_system
