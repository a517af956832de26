#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/platform.h"

namespace kv {
namespace {

// Runs the real backend on SDL's dummy drivers: no screen, but every call goes through.
TEST(SdlPlatformTest, OpensPresentsAndSwitchesModesOnDummyDrivers) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::string problem;
  auto platform = MakeSdlPlatform({}, problem);
  ASSERT_NE(platform, nullptr) << problem;
  EXPECT_FALSE(platform->headless());
  ASSERT_TRUE(platform->OpenDisplay(true, {800, 600, 16}));

  EditControl edit;
  edit.bounds = {205, 230, 595, 271};
  platform->controls().Add(&edit);
  platform->controls().Show(edit, true);
  Image565 front(800, 600, 0x07E0);
  platform->Present(front, false);
  const uint64_t before = platform->Micros();
  platform->Present(front, true);
  platform->Present(front, true);
  EXPECT_GE(platform->Micros() - before, 16000u) << "waiting presents keep to the refresh";

  platform->SaveWindowPlacement();
  ASSERT_TRUE(platform->OpenDisplay(false, {800, 600, 16}));
  platform->Present(front, false);
  platform->RestoreWindowPlacement();
  platform->CloseDisplay();
  platform->Present(front, true);  // closed: nothing to show, nothing to wait for

  CursorImage cursor;
  cursor.rgba.assign(32 * 32, 0xFF808080u);
  platform->SetCursorImage(cursor);
  EXPECT_EQ(platform->ShowCursor(false), -1);
  Event event;
  while (platform->PollEvent(event)) {
  }
  const int64_t day = platform->UtcMillisOfDay();
  EXPECT_GE(day, 0);
  EXPECT_LT(day, 86'400'000);
  if (Mixer* mixer = platform->sound()) {
    EXPECT_EQ(mixer->DeviceRate(), 44100);
  }
  platform->controls().Show(edit, false);
}

}  // namespace
}  // namespace kv
