#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/test_support.h"

namespace kv {
namespace {

// Runs the real backend on SDL's dummy drivers: no screen, but every call goes through.
TEST(SdlPlatformTest, OpensPresentsAndSwitchesModesOnDummyDrivers) {
  test::SetEnvironment("SDL_VIDEODRIVER", "dummy");
  test::SetEnvironment("SDL_AUDIODRIVER", "dummy");
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

// The events waiting for the script, taken as the application takes them; the controller's as
// "type key value" lines.
std::vector<std::string> PadEvents(Platform& platform) {
  std::vector<std::string> seen;
  Event event;
  while (platform.PollWindowEvent(event)) {
    platform.ApplyInput(event);  // as the application does with what it takes
    const char* name = nullptr;
    switch (event.type) {
      case EventType::kPadConnect:
        name = "connect";
        break;
      case EventType::kPadDisconnect:
        name = "disconnect";
        break;
      case EventType::kPadAxis:
        name = "axis";
        break;
      case EventType::kPadButtonDown:
        name = "down";
        break;
      case EventType::kPadButtonUp:
        name = "up";
        break;
      default:
        continue;
    }
    seen.push_back(std::string(name) + " " + std::to_string(event.key) + " " +
                   std::to_string(event.value));
  }
  return seen;
}

// A script's controller is SDL's virtual game controller: plugged in, moved, pressed, pulled
// out and plugged in again, it gives the events a real one gives, through SDL's mapping.
TEST(SdlPlatformTest, TheScriptsControllerComesAndGoesThroughSdl) {
  test::SetEnvironment("SDL_VIDEODRIVER", "dummy");
  test::SetEnvironment("SDL_AUDIODRIVER", "dummy");
  std::string problem;
  auto platform = MakeSdlPlatform({}, problem);
  ASSERT_NE(platform, nullptr) << problem;
  ASSERT_TRUE(platform->OpenDisplay(false, {800, 600, 16}));

  EXPECT_FALSE(platform->DrivePad({PadCommand::Kind::kAxis, pad::kLeftX, 100}, problem));
  EXPECT_EQ(problem, "no game controller is plugged in");
  ASSERT_TRUE(platform->DrivePad({PadCommand::Kind::kConnect}, problem)) << problem;
  EXPECT_FALSE(platform->DrivePad({PadCommand::Kind::kConnect}, problem));
  EXPECT_EQ(PadEvents(*platform), std::vector<std::string>{"connect 0 0"});
  EXPECT_TRUE(platform->pad().connected);

  // Each change is read before the next is made, as the script runner does.
  ASSERT_TRUE(platform->DrivePad({PadCommand::Kind::kAxis, pad::kRightY, -20000}, problem));
  EXPECT_EQ(PadEvents(*platform), std::vector<std::string>{"axis 3 -20000"});
  ASSERT_TRUE(platform->DrivePad({PadCommand::Kind::kButton, pad::kDpadLeft, 1}, problem));
  EXPECT_EQ(PadEvents(*platform), std::vector<std::string>{"down 13 0"});
  ASSERT_TRUE(platform->DrivePad({PadCommand::Kind::kButton, pad::kA, 1}, problem));
  EXPECT_EQ(PadEvents(*platform), std::vector<std::string>{"down 0 0"});
  EXPECT_EQ(platform->pad().axes[pad::kRightY], -20000);
  EXPECT_TRUE(platform->pad().buttons[pad::kDpadLeft]);

  // Pulled out while held: SDL lets go of the buttons and centres the stick first, which is no
  // release of the player's; the controller simply goes, and what it held with it.
  ASSERT_TRUE(platform->DrivePad({PadCommand::Kind::kDisconnect}, problem));
  EXPECT_EQ(PadEvents(*platform), std::vector<std::string>{"disconnect 0 0"});
  EXPECT_FALSE(platform->pad().connected);
  EXPECT_FALSE(platform->pad().buttons[pad::kA]);

  ASSERT_TRUE(platform->DrivePad({PadCommand::Kind::kConnect}, problem)) << problem;
  EXPECT_EQ(PadEvents(*platform), std::vector<std::string>{"connect 0 0"});
  ASSERT_TRUE(platform->DrivePad({PadCommand::Kind::kAxis, pad::kLeftX, 32767}, problem));
  EXPECT_EQ(PadEvents(*platform), std::vector<std::string>{"axis 0 32767"});
}

// A wait however long comes back within a second, for the caller to look at the time and at the
// events (a request to end among them) before it waits again.
TEST(SdlPlatformTest, NoWaitOutlastsASecond) {
  test::SetEnvironment("SDL_VIDEODRIVER", "dummy");
  test::SetEnvironment("SDL_AUDIODRIVER", "dummy");
  std::string problem;
  auto platform = MakeSdlPlatform({}, problem);
  ASSERT_NE(platform, nullptr) << problem;
  ASSERT_TRUE(platform->OpenDisplay(false, {800, 600, 16}));
  Event event;
  while (platform->PollEvent(event)) {
  }
  for (const uint32_t ms : {uint32_t{1} << 31, UINT32_MAX}) {
    uint64_t start = platform->Micros();
    platform->WaitEvent(ms);
    EXPECT_LT(platform->Micros() - start, 2'000'000u) << "WaitEvent(" << ms << ")";
    start = platform->Micros();
    platform->Sleep(ms);
    EXPECT_LT(platform->Micros() - start, 2'000'000u) << "Sleep(" << ms << ")";
  }
}

}  // namespace
}  // namespace kv
