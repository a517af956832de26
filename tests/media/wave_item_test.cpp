#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

#include "media/wave_collection.h"
#include "platform/error.h"
#include "support/test_support.h"
#include "tools/writer/wave_writer.h"

namespace kv {
namespace {

constexpr int kRate = 1000;  // one frame per millisecond keeps the timing arithmetic plain

// A 16-bit mono wave whose frame i holds i x 10, so a mixed value tells which frames of which
// voices were summed.
TWave Ramp(int frames, int rate = kRate) {
  std::vector<int16_t> values;
  for (int i = 0; i < frames; ++i) values.push_back(static_cast<int16_t>(i * 10));
  TWave wave;
  wave.format = writer::WaveFormatBlock(1, rate, 16);
  wave.samples = std::make_shared<std::vector<uint8_t>>(writer::Pcm16Bytes(values));
  return wave;
}

void ExpectError(const std::function<void()>& action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "expected \"" << message << "\"";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), message);
  }
}

class WaveItemTest : public ::testing::Test {
 protected:
  WaveItemTest() {
    device_.mixer = &mixer_;
    // Sleeping lets the device play on, as the audio thread would meanwhile.
    device_.sleep = [this](uint32_t ms) {
      slept_ms_ += ms;
      Advance(static_cast<int>(ms));
    };
    device_.on_play = [this](const std::string& name) { played_.push_back(name); };
  }

  TWaveCollectionItem& Add(const std::string& name, TWave wave) {
    TWaveCollectionItem& item = waves_.Add();
    waves_.Rename(item, name);
    item.Wave = std::move(wave);
    return item;
  }

  // Mixes `ms` milliseconds and returns the left channel.
  std::vector<int16_t> Advance(int ms) {
    std::vector<int16_t> out(static_cast<size_t>(ms) * kRate / 1000 * 2);
    mixer_.Mix(out.data(), static_cast<int>(out.size() / 2));
    std::vector<int16_t> left;
    for (size_t i = 0; i < out.size(); i += 2) left.push_back(out[i]);
    return left;
  }
  int16_t NextFrame() { return Advance(1).front(); }

  Mixer mixer_{kRate};
  SoundDevice device_;
  std::vector<std::string> played_;
  uint32_t slept_ms_ = 0;
  TWaveCollection waves_;  // last, so its items go before the device they use
};

TEST_F(WaveItemTest, OverlappingPlaysShareALimitedSetOfVoices) {
  TWaveCollectionItem& item = Add("Long", Ramp(1000));
  item.SetMaxPlayingCount(2);
  waves_.Attach(&device_);

  item.PlayItem(false);
  Advance(10);
  item.PlayItem(false);
  Advance(10);
  item.PlayItem(false);  // both busy at the limit: the first restarts from the beginning
  EXPECT_EQ(item.voice_count(), 2);
  EXPECT_EQ(NextFrame(), 0 + 100);

  // The restarted voice went to the back, so the next play restarts the other one.
  Advance(9);
  item.PlayItem(false);
  EXPECT_EQ(NextFrame(), 100 + 0);
}

TEST_F(WaveItemTest, WithoutALimitEveryBusyPlayAddsAVoice) {
  TWaveCollectionItem& item = Add("Long", Ramp(1000));
  waves_.Attach(&device_);
  for (int i = 0; i < 3; ++i) {
    item.PlayItem(false);
    Advance(10);
  }
  EXPECT_EQ(item.voice_count(), 3);
  EXPECT_EQ(NextFrame(), 300 + 200 + 100);
}

TEST_F(WaveItemTest, AFinishedVoiceIsReused) {
  TWaveCollectionItem& item = Add("Short", Ramp(20));
  waves_.Attach(&device_);
  item.PlayItem(false);
  item.PlayItem(false);
  EXPECT_EQ(item.voice_count(), 2);
  Advance(30);
  item.PlayItem(false);
  item.PlayItem(false);
  EXPECT_EQ(item.voice_count(), 2);
  EXPECT_EQ(NextFrame(), 0);
  EXPECT_EQ(NextFrame(), 20);
}

TEST_F(WaveItemTest, WaitingPlaySleepsInTenMillisecondStepsUntilTheEnd) {
  TWaveCollectionItem& item = Add("Click", Ramp(95));
  waves_.Attach(&device_);
  item.PlayItem(true);
  EXPECT_EQ(slept_ms_, 100u);
  EXPECT_FALSE(mixer_.IsPlaying(0) || mixer_.IsPlaying(1));

  slept_ms_ = 0;
  item.SetPlayFrequency(500);
  item.PlayItem(true);
  EXPECT_EQ(slept_ms_, 190u);

  // The options slider's values are out of range: refused, so the voice keeps its rate.
  slept_ms_ = 0;
  item.SetPlayVolume(600);
  item.SetPlayFrequency(10);
  item.PlayItem(true);
  EXPECT_EQ(slept_ms_, 190u);
  EXPECT_EQ(item.PlayVolume(), 600);
  EXPECT_EQ(item.PlayFrequency(), 10);
}

TEST_F(WaveItemTest, LoopedItemPlaysItsMasterAndAWaitReturnsAtOnce) {
  TWaveCollectionItem& item = Add("Ambience", Ramp(10));
  item.SetLooped(true);
  waves_.Attach(&device_);
  item.PlayItem(true);
  EXPECT_EQ(slept_ms_, 0u);
  EXPECT_EQ(item.voice_count(), 0);
  Advance(25);
  EXPECT_EQ(NextFrame(), 50);  // still going round

  item.PlayItem(false);  // restarts from the beginning
  EXPECT_EQ(NextFrame(), 0);

  item.SetLooped(false);  // a change stops it
  EXPECT_EQ(NextFrame(), 0);
  EXPECT_EQ(NextFrame(), 0);
}

TEST_F(WaveItemTest, EachPlayGivesTheVoiceTheStoredSettings) {
  TWaveCollectionItem& item = Add("Step", Ramp(500));
  item.SetPlayVolume(-2000);  // stored while not initialised, applied when the master is built
  waves_.Attach(&device_);
  item.PlayItem(false);
  Advance(100);
  EXPECT_EQ(NextFrame(), 100);  // frame 100 (1000) at a tenth

  // A playing voice keeps its settings; the next play takes the new ones.
  item.SetPlayVolume(0);
  EXPECT_EQ(NextFrame(), 101);
  item.PlayItem(false);
  EXPECT_EQ(NextFrame(), 102 + 0);
  EXPECT_EQ(NextFrame(), 103 + 10);
}

TEST_F(WaveItemTest, StopItemAndLimitChangesSilenceTheVoices) {
  TWaveCollectionItem& item = Add("Long", Ramp(1000));
  waves_.Attach(&device_);
  item.PlayItem(false);
  item.PlayItem(false);
  item.StopItem();
  EXPECT_EQ(NextFrame(), 0);
  EXPECT_EQ(item.voice_count(), 2);

  item.PlayItem(false);
  item.SetMaxPlayingCount(-5);  // stored as 0, no change: voices stay
  EXPECT_EQ(item.MaxPlayingCount(), 0);
  EXPECT_EQ(item.voice_count(), 2);
  item.SetMaxPlayingCount(3);  // a change discards the play voices
  EXPECT_EQ(item.voice_count(), 0);
  Advance(1);
  EXPECT_EQ(NextFrame(), 0);
}

TEST_F(WaveItemTest, EveryPlayRequestIsReportedEvenWithoutADevice) {
  Add("Button", Ramp(10));
  Add("Door", Ramp(10));
  SoundDevice silent;
  silent.on_play = device_.on_play;
  waves_.Attach(&silent);
  TWaveCollectionItem& button = waves_.Items(0);
  EXPECT_FALSE(button.initialized());
  button.PlayItem(true);
  waves_.Items(1).PlayItem(false);
  button.PlayItem(false);
  EXPECT_EQ(played_, (std::vector<std::string>{"Button", "Door", "Button"}));
  EXPECT_EQ(button.voice_count(), 0);
  waves_.Attach(nullptr);
}

TEST_F(WaveItemTest, AnEmptyWaveHasNoMasterVoice) {
  TWaveCollectionItem& item = Add("Nothing", TWave{});
  waves_.Attach(&device_);
  ASSERT_TRUE(item.initialized());
  item.PlayItem(true);  // plays nothing, waits for nothing
  EXPECT_EQ(item.voice_count(), 0);
  EXPECT_EQ(played_, std::vector<std::string>{"Nothing"});

  const std::string not_made = "IDirectSoundBuffer not made";
  ExpectError([&] { item.StopItem(); }, not_made);
  ExpectError([&] { item.SetLooped(true); }, not_made);
  EXPECT_FALSE(item.Looped());
  item.SetLooped(false);  // no change, no stop
  ExpectError([&] { item.SetPlayVolume(-100); }, not_made);
  EXPECT_EQ(item.PlayVolume(), -100);
  ExpectError([&] { item.SetPlayFrequency(8000); }, not_made);
  EXPECT_EQ(item.PlayFrequency(), 8000);

  // The same calls on an item that is not initialised do nothing.
  item.Finalize();
  item.StopItem();
  item.SetLooped(true);
  item.PlayItem(false);
  EXPECT_TRUE(item.Looped());
}

TEST_F(WaveItemTest, AFormatTheDeviceCannotPlayIsRefused) {
  TWaveCollectionItem& item = Add("Odd", Ramp(10));
  waves_.Attach(&device_);
  auto refused = [&](std::vector<uint8_t> format) {
    item.Wave.format = std::move(format);
    ExpectError([&] { item.RestoreVoices(); }, "Sound Buffer cannot be made");
  };
  refused(writer::WaveFormatBlock(1, kRate, 16, /*format_tag=*/2));
  refused(writer::WaveFormatBlock(3, kRate, 16));
  refused(writer::WaveFormatBlock(1, kRate, 24));
  refused(writer::WaveFormatBlock(1, 0, 16));
  refused({});
  auto short_block = writer::WaveFormatBlock(1, kRate, 16);
  short_block.resize(14);
  refused(short_block);
  auto misaligned = writer::WaveFormatBlock(1, kRate, 16);
  misaligned[12] = 4;
  refused(misaligned);
  misaligned[12] = 0;
  refused(misaligned);

  // An extra-size field after the sixteen bytes is fine.
  auto extended = writer::WaveFormatBlock(1, kRate, 16);
  extended.insert(extended.end(), {0, 0});
  item.Wave.format = extended;
  item.RestoreVoices();
  item.PlayItem(false);
  EXPECT_EQ(NextFrame(), 0);
  EXPECT_EQ(NextFrame(), 10);
}

TEST_F(WaveItemTest, RestoreRebuildsTheMasterAndInitializeDiscardsVoices) {
  TWaveCollectionItem& item = Add("Long", Ramp(1000));
  waves_.Attach(&device_);
  item.PlayItem(false);
  item.Initialize();
  EXPECT_EQ(item.voice_count(), 0);
  EXPECT_EQ(NextFrame(), 0);
  item.PlayItem(false);  // no master yet: nothing plays
  EXPECT_EQ(NextFrame(), 0);
  item.RestoreVoices();
  item.PlayItem(false);
  EXPECT_EQ(NextFrame(), 0);
  EXPECT_EQ(NextFrame(), 10);
}

// Bytes sox writes, and the samples sox itself decodes from them.
struct SoxSound {
  std::vector<uint8_t> file;
  std::vector<uint8_t> raw;
};

std::optional<SoxSound> MakeWithSox(const test::TempDir& dir, const std::string& layout,
                                    const std::string& effect) {
  const std::string path = dir / "sound.wav";
  const std::string command = "sox -n " + layout + " " + path + " " + effect + " >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) {
    return std::nullopt;
  }
  SoxSound sound;
  std::ifstream in(path, std::ios::binary);
  sound.file.assign(std::istreambuf_iterator<char>(in), {});
  FILE* pipe = popen(("sox " + path + " -t raw - 2>/dev/null").c_str(), "r");
  if (!pipe) return std::nullopt;
  uint8_t buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    sound.raw.insert(sound.raw.end(), buffer, buffer + got);
  }
  if (pclose(pipe) != 0 || sound.raw.empty()) return std::nullopt;
  return sound;
}

// Plays a file made elsewhere at its own rate and unity gain and expects the mixer's output
// to be exactly the samples sox decodes.
void ExpectPlaysAsSoxDecodes(int rate, int channels, int bits, const std::string& effect) {
  test::TempDir dir;
  const std::string layout = "-r " + std::to_string(rate) + " -c " + std::to_string(channels) +
                             " -b " + std::to_string(bits) +
                             (bits == 8 ? " -e unsigned-integer" : " -e signed-integer");
  const auto sound = MakeWithSox(dir, layout, effect);
  if (!sound) GTEST_SKIP() << "sox is not available";

  Mixer mixer(rate);
  SoundDevice device;
  device.mixer = &mixer;
  TWaveCollection waves;
  TWaveCollectionItem& item = waves.Add();
  item.Wave = ReadWavePayload(sound->file);
  waves.Attach(&device);
  item.PlayItem(false);

  const int bytes_per_value = bits / 8;
  const int frames = static_cast<int>(sound->raw.size()) / (bytes_per_value * channels);
  std::vector<int16_t> out(static_cast<size_t>(frames + 1) * 2);
  mixer.Mix(out.data(), frames + 1);
  for (int f = 0; f < frames; ++f) {
    for (int c = 0; c < 2; ++c) {
      const size_t at =
          static_cast<size_t>((f * channels + (channels == 2 ? c : 0)) * bytes_per_value);
      const int16_t expected =
          bits == 8 ? static_cast<int16_t>((sound->raw[at] - 128) * 256)
                    : static_cast<int16_t>(sound->raw[at] | (sound->raw[at + 1] << 8));
      ASSERT_EQ(out[static_cast<size_t>(f * 2 + c)], expected) << "frame " << f << " channel " << c;
    }
  }
  EXPECT_EQ(out[static_cast<size_t>(frames * 2)], 0);
  waves.Attach(nullptr);
}

TEST(WaveItemSoxTest, SixteenBitMonoPlaysAsDecoded) {
  ExpectPlaysAsSoxDecodes(22050, 1, 16, "synth 0.1 sine 440");
}

TEST(WaveItemSoxTest, EightBitStereoPlaysAsDecoded) {
  ExpectPlaysAsSoxDecodes(11025, 2, 8, "synth 0.05 sine 300 sine 500");
}

}  // namespace
}  // namespace kv
