#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/controls.h"
#include "platform/fonts.h"
#include "platform/image565.h"
#include "platform/scaler.h"

struct SDL_Window;

namespace kv {

// How the picture is scaled into the window: the filter, and whether only by whole multiples.
struct PictureScaling {
  ScaleFilter filter = ScaleFilter::kLinear;
  bool whole = false;
};

// Where pictures end up: the window's own pixels, scaled by our code (no graphics driver at
// all), or a graphics card's renderer.
class SdlOutput {
 public:
  virtual ~SdlOutput() = default;
  // Shows the picture scaled to fit the window with its aspect kept (see PictureScaling), on
  // black. With
  // wait_vblank, an output that can returns after the next vertical blank.
  virtual void Show(const Image565& picture, bool wait_vblank) = 0;
};

std::unique_ptr<SdlOutput> MakeSurfaceOutput(SDL_Window* window, PictureScaling scaling);
std::unique_ptr<SdlOutput> MakeRendererOutput(SDL_Window* window, PictureScaling scaling);

// Puts the game's picture on the window: the front surface with the visible child controls
// over it. Only a flip waits for the vertical blank; draws on the front surface show at once,
// at most one per refresh. A picture the window shows already is not shown again.
class SdlPresenter {
 public:
  SdlPresenter(ControlHost& controls, FontService& fonts, std::function<uint64_t()> micros);
  ~SdlPresenter();
  SdlPresenter(const SdlPresenter&) = delete;
  SdlPresenter& operator=(const SdlPresenter&) = delete;

  // Starts showing on the window in its new mode; it shows black until the game draws, as a
  // newly opened display does. `accelerated` chooses a graphics card's renderer.
  bool Open(SDL_Window* window, bool accelerated, PictureScaling scaling, int refresh_hz);
  // The window shows black once its display is closed.
  void Close();

  void Present(const Image565& front, bool wait_vblank);
  // Called whenever the program looks for events or sleeps: shows a front-surface draw that
  // was held back, and lets the visible controls repaint themselves (a typed letter, a moved
  // thumb) without waiting for the game's next flip.
  void Refresh();
  // The window was uncovered or changed size: it shows again what it showed, laid out anew,
  // without asking the game.
  void Expose();

  // Whether something waits to be shown at the next refresh: a held draw, or controls that
  // changed since they were last shown.
  bool RepaintDue() const { return held_ || controls_.changes() != controls_seen_; }
  uint64_t RefreshPeriod() const { return 1'000'000 / static_cast<uint64_t>(refresh_hz_); }

 private:
  void ShowFront(const Image565& front, bool wait_vblank, bool force);
  void Show(const Image565& picture, bool wait_vblank, bool force);
  void PaceFrame();

  ControlHost& controls_;
  FontService& fonts_;
  std::function<uint64_t()> micros_;
  std::unique_ptr<SdlOutput> output_;
  int refresh_hz_ = 60;
  uint64_t last_vblank_ = 0;
  uint64_t last_shown_ = 0;
  bool held_ = false;  // composed_ waits to be shown
  uint64_t controls_seen_ = 0;
  Image565 composed_;
  Image565 last_front_;  // the front surface as last presented
  Image565 shown_;       // what the window shows now
};

}  // namespace kv
