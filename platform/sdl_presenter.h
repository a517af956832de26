#pragma once

#include <cstdint>
#include <functional>

#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/image565.h"

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

namespace kv {

// Puts the game's picture on the window: the front surface with the visible child controls
// over it, scaled into the window with its aspect kept. Only a flip waits for the vertical
// blank; draws on the front surface show at once, at most one per refresh.
class SdlPresenter {
 public:
  SdlPresenter(ControlHost& controls, FontService& fonts, std::function<uint64_t()> micros);
  ~SdlPresenter();
  SdlPresenter(const SdlPresenter&) = delete;
  SdlPresenter& operator=(const SdlPresenter&) = delete;

  // Makes the renderer for the window in its new mode; the window shows black until the game
  // draws, as a newly opened display does.
  bool Open(SDL_Window* window);
  void Close();

  void Present(const Image565& front, bool wait_vblank);
  // Called whenever the program looks for events or sleeps: shows a front-surface draw that
  // was held back, and lets the visible controls repaint themselves (a typed letter, a moved
  // thumb) without waiting for the game's next flip.
  void Refresh();
  // The window was uncovered: it shows again what it showed, without asking the game.
  void Expose();

  bool controls_visible() const { return controls_.AnyVisible(); }
  uint64_t RefreshPeriod() const { return 1'000'000 / static_cast<uint64_t>(refresh_hz_); }

 private:
  void Show(const Image565& picture, bool wait_vblank);
  void ShowFront(const Image565& front);
  bool EnsureTexture(int width, int height);
  void PaceFrame();

  ControlHost& controls_;
  FontService& fonts_;
  std::function<uint64_t()> micros_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int texture_width_ = 0;
  int texture_height_ = 0;
  bool vsync_ = false;
  int refresh_hz_ = 60;
  uint64_t last_vblank_ = 0;
  uint64_t last_shown_ = 0;
  bool held_ = false;            // composed_ waits to be shown
  bool controls_shown_ = false;  // controls were visible at the last refresh
  Image565 composed_;
  Image565 last_front_;  // the front surface as last presented
};

}  // namespace kv
