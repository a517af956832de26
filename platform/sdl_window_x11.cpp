#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xatom.h>

#include <cstdlib>
#include <filesystem>
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

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

void ChooseVideoDriver() {
  // Without a session to find it by, Wayland cannot be reached, and its library says so on
  // stderr in words of its own; the one line the game prints says what matters.
  if (!Set("SDL_VIDEODRIVER") && !Set("WAYLAND_DISPLAY") && !Set("XDG_RUNTIME_DIR")) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,kmsdrm");
  }
}

std::string NoDisplayReason() {
  if (!Set("DISPLAY") && !Set("WAYLAND_DISPLAY")) {
    return "no display to open a window on (DISPLAY is not set)";
  }
  return std::string("cannot open a window on display ") +
         std::getenv(Set("DISPLAY") ? "DISPLAY" : "WAYLAND_DISPLAY") + " (" + SDL_GetError() + ")";
}

bool GraphicsCardPresent() {
  // A render node of the kernel's graphics drivers.
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ignored)) {
    if (entry.path().filename().string().starts_with("renderD")) return true;
  }
  return false;
}

bool FullScreenSwitchedOutside() {
  return false;
}

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
