#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "media/byte_reader.h"
#include "media/wave_collection.h"
#include "platform/error.h"

namespace kv {

namespace {

constexpr uint32_t kWaitStepMs = 10;

// The "fmt " chunk as the device needs it:
//   offset  size  field
//        0     2  format tag (1 = PCM)
//        2     2  channels
//        4     4  samples per second
//        8     4  average bytes per second (not needed)
//       12     2  block alignment
//       14     2  bits per sample
// Anything after (an extra-size field and its bytes) is ignored. A block too short to hold
// these fields gives a format the device refuses, never a read beyond it.
SoundFormat ParseWaveFormat(std::span<const uint8_t> block) {
  SoundFormat format;
  if (block.size() < 16) {
    format.format_tag = 0;
    return format;
  }
  ByteReader reader(block);
  format.format_tag = reader.ReadU16();
  format.channels = reader.ReadU16();
  const uint32_t rate = reader.ReadU32();
  format.samples_per_sec = rate <= INT_MAX ? static_cast<int>(rate) : 0;
  reader.Skip(4);
  format.block_align = reader.ReadU16();
  format.bits_per_sample = reader.ReadU16();
  // A declared alignment of 0 would otherwise read as "whole frames" to the device.
  if (format.block_align == 0) format.format_tag = 0;
  return format;
}

[[noreturn]] void ThrowNotMade() {
  throw Error(Format("%s not made", "IDirectSoundBuffer"));
}

}  // namespace

TWaveCollectionItem::TWaveCollectionItem(TWaveCollection& owner) : owner_(owner) {}

TWaveCollectionItem::~TWaveCollectionItem() {
  DiscardVoices();
}

Mixer* TWaveCollectionItem::mixer() const {
  const SoundDevice* device = owner_.device();
  return device ? device->mixer : nullptr;
}

void TWaveCollectionItem::DiscardVoices() {
  if (Mixer* m = mixer()) {
    for (Mixer::VoiceId voice : voices_) m->Destroy(voice);
    if (master_ != Mixer::kNoVoice) m->Destroy(master_);
  }
  voices_.clear();
  master_ = Mixer::kNoVoice;
}

void TWaveCollectionItem::BuildMaster() {
  Mixer* m = mixer();
  if (!m) return;
  if (master_ != Mixer::kNoVoice) {
    m->Destroy(master_);
    master_ = Mixer::kNoVoice;
  }
  if (Wave.empty()) return;
  const Mixer::VoiceId voice = m->CreateVoice(Wave.samples, ParseWaveFormat(Wave.format));
  if (voice == Mixer::kNoVoice) throw Error(Format("%s cannot be made", "Sound Buffer"));
  master_ = voice;
  m->SetFrequency(master_, play_frequency_);
  m->SetPan(master_, play_pan_);
  m->SetVolume(master_, play_volume_);
}

void TWaveCollectionItem::RequireMaster() const {
  if (master_ == Mixer::kNoVoice) ThrowNotMade();
}

void TWaveCollectionItem::Initialize() {
  DiscardVoices();
  // Without a working device the item stays silent: every play request does nothing.
  initialized_ = mixer() != nullptr;
}

void TWaveCollectionItem::Finalize() {
  DiscardVoices();
  initialized_ = false;
}

void TWaveCollectionItem::RestoreVoices() {
  if (initialized_) BuildMaster();
}

void TWaveCollectionItem::SetLooped(bool looped) {
  if (looped == looped_) return;
  if (initialized_) StopItem();
  looped_ = looped;
}

void TWaveCollectionItem::SetMaxPlayingCount(int32_t count) {
  count = std::max(count, 0);
  if (count == max_playing_count_) return;
  max_playing_count_ = count;
  if (!initialized_) return;
  if (Mixer* m = mixer()) {
    for (Mixer::VoiceId voice : voices_) {
      m->Stop(voice);
      m->Destroy(voice);
    }
  }
  voices_.clear();
}

void TWaveCollectionItem::SetPlayVolume(int32_t value) {
  play_volume_ = value;
  if (!initialized_) return;
  if (master_ == Mixer::kNoVoice) BuildMaster();
  RequireMaster();
  if (Mixer* m = mixer()) m->SetVolume(master_, value);
}

void TWaveCollectionItem::SetPlayFrequency(int32_t value) {
  play_frequency_ = value;
  if (!initialized_) return;
  if (master_ == Mixer::kNoVoice) BuildMaster();
  RequireMaster();
  if (Mixer* m = mixer()) m->SetFrequency(master_, value);
}

void TWaveCollectionItem::StopItem() {
  if (!initialized_) return;
  RequireMaster();
  Mixer* m = mixer();
  if (!m) return;
  m->Stop(master_);
  for (Mixer::VoiceId voice : voices_) m->Stop(voice);
}

void TWaveCollectionItem::PlayItem(bool wait) {
  const SoundDevice* device = owner_.device();
  if (device && device->on_play) device->on_play(Name);
  Mixer* m = mixer();
  if (!initialized_ || !m) return;

  if (looped_) {
    RequireMaster();
    m->Stop(master_);
    m->Rewind(master_);
    m->Play(master_, true);
    return;
  }

  auto chosen = std::find_if(voices_.begin(), voices_.end(),
                             [m](Mixer::VoiceId voice) { return !m->IsPlaying(voice); });
  Mixer::VoiceId voice = Mixer::kNoVoice;
  if (chosen != voices_.end()) {
    voice = *chosen;
  } else if (max_playing_count_ == 0 || voices_.size() < static_cast<size_t>(max_playing_count_)) {
    if (master_ == Mixer::kNoVoice) return;
    voice = m->Duplicate(master_);
    if (voice == Mixer::kNoVoice) throw Error(Format("%s cannot be made", "Sound Buffer"));
    voices_.push_back(voice);
  } else {
    // The oldest play is cut off and its voice goes to the back of the queue.
    std::rotate(voices_.begin(), voices_.begin() + 1, voices_.end());
    voice = voices_.back();
  }

  m->Stop(voice);
  m->Rewind(voice);
  m->SetFrequency(voice, play_frequency_);
  m->SetPan(voice, play_pan_);
  m->SetVolume(voice, play_volume_);
  m->Play(voice, false);

  if (!wait) return;
  while (m->IsPlaying(voice)) {
    if (device->sleep) {
      device->sleep(kWaitStepMs);
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(kWaitStepMs));
    }
  }
}

}  // namespace kv
