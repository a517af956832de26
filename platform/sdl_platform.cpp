#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/platform.h"
#include "platform/sdl_error_box.h"
#include "platform/sdl_events.h"
#include "platform/sdl_pad.h"
#include "platform/sdl_presenter.h"
#include "platform/sdl_window.h"
#include "platform/sdl_window_system.h"

namespace kv {
namespace {

constexpr int kAudioRate = 44100;
constexpr int kAudioFrames = 1024;
constexpr int64_t kMillisPerDay = 86'400'000;
// The longest a single wait lasts. SDL takes its time-out as an int, in which a long wait turns
// negative and never ends; and a program that waits long hears no request to end meanwhile.
// The callers loop until their own time is up.
constexpr uint32_t kMaxWaitMs = 1000;

bool IsWindowEvent(EventType type) {
  return type == EventType::kActivate || type == EventType::kDeactivate ||
         type == EventType::kClose || type == EventType::kRepaint;
}

bool IsPadEvent(EventType type) {
  return type == EventType::kPadConnect || type == EventType::kPadDisconnect ||
         type == EventType::kPadAxis || type == EventType::kPadButtonDown ||
         type == EventType::kPadButtonUp;
}

void MixInto(void* mixer, Uint8* stream, int bytes) {
  static_cast<Mixer*>(mixer)->Mix(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

// The SDL backend: the window, its events and its picture (each in a file of its own), and
// here the clocks, the sound device, the pointer picture and the error box.
class SdlPlatform final : public Platform {
 public:
  SdlPlatform(std::unique_ptr<SdlWindow> window, bool accelerated, bool may_fall_back,
              PictureScaling scaling)
      : window_(std::move(window)),
        accelerated_(accelerated),
        may_fall_back_(may_fall_back),
        scaling_(scaling),
        presenter_(controls_, fonts_, [this] { return Micros(); }),
        pad_(std::make_unique<SdlPad>()),
        events_(*window_, *pad_) {
    counter_start_ = SDL_GetPerformanceCounter();
    counter_frequency_ = SDL_GetPerformanceFrequency();
    events_.on_exposed = [this] { presenter_.Expose(); };
    // A window that moved or changed size (a window manager may do so late) shows its picture
    // laid out anew, and puts a resting pointer over another display pixel, which handlers
    // that read it must find.
    events_.on_geometry_changed = [this] {
      presenter_.Expose();
      PointerMovedWithWindow(window_->PointerNow().display);
    };
    OpenSound();
    SDL_StartTextInput();
  }

  ~SdlPlatform() override {
    // The audio callback reads the mixer; stop it before anything goes.
    if (audio_ != 0) SDL_CloseAudioDevice(audio_);
    presenter_.Close();
    if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
    pad_.reset();
    window_.reset();
    SDL_Quit();
  }

  bool headless() const override { return false; }

  uint64_t Micros() override {
    const uint64_t ticks = SDL_GetPerformanceCounter() - counter_start_;
    return ticks / counter_frequency_ * 1'000'000 +
           ticks % counter_frequency_ * 1'000'000 / counter_frequency_;
  }

  int64_t UtcMillisOfDay() override {
    using namespace std::chrono;
    const int64_t ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return ((ms % kMillisPerDay) + kMillisPerDay) % kMillisPerDay;
  }

  void Sleep(uint32_t ms) override {
    presenter_.Refresh();
    SDL_Delay(std::min(ms, kMaxWaitMs));
  }

  bool PollEvent(Event& event) override {
    presenter_.Refresh();
    if (!events_.Next(event)) return false;
    ApplyInput(event);
    return true;
  }

  bool PollWindowEvent(Event& event) override {
    presenter_.Refresh();
    // A script is the input: the player's controller no longer counts, the script's does.
    pad_->LeaveToScript();
    while (events_.Next(event)) {
      if (IsWindowEvent(event.type) || IsPadEvent(event.type)) return true;
    }
    return false;
  }

  void MovePointer(Point p) override {
    input_.pointer = p;
    const Point at = window_->FromDisplay(p);
    SDL_WarpMouseInWindow(window_->handle(), at.x, at.y);
    events_.PointerPlaced(window_->ToScreen(at));
  }

  bool DrivePad(const PadCommand& command, std::string& problem) override {
    return pad_->Drive(command, problem);
  }

  void WaitEvent(uint32_t timeout_ms) override {
    presenter_.Refresh();
    timeout_ms = std::min(timeout_ms, kMaxWaitMs);
    // What waits to be shown goes out with the next refresh, so the wait must not outlast one.
    if (presenter_.RepaintDue()) {
      timeout_ms =
          std::min<uint32_t>(timeout_ms, static_cast<uint32_t>(presenter_.RefreshPeriod() / 1000));
    }
    SDL_WaitEventTimeout(nullptr, static_cast<int>(timeout_ms));
  }

  std::vector<DisplayMode> DisplayModes() override {
    // Any desktop size can show the 16-bit picture, scaled; list the sizes at 16 bits.
    std::vector<DisplayMode> modes;
    const int display = std::max(SDL_GetWindowDisplayIndex(window_->handle()), 0);
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(display, i, &m) != 0) continue;
      const DisplayMode mode{m.w, m.h, 16};
      if (std::find(modes.begin(), modes.end(), mode) == modes.end()) modes.push_back(mode);
    }
    const DisplayMode wanted{SdlWindow::kWidth, SdlWindow::kHeight, 16};
    if (std::find(modes.begin(), modes.end(), wanted) == modes.end()) modes.push_back(wanted);
    return modes;
  }

  bool OpenDisplay(bool fullscreen, DisplayMode mode) override {
    CloseDisplay();
    if (!window_->SetMode(fullscreen)) return false;
    if (!presenter_.Open(window_->handle(), accelerated_, scaling_, window_->RefreshRate())) {
      // The card's renderer was the machine's likely choice, not the player's, and is not to be
      // had (no driver for the card, a remote session): the processor draws instead, for good.
      if (!accelerated_ || !may_fall_back_) return false;
      accelerated_ = false;
      if (!presenter_.Open(window_->handle(), false, scaling_, window_->RefreshRate())) {
        return false;
      }
    }
    events_.AfterSwitch();
    // Whether or not it moved, the pointer lies over another display pixel now.
    PointerMovedWithWindow(window_->PointerNow().display);
    return true;
  }

  void CloseDisplay() override { presenter_.Close(); }

  void Present(const Image565& front, bool wait_vblank) override {
    presenter_.Present(front, wait_vblank);
  }

  void SaveWindowPlacement() override { window_->SavePlacement(); }
  void RestoreWindowPlacement() override { window_->RestorePlacement(); }

  void SetCursorImage(const CursorImage& image) override {
    if (image.width <= 0 || image.height <= 0 ||
        image.rgba.size() < static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
      return;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(image.rgba.data()), image.width, image.height, 32, image.width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) return;
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.hot_spot.x, image.hot_spot.y);
    SDL_FreeSurface(surface);
    if (cursor == nullptr) return;
    SDL_SetCursor(cursor);
    if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
    cursor_ = cursor;
  }

  void ShowErrorBox(const std::string& title, const std::string& message) override {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
    // A box over the hidden window of a game that could not start lands off centre, by as much
    // as the window lies from the screen's corner; without a parent it is centred on the first
    // screen, where the game would have opened.
    const bool shown = (SDL_GetWindowFlags(window_->handle()) & SDL_WINDOW_SHOWN) != 0;
    ShowModalErrorBox(shown ? window_->handle() : nullptr, title, message);
  }

  Mixer* sound() override { return audio_ != 0 ? mixer_.get() : nullptr; }

 protected:
  void CursorVisibilityChanged(bool visible) override {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
  }

  std::string ReadClipboard() override {
    if (!SDL_HasClipboardText()) return {};
    char* text = SDL_GetClipboardText();
    if (text == nullptr) return {};
    std::string result(text);
    SDL_free(text);
    return result;
  }

  void WriteClipboard(const std::string& utf8) override { SDL_SetClipboardText(utf8.c_str()); }

 private:
  void OpenSound() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      std::fprintf(stderr, "No sound: %s\n", SDL_GetError());
      return;
    }
    mixer_ = std::make_unique<Mixer>(kAudioRate);
    SDL_AudioSpec wanted{};
    wanted.freq = kAudioRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = kAudioFrames;
    wanted.callback = MixInto;
    wanted.userdata = mixer_.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device really plays.
    audio_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (audio_ == 0) {
      std::fprintf(stderr, "No sound: %s\n", SDL_GetError());
      mixer_.reset();
      return;
    }
    SDL_PauseAudioDevice(audio_, 0);
  }

  std::unique_ptr<SdlWindow> window_;
  bool accelerated_;
  bool may_fall_back_;
  PictureScaling scaling_;
  SdlPresenter presenter_;
  std::unique_ptr<SdlPad> pad_;
  SdlEventReader events_;
  SDL_Cursor* cursor_ = nullptr;
  std::unique_ptr<Mixer> mixer_;
  SDL_AudioDeviceID audio_ = 0;
  uint64_t counter_start_ = 0;
  uint64_t counter_frequency_ = 1;
};

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// SDL falls back to drivers that show nothing when no display can be reached; a player would
// see nothing happen. Those count only when asked for by name.
bool ShowsNothing(const char* driver) {
  return driver != nullptr &&
         (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
         !Set("SDL_VIDEODRIVER");
}

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options, std::string& problem) {
  // Full screen must not minimise itself when another window takes the focus.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  window_system::ChooseVideoDriver();
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    problem = window_system::NoDisplayReason();
    return nullptr;
  }
  if (ShowsNothing(SDL_GetCurrentVideoDriver())) {
    SDL_Quit();
    problem = window_system::NoDisplayReason();
    return nullptr;
  }
  InstallSignalHandlers();
  const bool accelerated = options.renderer == SdlOptions::Renderer::kAccelerated ||
                           (options.renderer == SdlOptions::Renderer::kAutomatic &&
                            window_system::GraphicsCardPresent());
  const SdlWindow::Look look{options.window_scale, options.framed, options.integer_scale};
  std::unique_ptr<SdlWindow> window = SdlWindow::Create(accelerated, look, problem);
  if (!window) {
    SDL_Quit();
    return nullptr;
  }
  return std::make_unique<SdlPlatform>(std::move(window), accelerated,
                                       options.renderer == SdlOptions::Renderer::kAutomatic,
                                       PictureScaling{options.filter, options.integer_scale});
}

}  // namespace kv
