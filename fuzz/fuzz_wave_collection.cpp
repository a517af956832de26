// Feeds arbitrary bytes to the sound collection loader on a working (silent) device, then
// plays every item and mixes a little, so odd formats reach the mixer too.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "media/wave_collection.h"
#include "platform/error.h"
#include "platform/mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kv::Mixer mixer;
  kv::SoundDevice device;
  device.mixer = &mixer;
  device.sleep = [](uint32_t) {};
  kv::TWaveCollection waves;
  waves.Attach(&device);
  try {
    waves.LoadCollectionStream(std::span<const uint8_t>(data, size));
  } catch (const kv::Error&) {
  }
  for (int i = 0; i < waves.Count(); ++i) {
    try {
      waves.Items(i).PlayItem(false);
    } catch (const kv::Error&) {
    }
  }
  std::vector<int16_t> out(2 * 512);
  mixer.Mix(out.data(), 512);
  waves.Attach(nullptr);
  return 0;
}
