#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace kv::test {

struct Rgb8 {
  uint8_t r = 0, g = 0, b = 0;
};

// A rectangle of the X screen as the server shows it.
struct ScreenImage {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<Rgb8> pixels;
  Rgb8 At(int x, int y) const { return pixels[static_cast<size_t>(y - top) * width + (x - left)]; }
};

struct WindowGeometry {
  int x = 0, y = 0, width = 0, height = 0;
};

// A virtual X server of its own for one test (Xvfb on a free display), with a client
// connection that injects input through XTest and reads the screen back.
class XServer {
 public:
  XServer(int width, int height);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  const std::string& display_name() const { return display_name_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Starts a window manager and waits until it manages the screen.
  void StartWindowManager();
  bool has_window_manager() const { return window_manager_ != nullptr; }

  // --- Input, as a player gives it.
  void MovePointer(int x, int y);
  void Button(int button, bool down);
  void Click(int x, int y, int button = 1);
  // A key by X key name ("Escape", "Return", "Alt_L", "a").
  void Key(const std::string& keysym, bool down);
  void TapKey(const std::string& keysym);
  void AltEnter();
  // Gives each key that the keyboard map lacks (a Czech letter on a US map: "scaron") a spare
  // key code, so that Key() can press it. Done before a program connects, it finds them there.
  void BindKeysyms(const std::vector<std::string>& keysyms);
  std::pair<int, int> PointerPosition();

  // --- What the server shows.
  ScreenImage Capture(int left, int top, int width, int height);
  Rgb8 PixelAt(int x, int y);
  // The whole screen as a binary PPM, for looking at a failure.
  void SaveScreen(const std::string& path);

  // --- Windows.
  // The first viewable window whose name is `name`, searched through the whole tree; 0 if none.
  unsigned long FindWindow(const std::string& name);
  std::string WindowName(unsigned long window);
  WindowGeometry Geometry(unsigned long window);
  unsigned long FocusedWindow();
  bool Viewable(unsigned long window);
  // A plain window of the test's own that takes the keyboard focus from whoever has it.
  unsigned long OpenFocusThief(int x, int y, int width, int height);
  void CloseWindow(unsigned long window);
  // Asks for a new size of a window, as a player dragging its frame's corner does.
  void ResizeWindow(unsigned long window, int width, int height);
  // Whether the window manager has put a frame around the window (the window's parent is then
  // the frame, larger than the window).
  bool Framed(unsigned long window);
  // Waits until no client holds the pointer grabbed (a window manager at work does), so that
  // a click goes where it is made.
  bool WaitUntilPointerFree(std::chrono::milliseconds timeout);
  // Asks a window to close, as a window manager's close button does.
  void RequestClose(unsigned long window);
  // Gives the focus to a window, through the window manager when there is one.
  void Activate(unsigned long window);

 private:
  struct Connection;
  int width_;
  int height_;
  std::string display_name_;
  std::unique_ptr<ChildProcess> server_;
  std::unique_ptr<ChildProcess> window_manager_;
  std::unique_ptr<Connection> x_;
};

// Polls `done` every few milliseconds until it holds or the time runs out.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

// Channels within `tolerance` of each other (scaling and 16-bit colour round a little).
bool Near(Rgb8 a, Rgb8 b, int tolerance = 12);
std::string Describe(Rgb8 c);

}  // namespace kv::test
