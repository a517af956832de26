#include <gtest/gtest.h>

#include "platform/platform.h"

namespace kv {
namespace {

TEST(HeadlessPlatformTest, ClockMovesOnlyWhenTheProgramWaits) {
  auto platform = MakeHeadlessPlatform();
  ASSERT_TRUE(platform->headless());
  EXPECT_EQ(platform->Micros(), 0u);
  Image565 front(800, 600);
  platform->Present(front, false);  // front-surface draws show at once
  EXPECT_EQ(platform->Micros(), 0u);
  platform->Present(front, true);
  EXPECT_EQ(platform->Micros(), 16667u);
  EXPECT_EQ(platform->Millis(), 16u) << "the millisecond clock rounds down";
  platform->Sleep(100);
  platform->WaitEvent(200);
  platform->AdvanceClock(333);
  EXPECT_EQ(platform->Micros(), 317000u);
  Event event;
  EXPECT_FALSE(platform->PollEvent(event));
  EXPECT_TRUE(platform->OpenDisplay(true, {800, 600, 16}));
  const auto modes = platform->DisplayModes();
  EXPECT_NE(std::find(modes.begin(), modes.end(), DisplayMode{800, 600, 16}), modes.end());

  // The longest waits there are move the clock by their whole length.
  const uint64_t before = platform->Micros();
  platform->WaitEvent(UINT32_MAX);
  platform->Sleep(UINT32_MAX);
  EXPECT_EQ(platform->Micros() - before, 2 * uint64_t{UINT32_MAX} * 1000);
}

TEST(HeadlessPlatformTest, TimeOfDayRunsOnFromWhereItWasSetAndWrapsAtMidnight) {
  auto platform = MakeHeadlessPlatform();
  platform->Sleep(1500);
  EXPECT_EQ(platform->UtcMillisOfDay(), 1500);
  platform->SetUtcMillisOfDay(86'399'990);
  EXPECT_EQ(platform->UtcMillisOfDay(), 86'399'990);
  platform->Sleep(25);
  EXPECT_EQ(platform->UtcMillisOfDay(), 15);
  platform->SetUtcMillisOfDay(-10);
  EXPECT_EQ(platform->UtcMillisOfDay(), 86'399'990);
}

// One second of 8-bit mono at 22050 Hz.
Mixer::VoiceId OneSecondVoice(Mixer& mixer) {
  auto samples = std::make_shared<std::vector<uint8_t>>(22050, 200);
  SoundFormat format;
  format.samples_per_sec = 22050;
  return mixer.CreateVoice(samples, format);
}

TEST(HeadlessPlatformTest, SoundsPlayForTheirRealDurationOnTheVirtualClock) {
  auto platform = MakeHeadlessPlatform();
  Mixer* mixer = platform->sound();
  ASSERT_NE(mixer, nullptr);
  const auto voice = OneSecondVoice(*mixer);
  ASSERT_NE(voice, Mixer::kNoVoice);
  mixer->Play(voice, false);
  platform->Sleep(990);
  EXPECT_TRUE(mixer->IsPlaying(voice));
  platform->Sleep(20);
  EXPECT_FALSE(mixer->IsPlaying(voice));

  // Many refreshes that each leave a fraction of a frame over add up to the same length.
  mixer->Rewind(voice);
  mixer->Play(voice, false);
  Image565 front(8, 8);
  for (int i = 0; i < 59; ++i) platform->Present(front, true);
  EXPECT_TRUE(mixer->IsPlaying(voice)) << "983 ms played";
  platform->Present(front, true);
  platform->Present(front, true);
  EXPECT_FALSE(mixer->IsPlaying(voice)) << "1017 ms played";
}

TEST(PlatformInputTest, EventsUpdateWhatPollingReads) {
  auto platform = MakeHeadlessPlatform();
  Event down;
  down.type = EventType::kMouseDown;
  down.pos = {120, 45};
  down.button = MouseButton::kRight;
  platform->ApplyInput(down);
  EXPECT_EQ(platform->PointerPosition(), (Point{120, 45}));
  EXPECT_TRUE(platform->KeyIsDown(vk::kRButton));
  EXPECT_FALSE(platform->KeyIsDown(vk::kLButton));
  Event up = down;
  up.type = EventType::kMouseUp;
  platform->ApplyInput(up);
  EXPECT_FALSE(platform->KeyIsDown(vk::kRButton));

  Event key;
  key.type = EventType::kKeyDown;
  key.key = vk::kReturn;
  key.mods.alt = true;
  platform->ApplyInput(key);
  EXPECT_TRUE(platform->KeyIsDown(vk::kReturn));
  EXPECT_TRUE(platform->KeyIsDown(vk::kMenu));
  EXPECT_FALSE(platform->KeyIsDown(vk::kControl));
  key.type = EventType::kKeyUp;
  key.mods.alt = false;
  platform->ApplyInput(key);
  EXPECT_FALSE(platform->KeyIsDown(vk::kReturn));
  EXPECT_FALSE(platform->KeyIsDown(vk::kMenu));

  Event odd;
  odd.type = EventType::kKeyDown;
  odd.key = 5000;  // out of range: ignored, not written past the table
  platform->ApplyInput(odd);
  EXPECT_FALSE(platform->KeyIsDown(5000));

  key.type = EventType::kKeyDown;
  key.key = vk::kUp;
  platform->ApplyInput(key);
  Event away;
  away.type = EventType::kDeactivate;
  platform->ApplyInput(away);
  EXPECT_FALSE(platform->foreground());
  EXPECT_FALSE(platform->KeyIsDown(vk::kUp)) << "releases while away never arrive";
  away.type = EventType::kActivate;
  platform->ApplyInput(away);
  EXPECT_TRUE(platform->foreground());
}

TEST(PlatformInputTest, CursorShowCounterIsVisibleFromZeroUp) {
  auto platform = MakeHeadlessPlatform();
  EXPECT_EQ(platform->ShowCursor(false), -1);
  EXPECT_EQ(platform->ShowCursor(false), -2);
  EXPECT_EQ(platform->ShowCursor(true), -1);
  EXPECT_EQ(platform->ShowCursor(true), 0);
  EXPECT_EQ(platform->cursor_count(), 0);
}

}  // namespace
}  // namespace kv
