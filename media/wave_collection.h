#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "media/input_stream.h"
#include "media/named_items.h"
#include "platform/mixer.h"

namespace kv {

// One sound's data: the "fmt " chunk kept whole and the "data" chunk's samples.
struct TWave {
  std::vector<uint8_t> format;
  std::shared_ptr<const std::vector<uint8_t>> samples = std::make_shared<std::vector<uint8_t>>();
  bool empty() const { return samples->empty(); }
};

// Reads a "Wave.WAVE" value (a RIFF WAVE file). Fails with "Wave is invalid" or
// "Stream read error".
TWave ReadWavePayload(std::span<const uint8_t> value);

class TWaveCollection;

class TWaveCollectionItem {
 public:
  explicit TWaveCollectionItem(TWaveCollection& owner);
  ~TWaveCollectionItem();

  // Stored properties.
  std::string Name;  // code page 1250
  bool Looped() const { return looped_; }
  void SetLooped(bool looped);  // a change stops the item first
  int32_t MaxPlayingCount() const { return max_playing_count_; }
  void SetMaxPlayingCount(int32_t count);  // negative stored as 0; a change drops play voices
  TWave Wave;

  // Run-time settings, in the device's units; 0 at creation.
  int32_t PlayVolume() const { return play_volume_; }
  int32_t PlayPan() const { return play_pan_; }
  int32_t PlayFrequency() const { return play_frequency_; }
  void SetPlayVolume(int32_t value);
  void SetPlayFrequency(int32_t value);

  void PlayItem(bool wait);
  void StopItem();

  // Device events.
  void Initialize();     // stop and discard voices, mark initialised
  void Finalize();       // stop and discard voices, mark not initialised
  void RestoreVoices();  // build the master voice

  bool initialized() const { return initialized_; }
  int voice_count() const { return static_cast<int>(voices_.size()); }

 private:
  Mixer* mixer() const;
  void DiscardVoices();
  void BuildMaster();
  void RequireMaster() const;

  TWaveCollection& owner_;
  bool looped_ = false;
  int32_t max_playing_count_ = 0;
  int32_t play_volume_ = 0;
  int32_t play_pan_ = 0;
  int32_t play_frequency_ = 0;
  bool initialized_ = false;
  Mixer::VoiceId master_ = Mixer::kNoVoice;
  std::vector<Mixer::VoiceId> voices_;
};

// Hooks the collection needs from the outside world: the sound device and a sleep.
struct SoundDevice {
  Mixer* mixer = nullptr;                           // null: no working device
  std::function<void(uint32_t)> sleep;              // sleeps the user-interface thread
  std::function<void(const std::string&)> on_play;  // every play request, by item name
};

class TWaveCollection {
 public:
  TWaveCollection();
  ~TWaveCollection();

  int Count() const { return items_.Count(); }
  TWaveCollectionItem& Items(int index);  // "List index out of bounds (%d)"
  int IndexOfName(std::string_view name) const;
  TWaveCollectionItem& FindItemByName(std::string_view name);  // "Wave '%s' not found"

  void LoadCollectionFile(const std::string& path);
  void LoadCollectionStream(std::span<const uint8_t> bytes);
  void LoadCollectionStream(InputStream& in);

  void Clear();
  TWaveCollectionItem& Add();
  void Rename(TWaveCollectionItem& item, std::string_view name);

  // Attaches to a device (initialises every item and builds its master voice) or detaches.
  void Attach(SoundDevice* device);
  SoundDevice* device() const { return device_; }

 private:
  void InitializeItems();

  NamedItems<TWaveCollectionItem> items_;
  SoundDevice* device_ = nullptr;
};

}  // namespace kv
