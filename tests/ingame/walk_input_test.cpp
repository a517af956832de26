#include "ingame/walk_input.h"

#include <gtest/gtest.h>

#include "ingame/hero.h"

namespace kv {
namespace {

struct Input {
  bool up = false, down = false, left = false, right = false, mouse = false;
  int direction = 0;
};

// The change of target a tick makes for a standing hero at (40, 40), and whether he walks.
struct Result {
  int dx, dy;
  bool walking;
  friend bool operator==(const Result&, const Result&) = default;
};

Result Tick(const Input& in) {
  THero hero;
  hero.CellX = hero.PosX = 40;
  hero.CellY = hero.PosY = 40;
  ApplyWalkInput(hero, in.up, in.down, in.left, in.right, in.mouse, in.direction);
  return {hero.PosX - 40, hero.PosY - 40, hero.Walking};
}

Input Keys(bool up, bool down, bool left, bool right) {
  return {up, down, left, right};
}
Input Mouse(int direction, Input keys = {}) {
  keys.mouse = true;
  keys.direction = direction;
  return keys;
}

TEST(WalkInput, OppositeKeysStopEverything) {
  EXPECT_EQ(Tick(Keys(false, false, true, true)), (Result{0, 0, false}));
  EXPECT_EQ(Tick(Keys(true, true, false, false)), (Result{0, 0, false}));
  EXPECT_EQ(Tick(Mouse(3, Keys(true, true, false, false))), (Result{0, 0, false}));
  EXPECT_EQ(Tick(Mouse(1, Keys(true, false, true, true))), (Result{0, 0, false}));
}

TEST(WalkInput, KeysAloneAndCombined) {
  EXPECT_EQ(Tick(Keys(true, false, false, false)), (Result{0, -1, true}));
  EXPECT_EQ(Tick(Keys(false, true, false, false)), (Result{0, 1, true}));
  EXPECT_EQ(Tick(Keys(false, false, true, false)), (Result{-1, 0, true}));
  EXPECT_EQ(Tick(Keys(true, false, true, false)), (Result{-1, -1, true}));
  EXPECT_EQ(Tick(Keys(false, true, false, true)), (Result{1, 1, true}));
  EXPECT_EQ(Tick({}), (Result{0, 0, false}));
}

TEST(WalkInput, MouseDirections) {
  const Result expected[] = {{0, 0, false}, {0, -1, true}, {1, -1, true},
                             {1, 0, true},  {1, 1, true},  {0, 1, true},
                             {-1, 1, true}, {-1, 0, true}, {-1, -1, true}};
  for (int d = 0; d <= 8; ++d) EXPECT_EQ(Tick(Mouse(d)), expected[d]) << d;
  EXPECT_EQ(Tick(Mouse(9)), (Result{0, 0, false}));
  EXPECT_EQ(Tick(Mouse(-1)), (Result{0, 0, false}));
  Input released;
  released.direction = 3;  // the direction under the pointer counts only while held
  EXPECT_EQ(Tick(released), (Result{0, 0, false}));
}

TEST(WalkInput, KeysAndMouseStayOnANeighbour) {
  EXPECT_EQ(Tick(Mouse(3, Keys(true, false, false, false))), (Result{1, -1, true}));  // NE
  EXPECT_EQ(Tick(Mouse(1, Keys(true, false, false, false))), (Result{0, -1, true}));  // not 2
  EXPECT_EQ(Tick(Mouse(8, Keys(true, false, true, false))), (Result{-1, -1, true}));
  EXPECT_EQ(Tick(Mouse(4, Keys(false, false, true, false))), (Result{0, 1, true}));
  // Pulling both ways leaves him standing, not "walking" on his own cell.
  EXPECT_EQ(Tick(Mouse(5, Keys(true, false, false, false))), (Result{0, 0, false}));
  EXPECT_EQ(Tick(Mouse(6, Keys(true, false, false, true))), (Result{0, 0, false}));
}

TEST(WalkInput, WalkingHeroIgnoresInput) {
  THero hero;
  hero.CellX = 10;
  hero.CellY = 10;
  hero.PosX = 11;
  hero.PosY = 10;
  hero.Walking = true;
  ApplyWalkInput(hero, true, false, true, false, true, 5);
  EXPECT_EQ(hero.PosX, 11);
  EXPECT_EQ(hero.PosY, 10);
  EXPECT_TRUE(hero.Walking);
}

}  // namespace
}  // namespace kv
