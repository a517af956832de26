// The hero's name typed on a real keyboard: the field has the keyboard as soon as it shows, its
// name selected so that typing replaces it, and Alt+Enter there switches the display instead of
// confirming the name.
#include <gtest/gtest.h>

#include "support/game_data.h"
#include "window/support/window_game.h"

namespace kv::test {
namespace {

TEST(NameField, TypesAtOnceAndLeavesAltEnterToTheDisplay) {
  XServer x(1024, 768);
  WindowGame game(x);
  ASSERT_TRUE(game.WaitForMenu()) << game.Stderr();
  game.ClickAt(200, 420);  // new game
  ASSERT_TRUE(game.WaitForDisplayColor(100, 550, ItemColor("Scroll")));
  game.ClickAt(400, 200);  // the name box shows the field, black
  ASSERT_TRUE(game.WaitForDisplayColor(590, 265, Rgb8{0, 0, 0}));

  x.TapKey("a");
  x.TapKey("b");
  x.AltEnter();
  ASSERT_TRUE(WaitUntil([&] { return game.Geometry().width == 800; }, 5s));
  // The field is still up over the black display, unconfirmed.
  EXPECT_TRUE(game.WaitForDisplayColor(590, 265, Rgb8{0, 0, 0}));
  // Through the system clipboard: the name copied whole and pasted after itself.
  const auto ctrl = [&](const std::string& key) {
    x.Key("Control_L", true);
    x.TapKey(key);
    x.Key("Control_L", false);
  };
  ctrl("a");
  ctrl("c");
  x.TapKey("End");
  ctrl("v");
  x.TapKey("Return");
  // Confirmed: the field goes and the name page is drawn again.
  EXPECT_TRUE(game.WaitForDisplayColor(590, 265, ItemColor("Braz")));

  x.TapKey("Escape");
  ASSERT_EQ(game.WaitExit(), 0) << game.Stderr();
  const std::string state = game.State();
  EXPECT_NE(state.find("\"Name\":\"abab\""), std::string::npos) << state;
  EXPECT_NE(state.find("\"Fullscreen\":false"), std::string::npos) << state;
  EXPECT_NE(state.find("\"NEdit\":{\"Visible\":false"), std::string::npos) << state;
}

}  // namespace
}  // namespace kv::test
