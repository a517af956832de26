#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/image565.h"
#include "support/child_process.h"
#include "support/test_support.h"
#include "window/support/x_server.h"

namespace kv::test {

using namespace std::chrono_literals;

constexpr const char* kCaption = "Kervana(DirectX) ";

// The real game, started on a test's X server in a directory of its own with the flat-colour
// test data, as a player starts it (SDL backend, no --headless).
class WindowGame {
 public:
  struct Setup {
    std::vector<std::string> args;  // after the program name; --state-out is always added
    bool with_data = true;
    bool with_display = true;    // false: DISPLAY is not set
    bool integer_scale = false;  // the game is told to scale by whole multiples only
  };

  WindowGame(XServer& x, const Setup& setup);
  WindowGame(XServer& x) : WindowGame(x, Setup{}) {}
  ~WindowGame();

  // Waits until the window is up and the main menu shows in it.
  bool WaitForMenu(std::chrono::milliseconds timeout = 20s);
  // The game's window as it is now; 0 while none shows.
  unsigned long FindWindow();
  WindowGeometry Geometry();

  // Where the 800 x 600 picture lies on the screen now (the window's size, the aspect kept, or
  // the largest whole multiple that fits where the game scales by whole multiples).
  WindowGeometry Picture();
  // The first screen column (row) whose pixels belong to display column `dx` (row `dy`) or
  // a later one: the pointer there lies on dx, and one screen pixel less lies before it.
  int ScreenX(int dx);
  int ScreenY(int dy);
  // The screen pixel in the middle of display pixel (dx, dy).
  std::pair<int, int> ScreenPoint(int dx, int dy);
  Rgb8 DisplayPixel(int dx, int dy);
  bool WaitForDisplayColor(int dx, int dy, Color color, std::chrono::milliseconds timeout = 5s);
  bool WaitForDisplayColor(int dx, int dy, Rgb8 color, std::chrono::milliseconds timeout = 5s);
  // Waits for the colour, then sees that it stays for `span`: a handler that is still to come
  // (a redraw on becoming active) must not replace it.
  bool ShowsSteadily(int dx, int dy, Color color, std::chrono::milliseconds span = 250ms);
  void PointAt(int dx, int dy);
  void ClickAt(int dx, int dy);

  std::optional<int> WaitExit(std::chrono::milliseconds timeout = 10s);
  // Presses Escape and expects the wipe to black, the window gone and exit status 0.
  void LeaveWithEscape();
  bool Running() { return process_->Running(); }
  void Signal(int signal) { process_->Signal(signal); }
  // The state dump the program wrote as it ended, and what it wrote on standard error.
  std::string State() const;
  std::string Stderr() const;
  const TempDir& dir() const { return dir_; }

 private:
  XServer& x_;
  bool integer_scale_;
  TempDir dir_;
  unsigned long window_ = 0;
  std::unique_ptr<ChildProcess> process_;
};

Rgb8 ToRgb8(Color color);
// The number following "name": in a state dump (the first such field); nullopt if absent.
std::optional<long> JsonNumber(const std::string& json, const std::string& name);
int CountOf(const std::string& text, const std::string& part);

}  // namespace kv::test
