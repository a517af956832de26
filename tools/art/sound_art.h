#pragma once

#include <vector>

#include "tools/writer/stream_writer.h"

namespace kv::art {

// The game's sounds, synthesised: 16-bit mono PCM at 22050 Hz. Item 0 is the short test sound
// of the options screen's volume slider (it plays to its end while the game waits), then
// "Button", the click every button makes, then a few more for later use.
std::vector<writer::WaveItemEntry> SynthesiseSounds();

constexpr int kSoundRate = 22050;

}  // namespace kv::art
