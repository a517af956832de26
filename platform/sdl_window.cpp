#include "platform/sdl_window.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>

#include "platform/letterbox.h"
#include "platform/sdl_window_system.h"

namespace kv {
namespace {

constexpr const char* kCaption = "Kervana(DirectX) ";

int DisplayOf(SDL_Window* window) {
  return std::max(SDL_GetWindowDisplayIndex(window), 0);
}

// The largest window scale up to `wanted` whose window fits the desktop's free area.
int FittingScale(int wanted) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return wanted;
  int scale = wanted;
  while (scale > 1 &&
         (SdlWindow::kWidth * scale > usable.w || SdlWindow::kHeight * scale > usable.h)) {
    --scale;
  }
  return scale;
}

}  // namespace

std::unique_ptr<SdlWindow> SdlWindow::Create(bool for_renderer, const Look& wanted,
                                             std::string& problem) {
  Look look = wanted;
  look.scale = FittingScale(std::max(look.scale, 1));
  const int w = kWidth * look.scale;
  const int h = kHeight * look.scale;
  // Made ready for OpenGL from the start when a renderer will draw in it: the renderer would
  // otherwise make the window anew, which costs time and shows a second window to the window
  // system. Otherwise no graphics driver is loaded at all.
  const Uint32 flags =
      SDL_WINDOW_HIDDEN | (look.framed ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_BORDERLESS);
  SDL_Window* window =
      for_renderer ? SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w,
                                      h, flags | SDL_WINDOW_OPENGL)
                   : nullptr;
  if (window == nullptr) {
    window =
        SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
  }
  if (window == nullptr) {
    problem = SDL_GetError();
    return nullptr;
  }
  // Small enough for any desktop, large enough that the picture can still be read.
  if (look.framed) SDL_SetWindowMinimumSize(window, kWidth / 4, kHeight / 4);
  return std::unique_ptr<SdlWindow>(new SdlWindow(window, look));
}

SdlWindow::~SdlWindow() {
  SDL_DestroyWindow(window_);
}

bool SdlWindow::SetMode(bool fullscreen) {
  // SDL puts the pointer back where its last event saw it in the window, which now shows the
  // picture at another scale. The player's pointer stays where the player left it.
  Point sdl_place;
  SDL_GetMouseState(&sdl_place.x, &sdl_place.y);
  const Pointer before = PointerNow();
  const bool set = ApplyMode(fullscreen);
  const Pointer after = PointerNow();
  if (after.screen != before.screen && after.window == sdl_place) {
    SDL_WarpMouseGlobal(before.screen.x, before.screen.y);
  }
  return set;
}

bool SdlWindow::ApplyMode(bool fullscreen) {
  if (window_system::FullScreenSwitchedOutside()) {
    fullscreen_ = fullscreen;
    return true;
  }
  // The desktop's mode is kept and the picture scaled, so switching away and back never
  // changes the monitor's mode. A window manager makes the window cover the desktop when asked
  // for full screen, and puts it back where it was on the way out. Without one nobody would
  // honour the request (SDL waits for it in vain), so the borderless window is simply laid
  // over the whole desktop.
  const bool managed = window_system::WindowManagerRuns(window_);
  if (fullscreen) {
    SDL_Rect desktop{0, 0, kWidth, kHeight};
    if (managed) {
      if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        std::fprintf(stderr, "Full screen: %s\n", SDL_GetError());
        return false;
      }
    } else if (SDL_GetDisplayBounds(DisplayOf(window_), &desktop) == 0) {
      SDL_SetWindowPosition(window_, desktop.x, desktop.y);
      SDL_SetWindowSize(window_, desktop.w, desktop.h);
    }
  } else {
    if (managed) SDL_SetWindowFullscreen(window_, 0);
    const Point size = restore_size_.value_or(Point{kWidth * look_.scale, kHeight * look_.scale});
    restore_size_.reset();
    SDL_SetWindowSize(window_, size.x, size.y);
    if (restore_position_) {
      SDL_SetWindowPosition(window_, restore_position_->x, restore_position_->y);
      restore_position_.reset();
    } else {
      CentreWindowed();
    }
  }
  fullscreen_ = fullscreen;
  SDL_ShowWindow(window_);
  // Asking for the focus that the window has already makes a window manager take it away and
  // give it back, which the game would see as leaving and coming back.
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) == 0) SDL_RaiseWindow(window_);
  return true;
}

int SdlWindow::RefreshRate() const {
  SDL_DisplayMode mode;
  return SDL_GetWindowDisplayMode(window_, &mode) == 0 && mode.refresh_rate > 0 ? mode.refresh_rate
                                                                                : 60;
}

void SdlWindow::CentreWindowed() {
  const int display = DisplayOf(window_);
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                        SDL_WINDOWPOS_CENTERED_DISPLAY(display));
}

void SdlWindow::SavePlacement() {
  if (fullscreen_) return;
  Point p;
  SDL_GetWindowPosition(window_, &p.x, &p.y);
  saved_position_ = p;
  if (look_.framed) {
    Point size;
    SDL_GetWindowSize(window_, &size.x, &size.y);
    saved_size_ = size;
  }
}

void SdlWindow::RestorePlacement() {
  restore_position_ = saved_position_;
  restore_size_ = saved_size_;
}

Rect SdlWindow::Picture() const {
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  return letterbox::Place(w, h, kWidth, kHeight, look_.whole);
}

Point SdlWindow::ToDisplay(Point window_pixel) const {
  return letterbox::ToPicture(window_pixel, Picture(), kWidth, kHeight);
}

Point SdlWindow::FromDisplay(Point display_pixel) const {
  return letterbox::FromPicture(display_pixel, Picture(), kWidth, kHeight);
}

bool SdlWindow::FocusIsElsewhere() const {
  return window_system::FocusIsElsewhere(window_);
}

Point SdlWindow::ToScreen(Point window_pixel) const {
  Point origin;
  SDL_GetWindowPosition(window_, &origin.x, &origin.y);
  return {origin.x + window_pixel.x, origin.y + window_pixel.y};
}

SdlWindow::Pointer SdlWindow::PointerNow() const {
  Pointer now;
  // SDL keeps the pointer as its last event left it, relative to where the window was then;
  // the window system itself knows where it is now.
  if (window_system::QueryPointer(window_, now.screen, now.window)) {
    now.display = ToDisplay(now.window);
    return now;
  }
  SDL_GetGlobalMouseState(&now.screen.x, &now.screen.y);
  const Point origin = ToScreen({0, 0});
  now.window = {now.screen.x - origin.x, now.screen.y - origin.y};
  now.display = ToDisplay(now.window);
  return now;
}

}  // namespace kv
