#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/platform.h"
#include "platform/script_pad.h"
#include "platform/signals.h"

namespace kv {
namespace {

constexpr uint64_t kRefreshMicros = 16667;  // one 60 Hz refresh
constexpr int64_t kMillisPerDay = 86'400'000;
constexpr int kMixChunkFrames = 4096;
// Longer waits than this mix no further: every sound the game plays has ended long before,
// and a looping one sounds the same wherever it stands.
constexpr uint64_t kMaxMixedMicros = 600'000'000;

// No window and no loudspeaker: a virtual clock that moves only when the program waits, and
// a sound device that mixes into nowhere at the pace of that clock, so that every sound
// lasts as long as it would on a real device.
class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform() : scratch_(2 * kMixChunkFrames) {}

  bool headless() const override { return true; }

  uint64_t Micros() override { return micros_; }

  int64_t UtcMillisOfDay() override {
    const uint64_t elapsed = micros_ - utc_set_at_;
    return static_cast<int64_t>((utc_base_ms_ + elapsed / 1000) % kMillisPerDay);
  }

  void SetUtcMillisOfDay(int64_t ms) override {
    utc_base_ms_ = static_cast<uint64_t>(((ms % kMillisPerDay) + kMillisPerDay) % kMillisPerDay);
    utc_set_at_ = micros_;
  }

  void Sleep(uint32_t ms) override { Advance(uint64_t{ms} * 1000); }
  void AdvanceClock(uint64_t micros) override { Advance(micros); }

  bool PollEvent(Event& event) override { return false; }
  bool PollWindowEvent(Event& event) override {
    // Stopped by a signal, the run ends as a closed window ends it: its results still written.
    if (!close_sent_ && StopSignalled()) {
      close_sent_ = true;
      event = Event{};
      event.type = EventType::kClose;
      return true;
    }
    return pad_.Next(event);
  }
  bool DrivePad(const PadCommand& command, std::string& problem) override {
    return pad_.Drive(command, problem);
  }
  void WaitEvent(uint32_t timeout_ms) override { Advance(uint64_t{timeout_ms} * 1000); }

  std::vector<DisplayMode> DisplayModes() override {
    return {{640, 480, 8},   {640, 480, 16},  {800, 600, 8},    {800, 600, 16},  {800, 600, 32},
            {1024, 768, 16}, {1024, 768, 32}, {1280, 1024, 16}, {1280, 1024, 32}};
  }
  bool OpenDisplay(bool fullscreen, DisplayMode mode) override { return true; }
  void CloseDisplay() override {}
  void Present(const Image565& front, bool wait_vblank) override {
    if (wait_vblank) Advance(kRefreshMicros);
  }

  void SetCursorImage(const CursorImage& image) override {}

  void ShowErrorBox(const std::string& title, const std::string& message) override {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
  }

  Mixer* sound() override { return &mixer_; }

 private:
  void Advance(uint64_t micros) {
    micros_ += micros;
    MixFor(std::min(micros, kMaxMixedMicros));
  }

  // Plays the voices on for the elapsed time, carrying the fraction of a frame that the
  // device rate leaves over, so that many short advances add up to the right length.
  void MixFor(uint64_t micros) {
    const uint64_t due = micros * static_cast<uint64_t>(mixer_.DeviceRate()) + frame_carry_;
    uint64_t frames = due / 1'000'000;
    frame_carry_ = due % 1'000'000;
    while (frames > 0) {
      const int chunk = static_cast<int>(std::min<uint64_t>(frames, kMixChunkFrames));
      mixer_.Mix(scratch_.data(), chunk);
      frames -= static_cast<uint64_t>(chunk);
    }
  }

  uint64_t micros_ = 0;
  uint64_t utc_base_ms_ = 0;
  uint64_t utc_set_at_ = 0;
  uint64_t frame_carry_ = 0;
  bool close_sent_ = false;
  Mixer mixer_;
  std::vector<int16_t> scratch_;
  ScriptPad pad_;
};

}  // namespace

std::unique_ptr<Platform> MakeHeadlessPlatform() {
  return std::make_unique<HeadlessPlatform>();
}

}  // namespace kv
