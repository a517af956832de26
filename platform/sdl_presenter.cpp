#include "platform/sdl_presenter.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <utility>

#include "platform/letterbox.h"

namespace kv {

SdlPresenter::SdlPresenter(ControlHost& controls, FontService& fonts,
                           std::function<uint64_t()> micros)
    : controls_(controls), fonts_(fonts), micros_(std::move(micros)) {}

SdlPresenter::~SdlPresenter() {
  Close();
}

bool SdlPresenter::Open(SDL_Window* window) {
  Close();
  // No vsync flag: a renderer made with it would wait on every present, also on the
  // front-surface draws that must show at once. Show switches it per call.
  renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ == nullptr) {
    std::fprintf(stderr, "Renderer: %s\n", SDL_GetError());
    return false;
  }
  vsync_ = false;
  SDL_DisplayMode mode;
  refresh_hz_ = SDL_GetWindowDisplayMode(window, &mode) == 0 && mode.refresh_rate > 0
                    ? mode.refresh_rate
                    : 60;
  // The reopened display is black until something draws; an uncovering of the window in the
  // meantime must not bring back the picture of before.
  last_front_ = Image565(800, 600, 0);
  ShowFront(last_front_);
  return true;
}

void SdlPresenter::Close() {
  held_ = false;
  if (renderer_ != nullptr) {
    // A closed display shows black: the window keeps its last picture through a change of
    // mode (the server moves and stretches the old pixels) unless it is cleared first.
    SDL_RenderSetVSync(renderer_, 0);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
  }
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  texture_ = nullptr;
  renderer_ = nullptr;
}

void SdlPresenter::Present(const Image565& front, bool wait_vblank) {
  if (renderer_ == nullptr) return;
  if (front.width <= 0 || front.height <= 0 ||
      front.pixels.size() < static_cast<size_t>(front.width) * static_cast<size_t>(front.height)) {
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
  if (!wait_vblank && micros_() - last_shown_ < RefreshPeriod()) {
    if (picture != &composed_) composed_ = front;
    held_ = true;
    return;
  }
  Show(*picture, wait_vblank);
}

void SdlPresenter::Refresh() {
  if (renderer_ == nullptr) return;
  if (held_) {
    Show(composed_, false);
    return;
  }
  const bool visible = controls_.AnyVisible();
  if ((visible || controls_shown_) && last_front_.width > 0 &&
      micros_() - last_shown_ >= RefreshPeriod()) {
    ShowFront(last_front_);
  }
  controls_shown_ = visible;
}

void SdlPresenter::Expose() {
  if (renderer_ == nullptr || last_front_.width <= 0) return;
  ShowFront(last_front_);
}

void SdlPresenter::ShowFront(const Image565& front) {
  if (controls_.AnyVisible()) {
    controls_.Compose(front, composed_, fonts_);
    Show(composed_, false);
  } else {
    Show(front, false);
  }
}

void SdlPresenter::Show(const Image565& picture, bool wait_vblank) {
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
  last_shown_ = micros_();
}

bool SdlPresenter::EnsureTexture(int width, int height) {
  if (texture_ != nullptr && texture_width_ == width && texture_height_ == height) return true;
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                               width, height);
  texture_width_ = width;
  texture_height_ = height;
  return texture_ != nullptr;
}

// Where vsync is not honoured (software renderers, virtual displays) a waiting present would
// return at once and the game would run as fast as the processor allows; hold such presents
// to the display's refresh period instead.
void SdlPresenter::PaceFrame() {
  const uint64_t period = RefreshPeriod();
  const uint64_t since = micros_() - last_vblank_;
  if (since < period * 3 / 4) {
    SDL_Delay(static_cast<Uint32>((period - since) / 1000));
    while (micros_() - last_vblank_ < period) {
    }
  }
  last_vblank_ = micros_();
}

}  // namespace kv
