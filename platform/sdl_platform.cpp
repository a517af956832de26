#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <optional>

#include "platform/letterbox.h"
#include "platform/platform.h"
#include "platform/sdl_keymap.h"

namespace kv {
namespace {

constexpr const char* kCaption = "Kervana(DirectX) ";
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kAudioRate = 44100;
constexpr int kAudioFrames = 1024;
constexpr int64_t kMillisPerDay = 86'400'000;

void MixInto(void* mixer, Uint8* stream, int bytes) {
  static_cast<Mixer*>(mixer)->Mix(reinterpret_cast<int16_t*>(stream), bytes / 4);
}

KeyMods ModsOf(Uint16 mod) {
  KeyMods mods;
  mods.alt = (mod & KMOD_ALT) != 0;
  mods.ctrl = (mod & KMOD_CTRL) != 0;
  mods.shift = (mod & KMOD_SHIFT) != 0;
  return mods;
}

std::optional<MouseButton> ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return MouseButton::kLeft;
    case SDL_BUTTON_RIGHT:
      return MouseButton::kRight;
    case SDL_BUTTON_MIDDLE:
      return MouseButton::kMiddle;
    default:
      return std::nullopt;
  }
}

class SdlPlatform final : public Platform {
 public:
  explicit SdlPlatform(SDL_Window* window) : window_(window) {
    counter_start_ = SDL_GetPerformanceCounter();
    counter_frequency_ = SDL_GetPerformanceFrequency();
    OpenSound();
    SDL_StartTextInput();
  }

  ~SdlPlatform() override {
    // The audio callback reads the mixer; stop it before anything goes.
    if (audio_ != 0) SDL_CloseAudioDevice(audio_);
    CloseDisplay();
    if (cursor_ != nullptr) SDL_FreeCursor(cursor_);
    SDL_DestroyWindow(window_);
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
    ShowHeld();
    SDL_Delay(ms);
  }

  bool PollEvent(Event& event) override {
    ShowHeld();
    if (!pending_.empty()) {
      event = std::move(pending_.front());
      pending_.pop_front();
      ApplyInput(event);
      return true;
    }
    SDL_Event raw;
    while (SDL_PollEvent(&raw)) {
      if (Translate(raw, event)) {
        ApplyInput(event);
        return true;
      }
    }
    return false;
  }

  void WaitEvent(uint32_t timeout_ms) override {
    ShowHeld();
    // Visible controls are repainted once per refresh, so the wait must not outlast one.
    if (controls_.AnyVisible()) {
      timeout_ms = std::min<uint32_t>(timeout_ms, static_cast<uint32_t>(RefreshPeriod() / 1000));
    }
    if (pending_.empty()) SDL_WaitEventTimeout(nullptr, static_cast<int>(timeout_ms));
  }

  std::vector<DisplayMode> DisplayModes() override {
    // Any desktop size can show the 16-bit picture, scaled; list the sizes at 16 bits.
    std::vector<DisplayMode> modes;
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(display, i, &m) != 0) continue;
      const DisplayMode mode{m.w, m.h, 16};
      if (std::find(modes.begin(), modes.end(), mode) == modes.end()) modes.push_back(mode);
    }
    const DisplayMode wanted{kWindowWidth, kWindowHeight, 16};
    if (std::find(modes.begin(), modes.end(), wanted) == modes.end()) modes.push_back(wanted);
    return modes;
  }

  bool OpenDisplay(bool fullscreen, DisplayMode mode) override {
    CloseDisplay();
    if (fullscreen) {
      // Full screen keeps the desktop's mode and scales the picture, so switching away and
      // back never changes the monitor's mode. Without a window manager nothing moves the
      // window to the screen's corner, so put it there first.
      // The window is also sized to the desktop by hand: where nothing honours the
      // full-screen request the picture would otherwise be scaled for a screen the window
      // does not cover.
      SDL_Rect desktop{0, 0, kWindowWidth, kWindowHeight};
      if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &desktop) == 0) {
        SDL_SetWindowPosition(window_, desktop.x, desktop.y);
        SDL_SetWindowSize(window_, desktop.w, desktop.h);
      }
      if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        std::fprintf(stderr, "Full screen: %s\n", SDL_GetError());
        return false;
      }
      SDL_SetWindowPosition(window_, desktop.x, desktop.y);
    } else {
      SDL_SetWindowFullscreen(window_, 0);
      SDL_SetWindowSize(window_, kWindowWidth, kWindowHeight);
      if (restore_position_) {
        SDL_SetWindowPosition(window_, restore_position_->x, restore_position_->y);
        restore_position_.reset();
      } else {
        const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
      }
    }
    fullscreen_ = fullscreen;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    // No vsync flag: a renderer made with it would wait on every present, also on the
    // front-surface draws that must show at once. Present switches it per call.
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr) {
      std::fprintf(stderr, "Renderer: %s\n", SDL_GetError());
      return false;
    }
    vsync_ = false;
    SDL_DisplayMode mode_now;
    refresh_hz_ = SDL_GetWindowDisplayMode(window_, &mode_now) == 0 && mode_now.refresh_rate > 0
                      ? mode_now.refresh_rate
                      : 60;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
    return true;
  }

  void CloseDisplay() override {
    held_ = false;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
  }

  void Present(const Image565& front, bool wait_vblank) override {
    if (renderer_ == nullptr) return;
    if (front.width <= 0 || front.height <= 0 ||
        front.pixels.size() <
            static_cast<size_t>(front.width) * static_cast<size_t>(front.height)) {
      return;
    }
    last_front_ = front;
    const Image565* picture = &front;
    if (controls_.AnyVisible()) {
      controls_.Compose(front, composed_, fonts_);
      picture = &composed_;
    }
    // Draws on the front surface may come faster than the screen refreshes (the exit wipe
    // shows 600 rows one by one). Showing more than one of them per refresh is wasted work,
    // so the latest is held and shown with the next present or when the program goes idle.
    if (!wait_vblank && Micros() - last_shown_ < RefreshPeriod()) {
      if (picture != &composed_) composed_ = front;
      held_ = true;
      return;
    }
    Show(*picture, wait_vblank);
  }

  void SaveWindowPlacement() override {
    if (fullscreen_) return;
    Point p;
    SDL_GetWindowPosition(window_, &p.x, &p.y);
    saved_position_ = p;
  }

  void RestoreWindowPlacement() override { restore_position_ = saved_position_; }

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
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), window_);
  }

  Mixer* sound() override { return audio_ != 0 ? mixer_.get() : nullptr; }

 protected:
  void CursorVisibilityChanged(bool visible) override {
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
  }

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

  void Show(const Image565& picture, bool wait_vblank) {
    held_ = false;
    if (!EnsureTexture(picture.width, picture.height)) return;
    SDL_UpdateTexture(texture_, nullptr, picture.pixels.data(), picture.width * 2);
    if (vsync_ != wait_vblank) {
      SDL_RenderSetVSync(renderer_, wait_vblank ? 1 : 0);
      vsync_ = wait_vblank;
    }
    int out_w = 0, out_h = 0;
    SDL_GetRendererOutputSize(renderer_, &out_w, &out_h);
    const Rect placed = letterbox::Fit(out_w, out_h, picture.width, picture.height);
    const SDL_Rect dest{placed.left, placed.top, placed.Width(), placed.Height()};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
    SDL_RenderPresent(renderer_);
    if (wait_vblank) PaceFrame();
    last_shown_ = Micros();
  }

  void ShowLastFront() {
    if (renderer_ == nullptr || last_front_.width <= 0) return;
    if (controls_.AnyVisible()) {
      controls_.Compose(last_front_, composed_, fonts_);
      Show(composed_, false);
    } else {
      Show(last_front_, false);
    }
  }

  void ShowHeld() {
    if (renderer_ == nullptr) return;
    if (held_) {
      Show(composed_, false);
      return;
    }
    // Controls repaint themselves as child windows do: while one shows (or just went away),
    // its changes - a typed letter, a moved thumb, the control appearing - reach the screen
    // without waiting for the game's next flip.
    const bool visible = controls_.AnyVisible();
    if ((visible || controls_shown_) && last_front_.width > 0 &&
        Micros() - last_shown_ >= RefreshPeriod()) {
      controls_.Compose(last_front_, composed_, fonts_);
      Show(composed_, false);
    }
    controls_shown_ = visible;
  }

  uint64_t RefreshPeriod() const { return 1'000'000 / static_cast<uint64_t>(refresh_hz_); }

  bool EnsureTexture(int width, int height) {
    if (texture_ != nullptr && texture_width_ == width && texture_height_ == height) return true;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    texture_width_ = width;
    texture_height_ = height;
    return texture_ != nullptr;
  }

  // Where vsync is not honoured (software renderers, virtual displays) a waiting present
  // would return at once and the game would run as fast as the processor allows; hold such
  // presents to the display's refresh period instead.
  void PaceFrame() {
    const uint64_t period = RefreshPeriod();
    const uint64_t since = Micros() - last_vblank_;
    if (since < period * 3 / 4) {
      SDL_Delay(static_cast<Uint32>((period - since) / 1000));
      while (Micros() - last_vblank_ < period) {
      }
    }
    last_vblank_ = Micros();
  }

  Point ToDisplay(int x, int y) const {
    // Mouse positions come in window coordinates; the picture fills the window the same way
    // it fills the renderer's output.
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const int pw = texture_ != nullptr ? texture_width_ : kWindowWidth;
    const int ph = texture_ != nullptr ? texture_height_ : kWindowHeight;
    return letterbox::ToPicture({x, y}, letterbox::Fit(w, h, pw, ph), pw, ph);
  }

  bool Translate(const SDL_Event& raw, Event& event) {
    event = Event{};
    switch (raw.type) {
      case SDL_QUIT:
        event.type = EventType::kClose;
        return true;
      case SDL_WINDOWEVENT:
        switch (raw.window.event) {
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            event.type = EventType::kActivate;
            return true;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            event.type = EventType::kDeactivate;
            return true;
          case SDL_WINDOWEVENT_CLOSE:
            event.type = EventType::kClose;
            return true;
          case SDL_WINDOWEVENT_EXPOSED:
            // An uncovered window shows again what it showed: the front surface as last
            // presented. The game's picture is not flipped anew, so a screen left black on
            // purpose (the options screen after reactivation) stays black.
            ShowLastFront();
            return false;
          default:
            return false;
        }
      case SDL_MOUSEMOTION:
        event.type = EventType::kMouseMove;
        event.pos = ToDisplay(raw.motion.x, raw.motion.y);
        return true;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        const auto button = ButtonOf(raw.button.button);
        if (!button) return false;
        event.type = raw.type == SDL_MOUSEBUTTONDOWN ? EventType::kMouseDown : EventType::kMouseUp;
        event.button = *button;
        event.pos = ToDisplay(raw.button.x, raw.button.y);
        return true;
      }
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        event.key = VirtualKeyFromSdl(raw.key.keysym.scancode, raw.key.keysym.sym);
        if (event.key == 0) return false;
        event.type = raw.type == SDL_KEYDOWN ? EventType::kKeyDown : EventType::kKeyUp;
        event.mods = ModsOf(raw.key.keysym.mod);
        if (event.type == EventType::kKeyDown && event.key == vk::kA + ('V' - 'A') &&
            event.mods.ctrl) {
          QueuePaste();
        }
        return true;
      }
      case SDL_TEXTINPUT:
        event.type = EventType::kText;
        event.text = raw.text.text;
        return true;
      default:
        return false;
    }
  }

  // Ctrl+V types the clipboard's text, so a paste meets the same checks as typing.
  void QueuePaste() {
    if (!SDL_HasClipboardText()) return;
    char* text = SDL_GetClipboardText();
    if (text == nullptr) return;
    Event paste;
    paste.type = EventType::kText;
    paste.text = text;
    SDL_free(text);
    if (!paste.text.empty()) pending_.push_back(std::move(paste));
  }

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int texture_width_ = 0;
  int texture_height_ = 0;
  bool vsync_ = false;
  bool fullscreen_ = false;
  uint64_t last_vblank_ = 0;
  uint64_t last_shown_ = 0;
  int refresh_hz_ = 60;
  bool held_ = false;
  std::optional<Point> saved_position_;
  std::optional<Point> restore_position_;
  Image565 composed_;
  Image565 last_front_;  // the front surface as last presented
  bool controls_shown_ = false;
  SDL_Cursor* cursor_ = nullptr;
  std::unique_ptr<Mixer> mixer_;
  SDL_AudioDeviceID audio_ = 0;
  uint64_t counter_start_ = 0;
  uint64_t counter_frequency_ = 1;
  std::deque<Event> pending_;
};

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform() {
  // Full screen must not minimise itself when another window takes the focus.
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
    std::fprintf(stderr, "Cannot open the display: %s\n", SDL_GetError());
    return nullptr;
  }
  SDL_Window* window =
      SDL_CreateWindow(kCaption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWindowWidth,
                       kWindowHeight, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (window == nullptr) {
    std::fprintf(stderr, "Cannot open the display: %s\n", SDL_GetError());
    SDL_Quit();
    return nullptr;
  }
  return std::make_unique<SdlPlatform>(window);
}

}  // namespace kv
