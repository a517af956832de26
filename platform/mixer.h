#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace kv {

// PCM layout of a voice's sample data.
struct SoundFormat {
  int channels = 1;         // 1 or 2
  int bits_per_sample = 8;  // 8 (unsigned) or 16 (signed little-endian)
  int samples_per_sec = 22050;
  int format_tag = 1;   // 1 = PCM, the only coding the device plays
  int block_align = 0;  // bytes per frame as the data declares it; 0 = channels x bytes
};

// The sound device: plays voices that share sample data, each with its own position, volume,
// pan and rate, mixed into 16-bit stereo at the device rate. Thread-safe: the audio callback
// mixes while the game thread starts and stops voices.
class Mixer {
 public:
  using VoiceId = int;
  static constexpr VoiceId kNoVoice = -1;

  // A device rate below 1 Hz is taken as 44100.
  explicit Mixer(int device_rate = 44100);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // kNoVoice when the format is not one the device plays (PCM, 8 or 16 bits, 1 or 2 channels,
  // a positive rate, a block alignment of whole frames) or the data is missing. A trailing
  // partial frame is not played. Ids of destroyed voices are handed out again.
  VoiceId CreateVoice(std::shared_ptr<const std::vector<uint8_t>> samples, SoundFormat format);
  // A new voice sharing the master's samples, starting with its volume, pan and rate.
  VoiceId Duplicate(VoiceId master);
  void Destroy(VoiceId voice);

  // Each setter refuses a value outside its range (returns false, keeps the previous value).
  bool SetVolume(VoiceId voice, int hundredths_db);  // -10000 (silent) .. 0 (full)
  bool SetPan(VoiceId voice, int hundredths_db);     // -10000 (right silent) .. 10000 (left silent)
  bool SetFrequency(VoiceId voice, int hz);          // 100 .. 100000, or 0 for the data's own rate

  void Play(VoiceId voice, bool looping);
  void Stop(VoiceId voice);
  void Rewind(VoiceId voice);
  bool IsPlaying(VoiceId voice) const;

  // Mixes `frames` stereo frames into out (interleaved left, right), replacing its contents.
  // Rates other than the device's are resampled by linear interpolation between neighbouring
  // frames (a looping voice interpolates across its loop point).
  void Mix(int16_t* out, int frames);
  int DeviceRate() const { return device_rate_; }

 private:
  struct Voice;
  Voice* Find(VoiceId id);
  const Voice* Find(VoiceId id) const;
  VoiceId Store(std::unique_ptr<Voice> voice);

  int device_rate_;
  mutable std::mutex mutex_;
  std::vector<std::unique_ptr<Voice>> voices_;  // indexed by VoiceId; null once destroyed
  std::vector<int32_t> accumulator_;
};

}  // namespace kv
