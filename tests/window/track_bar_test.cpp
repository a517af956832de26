// A slider dragged by a real pointer. Its change handler plays the test sound and waits for it
// to end, so motion piles up while it plays; the handler must find the pointer where it is when
// it runs, not work through every queued position, and the button after the drag must answer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

using Clock = std::chrono::steady_clock;

TEST(TrackBar, AWholeDragInHalfASecondThenOkAnswersAtOnce) {
  XServer x(1024, 768);
  WindowGame game(x);
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  game.ClickAt(600, 200);  // options
  ASSERT_TRUE(game.WaitForDisplayColor(300, 450, ItemColor("Scroll")));
  // The sound slider spans display columns 505..724; its thumb stands at 5 of 40, centred on
  // column 542.
  ASSERT_TRUE(game.WaitForDisplayColor(542, 214, Rgb8{192, 192, 192}, 5s));

  const auto [grab_x, grab_y] = game.ScreenPoint(542, 214);
  const int end_x = game.ScreenPoint(740, 214).first;
  x.MovePointer(grab_x, grab_y);
  x.Button(1, true);
  const auto drag_start = Clock::now();
  constexpr int kSteps = 25;
  for (int i = 1; i <= kSteps; ++i) {
    x.MovePointer(grab_x + (end_x - grab_x) * i / kSteps, grab_y);
    std::this_thread::sleep_until(drag_start + i * std::chrono::milliseconds(500) / kSteps);
  }
  x.Button(1, false);
  const auto released = Clock::now();
  const double drag_seconds = std::chrono::duration<double>(released - drag_start).count();
  game.ClickAt(400, 555);  // OK
  ASSERT_TRUE(game.WaitForDisplayColor(400, 300, ItemColor("Menu"), 10s))
      << "OK did not bring back the main menu";
  const double answer_ms =
      std::chrono::duration<double, std::milli>(Clock::now() - released).count();
  std::printf("[ measure  ] a %.2f s drag; OK answered %.0f ms after the release\n", drag_seconds,
              answer_ms);
  // One test sound lasts 0.1 s; working through the queued motion took seconds.
  EXPECT_LT(answer_ms, 1500);

  x.TapKey("Escape");
  ASSERT_EQ(game.WaitExit(), 0) << game.Stderr();
  const std::string state = game.State();
  EXPECT_NE(state.find("\"SVolTrack\":{\"Visible\":false,\"Position\":40}"), std::string::npos)
      << state;
  // One sound per position the handler found when it ran: at most one per 0.1 s of dragging
  // (and one for the grab), not one for each of the 35 positions passed.
  const int played = CountOf(state, "\"Test\"");
  EXPECT_GE(played, 2) << state;
  EXPECT_LE(played, static_cast<int>(drag_seconds / 0.1) + 3) << state;
  std::printf("[ measure  ] %d test sounds for 35 positions\n", played);
}

}  // namespace
}  // namespace kv::test
