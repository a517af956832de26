#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/geometry.h"

struct SDL_Window;

namespace kv {

// The game's one window and how the 800 x 600 picture sits in it: full screen is a desktop-size
// window showing the picture scaled with its aspect kept (or by whole multiples only) and
// centred on black; windowed is a borderless window of 800 x 600 times the window scale, or a
// framed one the player may resize, the picture scaled into it the same way. Also where the
// pointer is, in display pixels.
class SdlWindow {
 public:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  // A hidden window, ready for a graphics card's renderer if `for_renderer`; or null with the
  // reason in `problem`.
  struct Look {
    int scale = 1;        // the windowed size in multiples of 800 x 600
    bool framed = false;  // the window manager's frame, and a size the player may change
    bool whole = false;   // the picture scaled by whole multiples only, where one fits
  };
  static std::unique_ptr<SdlWindow> Create(bool for_renderer, const Look& look,
                                           std::string& problem);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  SDL_Window* handle() const { return window_; }

  // Puts the window into full screen or windowed mode, shows it and gives it the focus.
  // False (with the reason on stderr) when the mode cannot be set.
  bool SetMode(bool fullscreen);
  bool fullscreen() const { return fullscreen_; }
  // The display's refresh rate, 60 where it does not say.
  int RefreshRate() const;
  // The windowed window's place, kept across a stay in full screen.
  void SavePlacement();
  void RestorePlacement();

  // The picture's place in the window, in window pixels.
  Rect Picture() const;
  // The display pixel under a window pixel; positions over the black bars lie outside
  // 0..799 x 0..599.
  Point ToDisplay(Point window_pixel) const;
  // The window pixel at the centre of a display pixel.
  Point FromDisplay(Point display_pixel) const;
  Point ToScreen(Point window_pixel) const;
  // Where the pointer is right now, asked of the window system rather than taken from queued
  // events: on the screen, and over which display pixel.
  struct Pointer {
    Point screen;
    Point window;
    Point display;
  };
  Pointer PointerNow() const;
  // Whether the window system has given the keyboard to another window. SDL also reports a
  // loss of focus when a window manager merely grabs the keyboard for a moment, and may then
  // miss the focus coming back.
  bool FocusIsElsewhere() const;

 private:
  SdlWindow(SDL_Window* window, const Look& look) : window_(window), look_(look) {}
  bool ApplyMode(bool fullscreen);
  void CentreWindowed();

  SDL_Window* window_;
  Look look_;
  bool fullscreen_ = false;
  std::optional<Point> saved_position_;
  std::optional<Point> restore_position_;
  // A framed window keeps the size the player gave it across a stay in full screen.
  std::optional<Point> saved_size_;
  std::optional<Point> restore_size_;
};

}  // namespace kv
