// The two ways a picture reaches the window: scaled by our own code into the window's pixels,
// or handed to a graphics card's renderer.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/letterbox.h"
#include "platform/sdl_presenter.h"

namespace kv {
namespace {

// The window's own pixels, which the window system shows as they are (shared memory where it
// can). No graphics driver is loaded, so a machine without a graphics card pays nothing for
// one it does not have.
class SurfaceOutput final : public SdlOutput {
 public:
  SurfaceOutput(SDL_Window* window, PictureScaling scaling) : window_(window), scaling_(scaling) {}

  void Show(const Image565& picture, bool wait_vblank) override {
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) return;
    const Rect placed =
        letterbox::Place(surface->w, surface->h, picture.width, picture.height, scaling_.whole);
    if (placed.Empty()) return;
    scaler_.Prepare(picture.width, picture.height, placed.Width(), placed.Height(),
                    scaling_.filter);
    const bool direct = surface->format->BytesPerPixel == 4 && surface->format->Rmask == 0xFF0000 &&
                        surface->format->Gmask == 0x00FF00 && surface->format->Bmask == 0x0000FF;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    ClearBars(surface, placed);
    if (direct) {
      auto* pixels = static_cast<uint32_t*>(surface->pixels);
      const int pitch = surface->pitch / 4;
      scaler_.Scale(picture, pixels + placed.top * pitch + placed.left, pitch);
    } else {
      // A window of another pixel format: scale into our own pixels, then convert.
      scaled_.resize(static_cast<size_t>(placed.Width()) * placed.Height());
      scaler_.Scale(picture, scaled_.data(), placed.Width());
      auto* at = static_cast<uint8_t*>(surface->pixels) + placed.top * surface->pitch +
                 placed.left * surface->format->BytesPerPixel;
      SDL_ConvertPixels(placed.Width(), placed.Height(), SDL_PIXELFORMAT_XRGB8888, scaled_.data(),
                        placed.Width() * 4, surface->format->format, at, surface->pitch);
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window_);
  }

 private:
  // The black bars beside the picture, drawn when the layout changes (the window's pixels
  // keep them between pictures).
  void ClearBars(SDL_Surface* surface, const Rect& placed) {
    if (placed == last_placed_ && surface->w == last_w_ && surface->h == last_h_) return;
    const SDL_Rect bars[] = {
        {0, 0, surface->w, placed.top},
        {0, placed.bottom, surface->w, surface->h - placed.bottom},
        {0, placed.top, placed.left, placed.Height()},
        {placed.right, placed.top, surface->w - placed.right, placed.Height()}};
    const Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
    for (const SDL_Rect& bar : bars) {
      if (bar.w > 0 && bar.h > 0) SDL_FillRect(surface, &bar, black);
    }
    last_placed_ = placed;
    last_w_ = surface->w;
    last_h_ = surface->h;
  }

  SDL_Window* window_;
  PictureScaling scaling_;
  Scaler scaler_;
  std::vector<uint32_t> scaled_;
  Rect last_placed_;
  int last_w_ = 0, last_h_ = 0;
};

// A graphics card's renderer, which scales on the card and can wait for the vertical blank.
class RendererOutput final : public SdlOutput {
 public:
  RendererOutput(SDL_Renderer* renderer, bool whole) : renderer_(renderer), whole_(whole) {}
  ~RendererOutput() override {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
  }

  void Show(const Image565& picture, bool wait_vblank) override {
    if (!EnsureTexture(picture.width, picture.height)) return;
    SDL_UpdateTexture(texture_, nullptr, picture.pixels.data(), picture.width * 2);
    // No vsync by default: a renderer made with it would wait on every present, also on the
    // front-surface draws that must show at once.
    if (vsync_ != wait_vblank) {
      SDL_RenderSetVSync(renderer_, wait_vblank ? 1 : 0);
      vsync_ = wait_vblank;
    }
    int out_w = 0, out_h = 0;
    SDL_GetRendererOutputSize(renderer_, &out_w, &out_h);
    const Rect placed = letterbox::Place(out_w, out_h, picture.width, picture.height, whole_);
    const SDL_Rect dest{placed.left, placed.top, placed.Width(), placed.Height()};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
    SDL_RenderPresent(renderer_);
  }

 private:
  bool EnsureTexture(int width, int height) {
    if (texture_ != nullptr && texture_width_ == width && texture_height_ == height) return true;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    texture_width_ = width;
    texture_height_ = height;
    return texture_ != nullptr;
  }

  SDL_Renderer* renderer_;
  bool whole_;
  SDL_Texture* texture_ = nullptr;
  int texture_width_ = 0;
  int texture_height_ = 0;
  bool vsync_ = false;
};

}  // namespace

std::unique_ptr<SdlOutput> MakeSurfaceOutput(SDL_Window* window, PictureScaling scaling) {
  // SDL would back the window's pixels with a graphics driver's texture where it can; the
  // point here is to load none.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_GetWindowSurface(window) == nullptr) {
    std::fprintf(stderr, "Window surface: %s\n", SDL_GetError());
    return nullptr;
  }
  return std::make_unique<SurfaceOutput>(window, scaling);
}

std::unique_ptr<SdlOutput> MakeRendererOutput(SDL_Window* window, PictureScaling scaling) {
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY,
              scaling.filter == ScaleFilter::kLinear ? "linear" : "nearest");
  SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
  if (renderer == nullptr) {
    std::fprintf(stderr, "Renderer: %s\n", SDL_GetError());
    return nullptr;
  }
  return std::make_unique<RendererOutput>(renderer, scaling.whole);
}

}  // namespace kv
