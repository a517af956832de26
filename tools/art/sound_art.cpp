#include "tools/art/sound_art.h"
#include "tools/art/portable_math.h"

#include <algorithm>
#include <cmath>

#include "platform/cp1250.h"
#include "tools/art/noise.h"
#include "tools/writer/wave_writer.h"

namespace kv::art {

namespace {

constexpr float kTau = 6.2831853f;

using Samples = std::vector<float>;

Samples Silence(float seconds) {
  return Samples(static_cast<size_t>(seconds * kSoundRate), 0.f);
}

float Time(size_t i) {
  return static_cast<float>(i) / kSoundRate;
}

// A struck bell or glass: a few inharmonic partials, each dying away at its own rate.
void AddBell(Samples& s, float start, float pitch, float gain, float decay) {
  static constexpr float kPartials[][3] = {
      {1.f, 1.f, 1.f}, {2.76f, 0.45f, 1.8f}, {5.4f, 0.25f, 3.f}, {8.93f, 0.12f, 4.5f}};
  const size_t first = static_cast<size_t>(start * kSoundRate);
  for (size_t i = first; i < s.size(); ++i) {
    const float t = Time(i - first);
    const float attack = std::min(1.f, t / 0.002f);
    float v = 0;
    for (const auto& p : kPartials)
      v += p[1] * Sin(kTau * pitch * p[0] * t) * Exp(-t * p[2] / decay);
    s[i] += gain * attack * v;
  }
}

// Noise through a one-pole low-pass, shaped by an envelope function of time.
template <class Env>
void AddNoise(Samples& s, float start, float length, float cutoff, float gain, uint64_t seed,
              Env envelope) {
  Rng rng(seed);
  const float a = Exp(-kTau * cutoff / kSoundRate);
  float y = 0;
  const size_t first = static_cast<size_t>(start * kSoundRate);
  const size_t count = static_cast<size_t>(length * kSoundRate);
  for (size_t i = 0; i < count && first + i < s.size(); ++i) {
    y = a * y + (1 - a) * rng.Uniform(-1, 1);
    s[first + i] += gain * y * envelope(Time(i));
  }
}

void AddTone(Samples& s, float start, float length, float f0, float f1, float gain, float decay) {
  const size_t first = static_cast<size_t>(start * kSoundRate);
  float phase = 0;
  for (size_t i = 0; i < static_cast<size_t>(length * kSoundRate) && first + i < s.size(); ++i) {
    const float t = Time(i);
    phase += kTau * (f0 + (f1 - f0) * t / length) / kSoundRate;
    s[first + i] += gain * Sin(phase) * Exp(-t / decay) * std::min(1.f, t / 0.001f);
  }
}

std::vector<uint8_t> Encode(const Samples& s, bool looped) {
  // Peak-normalise to about -3 dB and end on silence, so no item clicks when it stops (a loop
  // flows back into its start instead).
  float peak = 1e-6f;
  for (float v : s) peak = std::max(peak, std::abs(v));
  std::vector<int16_t> pcm(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    const float fade = looped ? 1.f : std::min(1.f, static_cast<float>(s.size() - i) / 64.f);
    pcm[i] = static_cast<int16_t>(std::lround(s[i] / peak * 0.7f * fade * 32767.f));
  }
  return writer::EncodeWav(pcm, 1, kSoundRate);
}

writer::WaveItemEntry Item(const char* name, const Samples& s, bool looped = false) {
  writer::WaveItemEntry item;
  item.name = cp1250::FromUtf8(name);
  item.wave = Encode(s, looped);
  if (looped) item.looped = true;
  return item;
}

Samples TestPing() {
  Samples s = Silence(0.16f);
  AddBell(s, 0, 1320.f, 1.f, 0.05f);
  return s;
}

Samples Click() {
  Samples s = Silence(0.07f);
  AddNoise(s, 0, 0.07f, 3500.f, 1.f, 11, [](float t) { return Exp(-t / 0.006f); });
  AddTone(s, 0, 0.07f, 220.f, 140.f, 0.8f, 0.015f);
  AddBell(s, 0.004f, 1760.f, 0.15f, 0.01f);
  return s;
}

Samples Footstep() {
  Samples s = Silence(0.18f);
  AddNoise(s, 0, 0.18f, 600.f, 1.f, 13,
           [](float t) { return std::min(1.f, t / 0.004f) * Exp(-t / 0.03f); });
  AddNoise(s, 0.025f, 0.1f, 2500.f, 0.35f, 17, [](float t) { return Exp(-t / 0.02f); });
  AddTone(s, 0, 0.12f, 90.f, 60.f, 0.6f, 0.03f);
  return s;
}

Samples Chime() {
  Samples s = Silence(1.2f);
  const float notes[] = {784.f, 988.f, 1175.f, 1568.f};
  for (int i = 0; i < 4; ++i) AddBell(s, i * 0.09f, notes[i], 0.6f, 0.35f);
  return s;
}

Samples PageTurn() {
  Samples s = Silence(0.32f);
  AddNoise(s, 0, 0.32f, 5000.f, 1.f, 19, [](float t) {
    const float swell = Sin(3.14159f * std::min(1.f, t / 0.3f));
    return swell * swell * (0.6f + 0.4f * Sin(kTau * 31.f * t));
  });
  return s;
}

// Crackling embers, made to loop: the buffer's end flows into its start.
Samples Fire() {
  Samples s = Silence(1.5f);
  AddNoise(s, 0, 1.5f, 400.f, 0.5f, 23, [](float) { return 1.f; });
  Rng rng(29);
  for (int i = 0; i < 40; ++i) {
    const float at = rng.Uniform(0.f, 1.45f);
    AddNoise(s, at, 0.02f, 6000.f, rng.Uniform(0.3f, 1.f), 31 + i,
             [](float t) { return Exp(-t / 0.003f); });
  }
  const size_t blend = 2000;
  for (size_t i = 0; i < blend; ++i) {
    const float k = static_cast<float>(i) / blend;
    s[i] = s[i] * k + s[s.size() - blend + i] * (1 - k);
  }
  s.resize(s.size() - blend);
  return s;
}

}  // namespace

std::vector<writer::WaveItemEntry> SynthesiseSounds() {
  std::vector<writer::WaveItemEntry> items;
  items.push_back(Item("Test", TestPing()));
  items.push_back(Item("Button", Click()));
  items.back().max_playing_count = 4;
  items.push_back(Item("Step", Footstep()));
  items.push_back(Item("Chime", Chime()));
  items.push_back(Item("Page", PageTurn()));
  items.push_back(Item("Fire", Fire(), true));
  items.back().max_playing_count = 1;
  return items;
}

}  // namespace kv::art
