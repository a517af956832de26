#include "platform/mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace kv {
namespace {

using Samples = std::shared_ptr<const std::vector<uint8_t>>;

Samples Pcm16(std::initializer_list<int16_t> values) {
  auto bytes = std::make_shared<std::vector<uint8_t>>();
  for (int16_t v : values) {
    bytes->push_back(static_cast<uint8_t>(v & 0xFF));
    bytes->push_back(static_cast<uint8_t>((static_cast<uint16_t>(v) >> 8) & 0xFF));
  }
  return bytes;
}

Samples Pcm8(std::initializer_list<uint8_t> values) {
  return std::make_shared<std::vector<uint8_t>>(values);
}

SoundFormat Layout(int channels, int bits, int rate) {
  SoundFormat f;
  f.channels = channels;
  f.bits_per_sample = bits;
  f.samples_per_sec = rate;
  return f;
}

// Mixes `frames` stereo frames and returns them interleaved.
std::vector<int16_t> MixFrames(Mixer& mixer, int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);
  mixer.Mix(out.data(), frames);
  return out;
}

std::vector<int16_t> Left(const std::vector<int16_t>& stereo) {
  std::vector<int16_t> left;
  for (size_t i = 0; i < stereo.size(); i += 2) left.push_back(stereo[i]);
  return left;
}

TEST(MixerTest, NativeRateAtUnityGainPassesSamplesThrough) {
  Mixer mixer(22050);
  const auto mono = mixer.CreateVoice(Pcm16({1, -2, 32767, -32768}), Layout(1, 16, 22050));
  ASSERT_NE(mono, Mixer::kNoVoice);
  mixer.Play(mono, false);
  EXPECT_EQ(MixFrames(mixer, 4),
            (std::vector<int16_t>{1, 1, -2, -2, 32767, 32767, -32768, -32768}));

  mixer.Destroy(mono);
  const auto stereo = mixer.CreateVoice(Pcm16({100, -100, 200, -200}), Layout(2, 16, 22050));
  mixer.Play(stereo, false);
  EXPECT_EQ(MixFrames(mixer, 2), (std::vector<int16_t>{100, -100, 200, -200}));
}

TEST(MixerTest, EightBitSamplesAreUnsignedAroundCentre128) {
  Mixer mixer(8000);
  const auto voice = mixer.CreateVoice(Pcm8({128, 255, 0, 129}), Layout(1, 8, 8000));
  mixer.Play(voice, false);
  EXPECT_EQ(Left(MixFrames(mixer, 4)), (std::vector<int16_t>{0, 32512, -32768, 256}));

  const auto stereo = mixer.CreateVoice(Pcm8({0, 255}), Layout(2, 8, 8000));
  mixer.Play(stereo, false);
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{-32768, 32512}));
}

TEST(MixerTest, VolumeAndPanAttenuateInHundredthsOfDecibel) {
  Mixer mixer(1000);
  const auto voice = mixer.CreateVoice(Pcm16({20000}), Layout(1, 16, 1000));
  auto first_frame = [&] {
    mixer.Rewind(voice);
    mixer.Play(voice, false);
    return MixFrames(mixer, 1);
  };

  ASSERT_TRUE(mixer.SetVolume(voice, -600));  // about half
  auto out = first_frame();
  EXPECT_NEAR(out[0], 20000 * std::pow(10.0, -0.3), 1.0);
  EXPECT_EQ(out[0], out[1]);

  ASSERT_TRUE(mixer.SetVolume(voice, -10000));
  EXPECT_EQ(first_frame(), (std::vector<int16_t>{0, 0}));

  ASSERT_TRUE(mixer.SetVolume(voice, 0));
  ASSERT_TRUE(mixer.SetPan(voice, -10000));  // right silent
  EXPECT_EQ(first_frame(), (std::vector<int16_t>{20000, 0}));
  ASSERT_TRUE(mixer.SetPan(voice, 10000));  // left silent
  EXPECT_EQ(first_frame(), (std::vector<int16_t>{0, 20000}));
  ASSERT_TRUE(mixer.SetPan(voice, 2000));  // left down 20 dB
  EXPECT_EQ(first_frame(), (std::vector<int16_t>{2000, 20000}));

  // Volume and pan multiply.
  ASSERT_TRUE(mixer.SetVolume(voice, -2000));
  ASSERT_TRUE(mixer.SetPan(voice, -2000));
  EXPECT_EQ(first_frame(), (std::vector<int16_t>{2000, 200}));
}

TEST(MixerTest, OutOfRangeSettingsAreRefusedAndTheOldValueKept) {
  Mixer mixer(1000);
  const auto voice = mixer.CreateVoice(Pcm16({10000, 10000, 10000, 10000}), Layout(1, 16, 1000));
  ASSERT_TRUE(mixer.SetVolume(voice, -2000));
  ASSERT_TRUE(mixer.SetFrequency(voice, 500));
  EXPECT_FALSE(mixer.SetVolume(voice, 600));
  EXPECT_FALSE(mixer.SetVolume(voice, -10001));
  EXPECT_FALSE(mixer.SetPan(voice, 10001));
  EXPECT_FALSE(mixer.SetPan(voice, -10001));
  EXPECT_FALSE(mixer.SetFrequency(voice, 10));
  EXPECT_FALSE(mixer.SetFrequency(voice, 99));
  EXPECT_FALSE(mixer.SetFrequency(voice, 100001));
  EXPECT_FALSE(mixer.SetFrequency(voice, -1));
  EXPECT_FALSE(mixer.SetVolume(Mixer::kNoVoice, 0));
  EXPECT_FALSE(mixer.SetVolume(voice + 1, 0));

  // Still -20 dB, still half rate: four frames of data last eight device frames.
  mixer.Play(voice, false);
  const auto out = Left(MixFrames(mixer, 8));
  EXPECT_EQ(out, std::vector<int16_t>(8, 1000));
  EXPECT_FALSE(mixer.IsPlaying(voice));

  EXPECT_TRUE(mixer.SetFrequency(voice, 100));
  EXPECT_TRUE(mixer.SetFrequency(voice, 100000));
  EXPECT_TRUE(mixer.SetFrequency(voice, 0));
}

TEST(MixerTest, OtherRatesAreLinearlyInterpolated) {
  Mixer mixer(2000);
  const auto slow = mixer.CreateVoice(Pcm16({0, 1000, -1000}), Layout(1, 16, 1000));
  mixer.Play(slow, false);
  // Halfway points between frames; the last frame is held, not faded towards silence.
  EXPECT_EQ(Left(MixFrames(mixer, 7)), (std::vector<int16_t>{0, 500, 1000, 0, -1000, -1000, 0}));

  const auto fast = mixer.CreateVoice(Pcm16({0, 1, 2, 3, 4, 5}), Layout(1, 16, 1000));
  ASSERT_TRUE(mixer.SetFrequency(fast, 4000));  // twice the device rate
  mixer.Play(fast, false);
  EXPECT_EQ(Left(MixFrames(mixer, 4)), (std::vector<int16_t>{0, 2, 4, 0}));
  EXPECT_FALSE(mixer.IsPlaying(fast));
}

TEST(MixerTest, LoopingWrapsAndNeverEnds) {
  Mixer mixer(1000);
  const auto voice = mixer.CreateVoice(Pcm16({1, 2, 3}), Layout(1, 16, 1000));
  mixer.Play(voice, true);
  EXPECT_EQ(Left(MixFrames(mixer, 7)), (std::vector<int16_t>{1, 2, 3, 1, 2, 3, 1}));
  EXPECT_TRUE(mixer.IsPlaying(voice));
  EXPECT_EQ(Left(MixFrames(mixer, 2)), (std::vector<int16_t>{2, 3}));

  // Half rate interpolates across the loop point back to the first frame.
  ASSERT_TRUE(mixer.SetFrequency(voice, 500));
  mixer.Rewind(voice);
  EXPECT_EQ(Left(MixFrames(mixer, 7)), (std::vector<int16_t>{1, 1, 2, 2, 3, 2, 1}));

  mixer.Stop(voice);
  EXPECT_FALSE(mixer.IsPlaying(voice));
  EXPECT_EQ(MixFrames(mixer, 2), std::vector<int16_t>(4, 0));
}

TEST(MixerTest, PlayingEndsOnceTheLastFrameIsPassed) {
  Mixer mixer(1000);
  const auto voice = mixer.CreateVoice(Pcm16({5, 6, 7, 8}), Layout(1, 16, 1000));
  mixer.Play(voice, false);
  EXPECT_EQ(Left(MixFrames(mixer, 3)), (std::vector<int16_t>{5, 6, 7}));
  EXPECT_TRUE(mixer.IsPlaying(voice));
  EXPECT_EQ(Left(MixFrames(mixer, 3)), (std::vector<int16_t>{8, 0, 0}));
  EXPECT_FALSE(mixer.IsPlaying(voice));

  // Exactly reaching the end in one mix also ends it.
  mixer.Rewind(voice);
  mixer.Play(voice, false);
  MixFrames(mixer, 4);
  EXPECT_FALSE(mixer.IsPlaying(voice));

  // Stop keeps the position; Play resumes from there.
  mixer.Rewind(voice);
  mixer.Play(voice, false);
  MixFrames(mixer, 2);
  mixer.Stop(voice);
  EXPECT_EQ(MixFrames(mixer, 1), (std::vector<int16_t>{0, 0}));
  mixer.Play(voice, false);
  EXPECT_EQ(Left(MixFrames(mixer, 2)), (std::vector<int16_t>{7, 8}));
}

TEST(MixerTest, UnplayableFormatsAreRefused) {
  Mixer mixer;
  const auto data = Pcm16({0, 0});
  auto with = [](auto change) {
    SoundFormat f = Layout(1, 16, 22050);
    change(f);
    return f;
  };
  EXPECT_EQ(mixer.CreateVoice(nullptr, Layout(1, 16, 22050)), Mixer::kNoVoice);
  EXPECT_EQ(mixer.CreateVoice(data, with([](SoundFormat& f) { f.format_tag = 3; })),
            Mixer::kNoVoice);
  EXPECT_EQ(mixer.CreateVoice(data, with([](SoundFormat& f) { f.channels = 0; })), Mixer::kNoVoice);
  EXPECT_EQ(mixer.CreateVoice(data, with([](SoundFormat& f) { f.channels = 3; })), Mixer::kNoVoice);
  EXPECT_EQ(mixer.CreateVoice(data, with([](SoundFormat& f) { f.bits_per_sample = 24; })),
            Mixer::kNoVoice);
  EXPECT_EQ(mixer.CreateVoice(data, with([](SoundFormat& f) { f.samples_per_sec = 0; })),
            Mixer::kNoVoice);
  EXPECT_EQ(mixer.CreateVoice(data, with([](SoundFormat& f) { f.samples_per_sec = -8000; })),
            Mixer::kNoVoice);
  EXPECT_EQ(mixer.CreateVoice(data, with([](SoundFormat& f) { f.block_align = 4; })),
            Mixer::kNoVoice);
  EXPECT_NE(mixer.CreateVoice(data, with([](SoundFormat& f) { f.block_align = 2; })),
            Mixer::kNoVoice);
}

TEST(MixerTest, DataWithoutAWholeFrameNeverPlays) {
  Mixer mixer(1000);
  const auto empty = mixer.CreateVoice(Pcm8({}), Layout(1, 8, 1000));
  const auto partial = mixer.CreateVoice(Pcm8({1, 2, 3}), Layout(2, 16, 1000));
  ASSERT_NE(empty, Mixer::kNoVoice);
  ASSERT_NE(partial, Mixer::kNoVoice);
  mixer.Play(empty, true);
  mixer.Play(partial, false);
  EXPECT_FALSE(mixer.IsPlaying(empty));
  EXPECT_FALSE(mixer.IsPlaying(partial));
  EXPECT_EQ(MixFrames(mixer, 2), std::vector<int16_t>(4, 0));

  // A trailing partial frame is dropped, the whole ones play.
  const auto odd = mixer.CreateVoice(Pcm8({0x10, 0x00, 0x20}), Layout(1, 16, 1000));
  mixer.Play(odd, false);
  EXPECT_EQ(Left(MixFrames(mixer, 2)), (std::vector<int16_t>{16, 0}));
}

TEST(MixerTest, VoicesSumAndSaturate) {
  Mixer mixer(1000);
  const auto a = mixer.CreateVoice(Pcm16({30000, -30000, 100}), Layout(1, 16, 1000));
  const auto b = mixer.CreateVoice(Pcm16({30000, -30000, 200}), Layout(1, 16, 1000));
  mixer.Play(a, false);
  mixer.Play(b, false);
  EXPECT_EQ(Left(MixFrames(mixer, 3)), (std::vector<int16_t>{32767, -32768, 300}));
}

TEST(MixerTest, DuplicatesShareDataButPlayOnTheirOwn) {
  Mixer mixer(1000);
  const auto master = mixer.CreateVoice(Pcm16({1000, 2000, 3000}), Layout(1, 16, 1000));
  ASSERT_TRUE(mixer.SetVolume(master, -2000));
  ASSERT_TRUE(mixer.SetPan(master, -10000));
  ASSERT_TRUE(mixer.SetFrequency(master, 500));
  mixer.Play(master, true);
  MixFrames(mixer, 1);

  const auto copy = mixer.Duplicate(master);
  ASSERT_NE(copy, Mixer::kNoVoice);
  EXPECT_FALSE(mixer.IsPlaying(copy));  // a copy starts stopped, at the start
  mixer.Stop(master);
  mixer.Play(copy, false);
  EXPECT_EQ(MixFrames(mixer, 3), (std::vector<int16_t>{100, 0, 150, 0, 200, 0}));

  // The copy outlives its master; the master's id is handed out again.
  mixer.Destroy(master);
  EXPECT_EQ(mixer.Duplicate(master), Mixer::kNoVoice);
  EXPECT_TRUE(mixer.IsPlaying(copy));
  EXPECT_EQ(Left(MixFrames(mixer, 1)), (std::vector<int16_t>{250}));
  const auto reused = mixer.CreateVoice(Pcm16({7}), Layout(1, 16, 1000));
  EXPECT_EQ(reused, master);
  EXPECT_FALSE(mixer.IsPlaying(reused));

  // Calls on ids that do not exist do nothing.
  mixer.Play(99, false);
  mixer.Stop(-5);
  mixer.Rewind(99);
  mixer.Destroy(99);
  EXPECT_FALSE(mixer.IsPlaying(99));
}

TEST(MixerTest, GameThreadAndAudioThreadMayRunTogether) {
  Mixer mixer(44100);
  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::vector<int16_t> out(512 * 2);
    while (!done) mixer.Mix(out.data(), 512);
  });
  auto data = std::make_shared<std::vector<uint8_t>>(4410, 0x80);
  for (int i = 0; i < 300; ++i) {
    const auto voice = mixer.CreateVoice(data, Layout(1, 8, 22050));
    mixer.SetVolume(voice, -100 * (i % 10));
    mixer.Play(voice, i % 2 == 0);
    const auto copy = mixer.Duplicate(voice);
    mixer.Play(copy, false);
    mixer.IsPlaying(voice);
    mixer.Destroy(voice);
    if (i % 3 == 0) mixer.Destroy(copy);
  }
  done = true;
  audio.join();
}

}  // namespace
}  // namespace kv
