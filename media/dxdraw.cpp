#include "media/dxdraw.h"

#include <algorithm>
#include <cstring>

#include "media/image_list.h"
#include "platform/error.h"

namespace kv {

namespace {

constexpr const char* kModeMessage = "Display mode cannot be changed (%dx%d %dbit)";

bool ValidBitCount(int bits) {
  return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Copies `from` onto `to` with from's top-left corner at (x, y), clipped to `to`.
void CopyImage(const Image565& from, Image565& to, int x, int y) {
  if (from.width == to.width && from.height == to.height && x == 0 && y == 0) {
    std::memcpy(to.pixels.data(), from.pixels.data(), from.pixels.size() * sizeof(uint16_t));
    return;
  }
  const int left = std::max(x, 0);
  const int right = std::min(x + from.width, to.width);
  const int top = std::max(y, 0);
  const int bottom = std::min(y + from.height, to.height);
  if (left >= right || top >= bottom) return;
  for (int row = top; row < bottom; ++row) {
    std::memcpy(to.Row(row) + left, from.Row(row - y) + (left - x),
                static_cast<size_t>(right - left) * sizeof(uint16_t));
  }
}

}  // namespace

bool ChooseDisplayMode(const std::vector<DisplayMode>& modes, int width, int height, int bits,
                       DisplayMode& chosen) {
  const DisplayMode wanted{width, height, bits};
  if (std::find(modes.begin(), modes.end(), wanted) != modes.end()) {
    chosen = wanted;
    return true;
  }
  // Substitutes keep the bit count exactly and may only be larger; among them the smallest
  // wins, first with the wanted aspect ratio, then with any.
  auto pick = [&](bool same_ratio) {
    const DisplayMode* best = nullptr;
    for (const DisplayMode& m : modes) {
      if (m.bits != bits || m.width < width || m.height < height) continue;
      if (same_ratio &&
          static_cast<long long>(m.width) * height != static_cast<long long>(m.height) * width)
        continue;
      const long long area = static_cast<long long>(m.width) * m.height;
      if (!best || area < static_cast<long long>(best->width) * best->height ||
          (area == static_cast<long long>(best->width) * best->height && m.width < best->width))
        best = &m;
    }
    return best;
  };
  const DisplayMode* best = pick(true);
  if (!best) best = pick(false);
  if (!best) return false;
  chosen = *best;
  return true;
}

TDXDraw::TDXDraw(Platform& platform) : platform_(platform) {
  MakeStandInSurfaces();
}

void TDXDraw::MakeStandInSurfaces() {
  front_ = std::make_unique<Surface>(std::max(DisplayWidth, 1), std::max(DisplayHeight, 1),
                                     &platform_.fonts());
  back_ = std::make_unique<Surface>(std::max(SurfaceWidth, 1), std::max(SurfaceHeight, 1),
                                    &platform_.fonts());
}

TDXDraw::~TDXDraw() {
  Teardown(false);
  // Lists that outlive the display must not call back into it.
  std::vector<TDXImageList*> lists;
  lists.swap(lists_);
  for (TDXImageList* list : lists) list->DisplayDestroyed();
}

void TDXDraw::SetDisplayBitCount(int bits) {
  if (!ValidBitCount(bits)) throw Error("It should be either of 8 or 16 or 24 or 32");
  DisplayBitCount = bits;
}

void TDXDraw::OpenDisplay() {
  CloseDisplay();
  if (!ValidBitCount(DisplayBitCount)) throw Error("It should be either of 8 or 16 or 24 or 32");
  try {
    const DisplayMode wanted{DisplayWidth, DisplayHeight, DisplayBitCount};
    if (doFullScreen) {
      bool set = platform_.OpenDisplay(true, wanted);
      if (!set) {
        // The wanted mode was refused: a listed substitute, but never the same mode again.
        std::vector<DisplayMode> modes = platform_.DisplayModes();
        std::erase(modes, wanted);
        DisplayMode substitute;
        set = ChooseDisplayMode(modes, DisplayWidth, DisplayHeight, DisplayBitCount, substitute) &&
              platform_.OpenDisplay(true, substitute);
      }
      if (!set) throw Error(Format(kModeMessage, DisplayWidth, DisplayHeight, DisplayBitCount));
    } else if (!platform_.OpenDisplay(false, wanted)) {
      throw Error(Format("%s cannot be made", "Primary Surface"));
    }
    claimed_ = true;

    front_ = std::make_unique<Surface>(std::max(DisplayWidth, 1), std::max(DisplayHeight, 1),
                                       &platform_.fonts());
    // Drawing on the front surface shows at once, without waiting for the vertical blank.
    front_->on_changed = [this] { platform_.Present(front_->image(), false); };
    back_ = std::make_unique<Surface>(std::max(SurfaceWidth, 1), std::max(SurfaceHeight, 1),
                                      &platform_.fonts());
    open_ = true;

    const std::vector<TDXImageList*> lists = lists_;
    for (TDXImageList* list : lists) list->DisplayInitialized();
    for (TDXImageList* list : lists) list->RestoreSurfaces();
  } catch (...) {
    Teardown();
    throw;
  }
}

void TDXDraw::CloseDisplay() {
  Teardown();
}

void TDXDraw::Teardown(bool stand_ins) {
  if (!open_ && !claimed_) return;
  if (open_) {
    const std::vector<TDXImageList*> lists = lists_;
    for (TDXImageList* list : lists) list->DisplayFinalized();
  }
  open_ = false;
  if (stand_ins) MakeStandInSurfaces();
  if (claimed_) {
    claimed_ = false;
    platform_.CloseDisplay();
  }
}

void TDXDraw::FlipDisplay() {
  if (!open_) return;
  ShowBackSurface(doWaitVBlank);
  ++flips_;
}

void TDXDraw::Repaint() {
  // The window system has lost what was on screen; the finished picture is the back surface.
  if (open_) ShowBackSurface(false);
}

void TDXDraw::ShowBackSurface(bool wait_vblank) {
  int x = 0;
  int y = 0;
  if (doCenter) {
    x = (front_->width() - back_->width()) / 2;
    y = (front_->height() - back_->height()) / 2;
  }
  CopyImage(back_->image(), front_->image(), x, y);
  platform_.Present(front_->image(), wait_vblank);
}

uint64_t TDXDraw::DeclaredPixels(const TDXImageList* except) const {
  uint64_t pixels = 0;
  for (const TDXImageList* list : lists_) {
    if (list != except) pixels += list->Items.DeclaredPixels();
  }
  return pixels;
}

void TDXDraw::Attach(TDXImageList* list) {
  if (list && std::find(lists_.begin(), lists_.end(), list) == lists_.end()) lists_.push_back(list);
}

void TDXDraw::Detach(TDXImageList* list) {
  std::erase(lists_, list);
}

}  // namespace kv
