#include "platform/mixer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kv {

namespace {

constexpr int kSilentDb = -10000;
constexpr int kPanLimit = 10000;
constexpr int kMinFrequency = 100;
constexpr int kMaxFrequency = 100000;
constexpr int kDefaultDeviceRate = 44100;

// Gains are 16.16 fixed point, so unity gain passes every sample through unchanged.
constexpr int kGainShift = 16;
constexpr double kGainOne = 1 << kGainShift;

// Positions are 32.32 fixed point in frames of the voice's data. Voices longer than 2^31
// frames are refused so that position plus step never wraps.
constexpr int kPositionShift = 32;
constexpr uint64_t kMaxFrames = uint64_t{1} << 31;

// An int32 accumulator holds at least this many full-scale voices before it could overflow;
// past that, partial sums are clamped (their output saturates anyway).
constexpr int kVoicesPerClamp = 65535;

double Attenuation(int hundredths_db) {
  if (hundredths_db <= kSilentDb) return 0.0;
  return std::pow(10.0, hundredths_db / 2000.0);
}

template <int Bits>
int32_t SampleAt(const uint8_t* data, uint64_t index) {
  if constexpr (Bits == 8) {
    return (static_cast<int32_t>(data[index]) - 128) * 256;
  } else {
    const uint16_t raw = static_cast<uint16_t>(data[2 * index] | (data[2 * index + 1] << 8));
    return static_cast<int16_t>(raw);
  }
}

int32_t Scale(int32_t sample, int32_t gain) {
  return static_cast<int32_t>((static_cast<int64_t>(sample) * gain + (1 << (kGainShift - 1))) >>
                              kGainShift);
}

}  // namespace

struct Mixer::Voice {
  std::shared_ptr<const std::vector<uint8_t>> samples;
  SoundFormat format;
  uint64_t frames = 0;  // whole frames in samples
  int volume = 0;
  int pan = 0;
  int frequency = 0;
  int32_t gain_left = 1 << kGainShift;
  int32_t gain_right = 1 << kGainShift;
  uint64_t position = 0;
  uint64_t step = 0;  // position advance per device frame
  bool playing = false;
  bool looping = false;

  void UpdateGains() {
    const double base = Attenuation(volume);
    const double left = pan > 0 ? base * Attenuation(-pan) : base;
    const double right = pan < 0 ? base * Attenuation(pan) : base;
    gain_left = static_cast<int32_t>(std::lround(left * kGainOne));
    gain_right = static_cast<int32_t>(std::lround(right * kGainOne));
  }

  void UpdateStep(int device_rate) {
    const uint64_t rate =
        static_cast<uint64_t>(frequency != 0 ? frequency : format.samples_per_sec);
    step = (rate << kPositionShift) / static_cast<uint64_t>(device_rate);
  }

  // One template per layout keeps the per-frame loop free of format branches.
  template <int Bits, int Channels>
  void MixInto(int32_t* acc, int out_frames) {
    const uint8_t* data = samples->data();
    const uint64_t end = frames << kPositionShift;
    for (int i = 0; i < out_frames; ++i) {
      if (position >= end) {
        if (!looping || frames == 0) {
          playing = false;
          return;
        }
        position %= end;
      }
      const uint64_t index = position >> kPositionShift;
      const uint64_t next = index + 1 < frames ? index + 1 : (looping ? 0 : index);
      // 15 fraction bits keep (difference x fraction) inside int32.
      const int32_t fraction = static_cast<int32_t>((position >> (kPositionShift - 15)) & 0x7FFF);
      const int32_t l0 = SampleAt<Bits>(data, index * Channels);
      const int32_t l1 = SampleAt<Bits>(data, next * Channels);
      const int32_t left = l0 + (((l1 - l0) * fraction) >> 15);
      int32_t right = left;
      if constexpr (Channels == 2) {
        const int32_t r0 = SampleAt<Bits>(data, index * 2 + 1);
        const int32_t r1 = SampleAt<Bits>(data, next * 2 + 1);
        right = r0 + (((r1 - r0) * fraction) >> 15);
      }
      acc[2 * i] += Scale(left, gain_left);
      acc[2 * i + 1] += Scale(right, gain_right);
      position += step;
    }
    if (!looping && position >= end) playing = false;
  }

  void MixInto(int32_t* acc, int out_frames) {
    const bool wide = format.bits_per_sample == 16;
    const bool stereo = format.channels == 2;
    if (wide && stereo) {
      MixInto<16, 2>(acc, out_frames);
    } else if (wide) {
      MixInto<16, 1>(acc, out_frames);
    } else if (stereo) {
      MixInto<8, 2>(acc, out_frames);
    } else {
      MixInto<8, 1>(acc, out_frames);
    }
  }
};

Mixer::Mixer(int device_rate) : device_rate_(device_rate >= 1 ? device_rate : kDefaultDeviceRate) {}

Mixer::~Mixer() = default;

Mixer::Voice* Mixer::Find(VoiceId id) {
  if (id < 0 || static_cast<size_t>(id) >= voices_.size()) return nullptr;
  return voices_[static_cast<size_t>(id)].get();
}

const Mixer::Voice* Mixer::Find(VoiceId id) const {
  if (id < 0 || static_cast<size_t>(id) >= voices_.size()) return nullptr;
  return voices_[static_cast<size_t>(id)].get();
}

Mixer::VoiceId Mixer::Store(std::unique_ptr<Voice> voice) {
  const auto free_slot = std::find(voices_.begin(), voices_.end(), nullptr);
  if (free_slot != voices_.end()) {
    *free_slot = std::move(voice);
    return static_cast<VoiceId>(free_slot - voices_.begin());
  }
  if (voices_.size() >= static_cast<size_t>(std::numeric_limits<VoiceId>::max())) return kNoVoice;
  voices_.push_back(std::move(voice));
  return static_cast<VoiceId>(voices_.size() - 1);
}

Mixer::VoiceId Mixer::CreateVoice(std::shared_ptr<const std::vector<uint8_t>> samples,
                                  SoundFormat format) {
  if (!samples) return kNoVoice;
  if (format.format_tag != 1) return kNoVoice;
  if (format.channels != 1 && format.channels != 2) return kNoVoice;
  if (format.bits_per_sample != 8 && format.bits_per_sample != 16) return kNoVoice;
  if (format.samples_per_sec <= 0) return kNoVoice;
  const int frame_bytes = format.channels * format.bits_per_sample / 8;
  if (format.block_align != 0 && format.block_align != frame_bytes) return kNoVoice;
  const uint64_t frames = samples->size() / static_cast<size_t>(frame_bytes);
  if (frames >= kMaxFrames) return kNoVoice;

  auto voice = std::make_unique<Voice>();
  voice->samples = std::move(samples);
  voice->format = format;
  voice->frames = frames;
  std::lock_guard lock(mutex_);
  voice->UpdateStep(device_rate_);
  return Store(std::move(voice));
}

Mixer::VoiceId Mixer::Duplicate(VoiceId master) {
  std::lock_guard lock(mutex_);
  const Voice* source = Find(master);
  if (!source) return kNoVoice;
  auto copy = std::make_unique<Voice>(*source);
  copy->position = 0;
  copy->playing = false;
  copy->looping = false;
  return Store(std::move(copy));
}

void Mixer::Destroy(VoiceId id) {
  std::unique_ptr<Voice> doomed;  // freed outside the lock, away from the audio callback
  {
    std::lock_guard lock(mutex_);
    if (Find(id)) doomed = std::move(voices_[static_cast<size_t>(id)]);
  }
}

bool Mixer::SetVolume(VoiceId id, int hundredths_db) {
  if (hundredths_db < kSilentDb || hundredths_db > 0) return false;
  std::lock_guard lock(mutex_);
  Voice* voice = Find(id);
  if (!voice) return false;
  voice->volume = hundredths_db;
  voice->UpdateGains();
  return true;
}

bool Mixer::SetPan(VoiceId id, int hundredths_db) {
  if (hundredths_db < -kPanLimit || hundredths_db > kPanLimit) return false;
  std::lock_guard lock(mutex_);
  Voice* voice = Find(id);
  if (!voice) return false;
  voice->pan = hundredths_db;
  voice->UpdateGains();
  return true;
}

bool Mixer::SetFrequency(VoiceId id, int hz) {
  if (hz != 0 && (hz < kMinFrequency || hz > kMaxFrequency)) return false;
  std::lock_guard lock(mutex_);
  Voice* voice = Find(id);
  if (!voice) return false;
  voice->frequency = hz;
  voice->UpdateStep(device_rate_);
  return true;
}

void Mixer::Play(VoiceId id, bool looping) {
  std::lock_guard lock(mutex_);
  Voice* voice = Find(id);
  if (!voice) return;
  voice->looping = looping;
  // A voice without a whole frame has nothing to play; reporting it as playing would keep a
  // waiting caller waiting for a mix that never ends it.
  voice->playing = voice->frames > 0;
}

void Mixer::Stop(VoiceId id) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = Find(id)) voice->playing = false;
}

void Mixer::Rewind(VoiceId id) {
  std::lock_guard lock(mutex_);
  if (Voice* voice = Find(id)) voice->position = 0;
}

bool Mixer::IsPlaying(VoiceId id) const {
  std::lock_guard lock(mutex_);
  const Voice* voice = Find(id);
  return voice && voice->playing;
}

void Mixer::Mix(int16_t* out, int frames) {
  if (!out || frames <= 0) return;
  const size_t values = static_cast<size_t>(frames) * 2;
  std::lock_guard lock(mutex_);
  if (accumulator_.size() < values) accumulator_.resize(values);
  int32_t* acc = accumulator_.data();
  std::fill_n(acc, values, 0);

  constexpr int32_t kClampLimit = 2 * std::numeric_limits<int16_t>::max();
  int mixed = 0;
  for (auto& voice : voices_) {
    if (!voice || !voice->playing) continue;
    voice->MixInto(acc, frames);
    if (++mixed == kVoicesPerClamp) {
      mixed = 0;
      for (size_t i = 0; i < values; ++i) acc[i] = std::clamp(acc[i], -kClampLimit, kClampLimit);
    }
  }
  for (size_t i = 0; i < values; ++i) {
    out[i] = static_cast<int16_t>(std::clamp<int32_t>(acc[i], std::numeric_limits<int16_t>::min(),
                                                      std::numeric_limits<int16_t>::max()));
  }
}

}  // namespace kv
