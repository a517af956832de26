#include "media/wave_collection.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/mixer.h"
#include "support/test_support.h"
#include "tools/writer/stream_writer.h"
#include "tools/writer/wave_writer.h"

namespace kv {
namespace {

using Bytes = std::vector<uint8_t>;

const Bytes kFormat = writer::WaveFormatBlock(1, 11025, 8);
const Bytes kSamples = {1, 2, 3, 4, 5};

TEST(WavePayload, EmptyValueIsAnEmptyWave) {
  const TWave wave = ReadWavePayload({});
  EXPECT_TRUE(wave.empty());
  EXPECT_TRUE(wave.format.empty());
}

TEST(WavePayload, PlainFile) {
  const TWave wave = ReadWavePayload(writer::EncodeWav(kSamples, 1, 11025, 8));
  EXPECT_EQ(wave.format, kFormat);
  EXPECT_EQ(*wave.samples, kSamples);
}

TEST(WavePayload, OtherChunksArePassedOverWithTheirPadByte) {
  const Bytes list_odd = {'I', 'N', 'F', 'O', 'x'};
  const TWave wave = ReadWavePayload(writer::WavBuilder()
                                         .Chunk("LIST", list_odd)
                                         .Format(1, 11025, 8)
                                         .Chunk("junk", Bytes(3, 0xEE))
                                         .Data(kSamples)
                                         .Bytes());
  EXPECT_EQ(wave.format, kFormat);
  EXPECT_EQ(*wave.samples, kSamples);
}

TEST(WavePayload, LaterChunksReplaceEarlierOnes) {
  const Bytes other_format = writer::WaveFormatBlock(2, 22050, 16);
  const TWave wave = ReadWavePayload(writer::WavBuilder()
                                         .Format(1, 11025, 8)
                                         .Data(Bytes{9, 9})
                                         .Chunk("fmt ", other_format)
                                         .Data(kSamples)
                                         .Bytes());
  EXPECT_EQ(wave.format, other_format);
  EXPECT_EQ(*wave.samples, kSamples);
}

TEST(WavePayload, ScanEndsAtZeroIdOrShortTail) {
  // A zero id stops the scan: the data chunk behind it is never seen.
  const TWave stopped = ReadWavePayload(
      writer::WavBuilder().Format(1, 11025, 8).Raw(Bytes(8, 0)).Data(kSamples).Bytes());
  EXPECT_EQ(stopped.format, kFormat);
  EXPECT_TRUE(stopped.empty());
  // Three stray bytes read as a chunk id with size 0; the scan then runs off the end.
  const TWave tail = ReadWavePayload(
      writer::WavBuilder().Format(1, 11025, 8).Data(kSamples).Raw(Bytes{'a', 'b', 'c'}).Bytes());
  EXPECT_EQ(*tail.samples, kSamples);
}

TEST(WavePayload, Failures) {
  auto message = [](const Bytes& value) {
    return test::MessageOf([&] { ReadWavePayload(value); });
  };
  Bytes riff = writer::EncodeWav(kSamples, 1, 11025, 8);
  Bytes not_wave = riff;
  not_wave[8] = 'X';
  EXPECT_EQ(message(not_wave), "Wave is invalid");
  EXPECT_EQ(message(Bytes(riff.begin(), riff.begin() + 11)), "Wave is invalid");
  EXPECT_EQ(message(Bytes{'R'}), "Wave is invalid");
  EXPECT_EQ(message(writer::WavBuilder().RawChunk("data", 6, kSamples).Bytes()),
            "Stream read error");
  EXPECT_EQ(message(writer::WavBuilder().RawChunk("fmt ", 17, kFormat).Bytes()),
            "Stream read error");
  // A size with the top bit set would step backwards; so would every size from there on.
  EXPECT_EQ(message(writer::WavBuilder().RawChunk("LIST", 0x80000000u, {}).Data(kSamples).Bytes()),
            "Wave is invalid");
  EXPECT_EQ(message(writer::WavBuilder().RawChunk("data", 0xFFFFFFF8u, {}).Bytes()),
            "Wave is invalid");
}

// Collections.

Bytes Wav() {
  return writer::EncodeWav(kSamples, 1, 11025, 8);
}

TEST(WaveCollection, LoadsItemsWithTheirProperties) {
  writer::WaveItemEntry button{"Button", Wav(), true, 3};
  writer::WaveItemEntry plain{"", {}, std::nullopt, std::nullopt};
  writer::WaveItemEntry again{"BUTTON", Wav(), std::nullopt, -5};
  TWaveCollection c;
  c.LoadCollectionStream(writer::WriteWaveCollection({button, plain, again}));
  ASSERT_EQ(c.Count(), 3);
  EXPECT_TRUE(c.Items(0).Looped());
  EXPECT_EQ(c.Items(0).MaxPlayingCount(), 3);
  EXPECT_EQ(*c.Items(0).Wave.samples, kSamples);
  EXPECT_FALSE(c.Items(1).Looped());
  EXPECT_TRUE(c.Items(1).Wave.empty());
  EXPECT_EQ(c.Items(2).MaxPlayingCount(), 0);
  EXPECT_EQ(c.IndexOfName("button"), 2);
  EXPECT_EQ(c.IndexOfName(""), 1);
  EXPECT_EQ(test::MessageOf([&] { c.FindItemByName("Click"); }), "Wave 'Click' not found");
  EXPECT_EQ(test::MessageOf([&] { c.Items(3); }), "List index out of bounds (3)");
}

TEST(WaveCollection, WaveValuesAndTheirFailures) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TWaveCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  w.ItemStart();
  writer::WriteBinaryProperty(w, "wave.wave", Wav());
  w.PropertyName("Wave");
  w.Nil();
  w.PropertyName("Looped");
  w.Ident("True");
  w.End();
  w.ItemStart();
  writer::WriteBinaryProperty(w, "Wave.WAVE", Bytes{'R', 'I', 'F', 'F'});
  w.End();
  w.End();
  writer::FinishRoot(w);
  TWaveCollection c;
  EXPECT_EQ(test::MessageOf([&] { c.LoadCollectionStream(w.Take()); }),
            "Error reading TWaveCollectionComponent.List: Error reading "
            "TWaveCollectionItem.Wave.WAVE: Wave is invalid");
  ASSERT_EQ(c.Count(), 2);
  EXPECT_TRUE(c.Items(0).Wave.empty());
  EXPECT_TRUE(c.Items(0).Looped());
}

TEST(WaveCollection, NoColourTableHere) {
  writer::StreamWriter w;
  writer::BeginRoot(w, "TWaveCollectionComponent");
  writer::WriteBinaryProperty(w, "List.ColorTable", Bytes(1024));
  writer::FinishRoot(w);
  TWaveCollection c;
  EXPECT_EQ(test::MessageOf([&] { c.LoadCollectionStream(w.Take()); }),
            "Error reading TWaveCollectionComponent.List.ColorTable: Property does not exist");
}

TEST(WaveCollection, DeviceInitialisesItemsOnAttachAndLoad) {
  Mixer mixer;
  SoundDevice device;
  device.mixer = &mixer;
  device.sleep = [](uint32_t) {};
  TWaveCollection c;
  c.LoadCollectionStream(writer::WriteWaveCollection({{"a", Wav(), {}, {}}}));
  EXPECT_FALSE(c.Items(0).initialized());
  c.Attach(&device);
  EXPECT_TRUE(c.Items(0).initialized());
  c.Items(0).PlayItem(false);
  EXPECT_EQ(c.Items(0).voice_count(), 1);

  c.LoadCollectionStream(writer::WriteWaveCollection({{"b", Wav(), {}, {}}, {"c", {}, {}, {}}}));
  EXPECT_TRUE(c.Items(0).initialized());
  EXPECT_TRUE(c.Items(1).initialized());

  c.Attach(nullptr);
  EXPECT_FALSE(c.Items(0).initialized());

  // A device that could not be opened leaves the items silent.
  SoundDevice silent;
  c.Attach(&silent);
  EXPECT_FALSE(c.Items(0).initialized());
}

// A wave the device refuses ends the load, but only after every item was initialised: the
// items after it are playable, just without a master voice yet.
TEST(WaveCollection, RefusedWaveEndsTheLoadWithEveryItemInitialised) {
  Mixer mixer;
  SoundDevice device;
  device.mixer = &mixer;
  device.sleep = [](uint32_t) {};
  TWaveCollection c;
  c.Attach(&device);
  const Bytes refused = writer::WavBuilder()
                            .Chunk("fmt ", writer::WaveFormatBlock(1, 11025, 8, 2))
                            .Data(kSamples)
                            .Bytes();
  const auto file = writer::WriteWaveCollection(
      {{"good", Wav(), {}, {}}, {"refused", refused, {}, {}}, {"after", Wav(), true, {}}});
  EXPECT_EQ(test::MessageOf([&] { c.LoadCollectionStream(file); }), "Sound Buffer cannot be made");
  ASSERT_EQ(c.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(c.Items(i).initialized()) << i;
  c.Items(0).PlayItem(false);
  EXPECT_EQ(c.Items(0).voice_count(), 1);
  EXPECT_EQ(test::MessageOf([&] { c.Items(2).PlayItem(false); }), "IDirectSoundBuffer not made");
}

}  // namespace
}  // namespace kv
