#include "window/support/window_game.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/game_data.h"

namespace kv::test {
namespace {

int CeilDiv(long a, long b) {
  return static_cast<int>((a + b - 1) / b);
}

}  // namespace

Rgb8 ToRgb8(Color color) {
  // What the screen shows of a colour that went through the game's 16-bit surfaces.
  const auto expand = [](int value, int bits) {
    const int v = value >> (8 - bits);
    return static_cast<uint8_t>((v << (8 - bits)) | (v >> (2 * bits - 8)));
  };
  return {expand(RedOf(color), 5), expand(GreenOf(color), 6), expand(BlueOf(color), 5)};
}

std::optional<long> JsonNumber(const std::string& json, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  const size_t at = json.find(key);
  if (at == std::string::npos) return std::nullopt;
  size_t end = at + key.size();
  long value = 0;
  bool negative = false, digits = false;
  if (end < json.size() && json[end] == '-') negative = true, ++end;
  for (; end < json.size() && json[end] >= '0' && json[end] <= '9'; ++end) {
    value = value * 10 + (json[end] - '0');
    digits = true;
  }
  if (!digits) return std::nullopt;
  return negative ? -value : value;
}

int CountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

WindowGame::WindowGame(XServer& x, const Setup& setup)
    : x_(x), integer_scale_(setup.integer_scale) {
  if (setup.with_data) WriteGameData(dir_.path().string());
  ChildProcess::Options options;
  // KERVANA_BINARY runs the suite against another build of the game.
  const char* binary = std::getenv("KERVANA_BINARY");
  options.argv = {binary != nullptr ? binary : KV_BUILD_DIR "/kervana"};
  options.argv.insert(options.argv.end(), setup.args.begin(), setup.args.end());
  // Without data of its own the game would find the build's, beside its program.
  if (!setup.with_data) options.argv.insert(options.argv.end(), {"--data", "data"});
  options.argv.insert(options.argv.end(), {"--state-out", "state.json"});
  options.cwd = dir_.path().string();
  options.env = {"SDL_AUDIODRIVER=dummy"};
  if (setup.with_display) {
    options.env.push_back("DISPLAY=" + x.display_name());
  } else {
    options.unset_env = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
  }
  options.stdout_path = dir_ / "stdout.txt";
  options.stderr_path = dir_ / "stderr.txt";
  process_ = std::make_unique<ChildProcess>(options);
}

WindowGame::~WindowGame() {
  process_.reset();
}

bool WindowGame::WaitForMenu(std::chrono::milliseconds timeout) {
  const bool shown = WaitUntil([&] { return FindWindow() != 0 || !process_->Running(); }, timeout);
  if (!shown || window_ == 0) return false;
  // The middle of the menu lies on no button.
  return WaitForDisplayColor(400, 300, ItemColor("Menu"), timeout);
}

unsigned long WindowGame::FindWindow() {
  // The window may be made anew (a renderer of another kind needs a new one): look again
  // whenever the one known is gone.
  if (window_ == 0 || !x_.Viewable(window_)) window_ = x_.FindWindow(kCaption);
  return window_;
}

WindowGeometry WindowGame::Geometry() {
  return x_.Geometry(FindWindow());
}

WindowGeometry WindowGame::Picture() {
  const WindowGeometry w = Geometry();
  WindowGeometry p = w;
  const int times = std::min(w.width / 800, w.height / 600);
  if (integer_scale_ && times >= 1) {
    p.width = 800 * times;
    p.height = 600 * times;
  } else if (long{w.width} * 600 <= long{w.height} * 800) {
    p.height = static_cast<int>((long{w.width} * 600 + 400) / 800);
  } else {
    p.width = static_cast<int>((long{w.height} * 800 + 300) / 600);
  }
  p.x = w.x + (w.width - p.width) / 2;
  p.y = w.y + (w.height - p.height) / 2;
  return p;
}

int WindowGame::ScreenX(int dx) {
  const WindowGeometry p = Picture();
  return p.x + CeilDiv(long{dx} * p.width, 800);
}

int WindowGame::ScreenY(int dy) {
  const WindowGeometry p = Picture();
  return p.y + CeilDiv(long{dy} * p.height, 600);
}

std::pair<int, int> WindowGame::ScreenPoint(int dx, int dy) {
  const WindowGeometry p = Picture();
  return {p.x + static_cast<int>((2L * dx + 1) * p.width / 1600),
          p.y + static_cast<int>((2L * dy + 1) * p.height / 1200)};
}

Rgb8 WindowGame::DisplayPixel(int dx, int dy) {
  const auto [x, y] = ScreenPoint(dx, dy);
  return x_.PixelAt(x, y);
}

bool WindowGame::WaitForDisplayColor(int dx, int dy, Color color,
                                     std::chrono::milliseconds timeout) {
  return WaitForDisplayColor(dx, dy, ToRgb8(color), timeout);
}

bool WindowGame::WaitForDisplayColor(int dx, int dy, Rgb8 color,
                                     std::chrono::milliseconds timeout) {
  return WaitUntil([&] { return Near(DisplayPixel(dx, dy), color); }, timeout);
}

bool WindowGame::ShowsSteadily(int dx, int dy, Color color, std::chrono::milliseconds span) {
  if (!WaitForDisplayColor(dx, dy, color)) return false;
  const auto end = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < end) {
    if (!Near(DisplayPixel(dx, dy), ToRgb8(color))) return false;
  }
  return true;
}

void WindowGame::PointAt(int dx, int dy) {
  const auto [x, y] = ScreenPoint(dx, dy);
  x_.MovePointer(x, y);
}

void WindowGame::ClickAt(int dx, int dy) {
  const auto [x, y] = ScreenPoint(dx, dy);
  x_.Click(x, y);
}

std::optional<int> WindowGame::WaitExit(std::chrono::milliseconds timeout) {
  return process_->WaitExit(timeout);
}

void WindowGame::LeaveWithEscape() {
  x_.TapKey("Escape");
  // The wipe runs down the picture: its bottom row turns black just before the window goes.
  bool wiped = false;
  const bool ended = WaitUntil(
      [&] {
        if (!Running()) return true;
        wiped = wiped || Near(DisplayPixel(400, 595), {0, 0, 0});
        return false;
      },
      10s);
  ASSERT_TRUE(ended) << "Escape did not end the program";
  EXPECT_TRUE(wiped) << "no wipe";
  EXPECT_EQ(WaitExit(), 0) << Stderr();
  EXPECT_EQ(x_.FindWindow(kCaption), 0u);
}

std::string WindowGame::State() const {
  return ReadText(dir_ / "state.json");
}

std::string WindowGame::Stderr() const {
  return ReadText(dir_ / "stderr.txt");
}

}  // namespace kv::test
