// The windowed mode and Alt+Enter, with and without a window manager: the window's size,
// place and caption, the screen drawn again as it was after every switch, and a pointer that means
// the same place on the screen before and after a switch without moving.
#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <utility>
#include <vector>

#include "platform/geometry.h"
#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

constexpr int kDesktopWidth = 1920;
constexpr int kDesktopHeight = 1080;

// Whether the picture stays as it is for a while: nothing may draw until an event asks for it.
bool StaysAsItIs(WindowGame& game, std::chrono::milliseconds span) {
  constexpr std::pair<int, int> kProbes[] = {{400, 300}, {120, 200}, {600, 200}, {700, 500}};
  std::vector<Rgb8> first;
  for (const auto& [dx, dy] : kProbes) first.push_back(game.DisplayPixel(dx, dy));
  const auto end = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < end) {
    for (size_t i = 0; i < std::size(kProbes); ++i) {
      if (!Near(game.DisplayPixel(kProbes[i].first, kProbes[i].second), first[i])) return false;
    }
  }
  return true;
}

// Waits until the window lies where it should, with the keyboard focus: a window manager
// carries out a change of mode in steps of its own, and may hold the pointer meanwhile.
bool Settles(XServer& x, WindowGame& game, const WindowGeometry& expected) {
  const auto focused = [&] { return x.FocusedWindow() == game.FindWindow(); };
  const auto placed = [&] {
    const WindowGeometry g = game.Geometry();
    return g.x == expected.x && g.y == expected.y && g.width == expected.width &&
           g.height == expected.height;
  };
  if (WaitUntil([&] { return placed() && focused(); }, 5s) && x.WaitUntilPointerFree(5s) &&
      focused()) {
    return true;
  }
  const WindowGeometry g = game.Geometry();
  ADD_FAILURE() << "the window lies at " << g.x << "," << g.y << " " << g.width << "x" << g.height
                << (focused() ? "" : " without the focus");
  return false;
}

// A window manager busy with a change of mode may take the focus away for a moment (the
// game then leaves and comes back, redrawing) and swallow a click meanwhile. Waits until the
// game has kept the focus for a while, giving it back as a player would.
bool KeepsTheFocus(XServer& x, WindowGame& game) {
  using Clock = std::chrono::steady_clock;
  auto kept_since = Clock::now();
  return WaitUntil(
      [&] {
        if (x.FocusedWindow() != game.FindWindow()) {
          x.Activate(game.FindWindow());
          kept_since = Clock::now();
          return false;
        }
        return Clock::now() - kept_since >= 300ms;
      },
      10s);
}

// Moves onto display pixel (dx, dy) until the button there lights, as display pixel `probe`
// shows. The game may still be finishing a change of mode, in which SDL moves the pointer away
// and back, undoing a move made at that moment; so the move is made again after a wait.
bool HoverUntilLit(XServer& x, WindowGame& game, int dx, int dy, Point probe, Color lit) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    x.MovePointer(game.ScreenX(dx) + attempt % 2, game.ScreenY(dy));
    if (game.WaitForDisplayColor(probe.x, probe.y, lit, 1s)) return true;
  }
  return false;
}

class DisplaySwitch : public ::testing::TestWithParam<bool> {};

TEST_P(DisplaySwitch, WindowedThenAltEnterThreeTimesThereAndBack) {
  XServer x(kDesktopWidth, kDesktopHeight);
  if (GetParam()) x.StartWindowManager();
  WindowGame game(x, {.args = {"--windowed"}});
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  const Rgb8 menu = ToRgb8(ItemColor("Menu"));

  // An 800 x 600 window in the middle of the desktop, under the game's caption.
  EXPECT_EQ(x.WindowName(game.FindWindow()), kCaption);
  const WindowGeometry windowed = game.Geometry();
  EXPECT_EQ(windowed.width, 800);
  EXPECT_EQ(windowed.height, 600);
  EXPECT_EQ(windowed.x, (kDesktopWidth - 800) / 2);
  EXPECT_EQ(windowed.y, (kDesktopHeight - 600) / 2);

  // The pointer rests over the exit button of the window (display 140, 60). In full screen the
  // same screen point is display (255, 166): no button.
  const int rest_x = windowed.x + 140, rest_y = windowed.y + 60;
  x.MovePointer(rest_x, rest_y);
  ASSERT_TRUE(game.WaitForDisplayColor(120, 200, ItemColor("Exit")));

  const WindowGeometry full{0, 0, kDesktopWidth, kDesktopHeight};
  x.AltEnter();  // 1: to full screen
  ASSERT_TRUE(Settles(x, game, full));
  // The menu is drawn again, as on coming back to the game: without the lit button.
  EXPECT_TRUE(game.WaitForDisplayColor(400, 300, menu)) << "the menu is not drawn again";
  EXPECT_TRUE(game.WaitForDisplayColor(120, 200, menu));
  EXPECT_TRUE(StaysAsItIs(game, 200ms)) << "something drew after the switch";
  // A click without moving acts where the pointer is now: on no button, so the program runs
  // on and nothing is drawn.
  x.Button(1, true);
  x.Button(1, false);
  EXPECT_TRUE(StaysAsItIs(game, 200ms)) << "the click acted on a button";
  ASSERT_TRUE(game.Running());
  x.MovePointer(rest_x + 1, rest_y);
  // The new mapping is exact: the new-game button's lower right corner lights it.
  x.MovePointer(game.ScreenX(406) - 1, game.ScreenY(476) - 1);
  EXPECT_TRUE(game.WaitForDisplayColor(200, 420, ItemColor("New")));

  // At screen (900, 480) the full-screen picture has no button (display 366, 266); in the
  // window the same point is display (340, 240), on the credits button.
  x.MovePointer(900, 480);
  x.AltEnter();  // 2: back to the window, where it was
  ASSERT_TRUE(Settles(x, game, windowed));
  EXPECT_TRUE(game.WaitForDisplayColor(400, 300, menu)) << "the menu is not drawn again";
  ASSERT_TRUE(KeepsTheFocus(x, game));
  // A click without moving opens the credits; under the old mapping it would do nothing.
  x.Button(1, true);
  x.Button(1, false);
  EXPECT_TRUE(game.WaitForDisplayColor(700, 500, ItemColor("Info")))
      << "the click after the switch missed the button under the pointer";
  game.ClickAt(400, 100);  // the credits' way back
  ASSERT_TRUE(game.WaitForDisplayColor(400, 300, menu));

  x.AltEnter();  // 3: full screen once more
  ASSERT_TRUE(Settles(x, game, full));
  EXPECT_TRUE(game.WaitForDisplayColor(400, 300, menu));
  EXPECT_TRUE(HoverUntilLit(x, game, 330, 70, {390, 160}, ItemColor("Cred")));

  x.TapKey("Escape");
  ASSERT_EQ(game.WaitExit(), 0) << game.Stderr();
  const std::string state = game.State();
  EXPECT_NE(state.find("\"Fullscreen\":true"), std::string::npos) << state;
  EXPECT_EQ(JsonNumber(state, "MenuScreen"), 0);
  EXPECT_NE(state.find("\"Newgame\":{\"Active\":false"), std::string::npos) << state;
  EXPECT_NE(state.find("\"Sounds\":[\"Button\",\"Button\"]"), std::string::npos)
      << "some other click acted: " << state;
}

INSTANTIATE_TEST_SUITE_P(WindowManager, DisplaySwitch, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Openbox" : "None"; });

}  // namespace
}  // namespace kv::test
