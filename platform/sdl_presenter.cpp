#include "platform/sdl_presenter.h"

#include <utility>

#include "platform/thread_sleep.h"

namespace kv {
namespace {

bool SamePicture(const Image565& a, const Image565& b) {
  return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

}  // namespace

SdlPresenter::SdlPresenter(ControlHost& controls, FontService& fonts,
                           std::function<uint64_t()> micros)
    : controls_(controls), fonts_(fonts), micros_(std::move(micros)) {}

SdlPresenter::~SdlPresenter() {
  Close();
}

bool SdlPresenter::Open(SDL_Window* window, bool accelerated, PictureScaling scaling,
                        int refresh_hz) {
  Close();
  output_ = accelerated ? MakeRendererOutput(window, scaling) : MakeSurfaceOutput(window, scaling);
  if (!output_) return false;
  refresh_hz_ = refresh_hz > 0 ? refresh_hz : 60;
  // The reopened display is black until something draws; an uncovering of the window in the
  // meantime must not bring back the picture of before.
  last_front_ = Image565(800, 600, 0);
  ShowFront(last_front_, false, true);
  return true;
}

void SdlPresenter::Close() {
  held_ = false;
  if (output_) {
    // A closed display shows black: the window keeps its last picture through a change of
    // mode (the server moves and stretches the old pixels) unless it is cleared first.
    output_->Show(Image565(800, 600, 0), false);
    output_.reset();
  }
  shown_ = Image565();
}

void SdlPresenter::Present(const Image565& front, bool wait_vblank) {
  if (!output_) return;
  if (front.width <= 0 || front.height <= 0 ||
      front.pixels.size() < static_cast<size_t>(front.width) * static_cast<size_t>(front.height)) {
    return;
  }
  last_front_ = front;
  // Draws on the front surface may come faster than the screen refreshes (the exit wipe
  // shows 600 rows one by one). Showing more than one of them per refresh is wasted work,
  // so the latest is held and shown with the next present or when the program goes idle.
  if (!wait_vblank && micros_() - last_shown_ < RefreshPeriod()) {
    if (controls_.AnyVisible()) {
      controls_.Compose(front, composed_, fonts_);
    } else {
      composed_ = front;
    }
    controls_seen_ = controls_.changes();
    held_ = true;
    return;
  }
  ShowFront(front, wait_vblank, false);
}

void SdlPresenter::Refresh() {
  if (!output_) return;
  if (held_) {
    Show(composed_, false, false);
    return;
  }
  if (controls_.changes() != controls_seen_ && last_front_.width > 0 &&
      micros_() - last_shown_ >= RefreshPeriod()) {
    ShowFront(last_front_, false, false);
  }
}

void SdlPresenter::Expose() {
  if (!output_ || last_front_.width <= 0) return;
  ShowFront(last_front_, false, true);
}

void SdlPresenter::ShowFront(const Image565& front, bool wait_vblank, bool force) {
  controls_seen_ = controls_.changes();
  if (controls_.AnyVisible()) {
    controls_.Compose(front, composed_, fonts_);
    Show(composed_, wait_vblank, force);
  } else {
    Show(front, wait_vblank, force);
  }
}

void SdlPresenter::Show(const Image565& picture, bool wait_vblank, bool force) {
  held_ = false;
  // The game flips every frame, most often to a picture the window already shows; scaling
  // and sending it again would cost the most of all the program does.
  if (force || !SamePicture(picture, shown_)) {
    output_->Show(picture, wait_vblank);
    if (&picture != &shown_) shown_ = picture;
  }
  if (wait_vblank) PaceFrame();
  last_shown_ = micros_();
}

// Flips come one per refresh period. Where the output waited for the vertical blank itself
// the time has passed already; otherwise (a window's own pixels, a renderer that ignores the
// request) the thread sleeps until the period is over, without spinning on the clock.
void SdlPresenter::PaceFrame() {
  const uint64_t period = RefreshPeriod();
  const uint64_t now = micros_();
  const uint64_t due = last_vblank_ + period;
  if (now < due) {
    SleepThread(due - now);
    last_vblank_ = due;
  } else {
    // Late because the output waited, or a little: the beat goes on. Later than that (the
    // program was busy): it starts again from now.
    last_vblank_ = now - due <= period / 4 ? due : now;
  }
}

}  // namespace kv
