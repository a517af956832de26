#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/surface.h"
#include "platform/geometry.h"
#include "platform/platform.h"

namespace kv {

class TDXImageList;
class TPictureCollectionItem;

// The display component: front and back surface, the flip, the colour tables, and the image
// lists attached to it, whose display-ready copies live while the display is open.
class TDXDraw {
 public:
  explicit TDXDraw(Platform& platform);
  ~TDXDraw();

  // Stored settings.
  int DisplayWidth = 800;
  int DisplayHeight = 600;
  int DisplayBitCount = 16;
  int SurfaceWidth = 800;
  int SurfaceHeight = 600;
  bool doFullScreen = true;
  bool doWaitVBlank = true;
  bool doCenter = true;

  void OpenDisplay();  // fails with the display's messages; closes again on failure
  void CloseDisplay();
  void FlipDisplay();  // counts in flips() when the back surface was shown
  // The window system asks for the picture again: the back surface is shown as by a flip, but
  // without the vertical-blank wait and not counted among the flips.
  void Repaint();
  // Fails with "It should be either of 8 or 16 or 24 or 32" for other values.
  void SetDisplayBitCount(int bits);
  bool initialized() const { return open_; }

  // Never null: while the display is closed these are stand-ins that nothing shows, so a
  // screen drawn after a failed opening draws into the void instead of crashing.
  Surface* FrontSurface() { return front_.get(); }
  Surface* BackSurface() { return back_.get(); }

  std::array<uint8_t, 1024> ColorTable{};
  std::array<uint8_t, 1024> DefaultColorTable{};

  void Attach(TDXImageList* list);
  void Detach(TDXImageList* list);
  // The declared pixels of the pictures of every attached image list but `except`.
  uint64_t DeclaredPixels(const TDXImageList* except) const;

  uint64_t flips() const { return flips_; }
  Platform& platform() { return platform_; }

 private:
  Platform& platform_;
  void Teardown(bool stand_ins = true);
  void MakeStandInSurfaces();
  void ShowBackSurface(bool wait_vblank);

  bool open_ = false;
  bool claimed_ = false;  // the platform's display is held (also during a failed opening)
  std::unique_ptr<Surface> front_;
  std::unique_ptr<Surface> back_;
  std::vector<TDXImageList*> lists_;
  uint64_t flips_ = 0;
};

// The display-mode rules for full screen: 800 x 600 at 16 bits if the platform takes it;
// otherwise a listed mode of exactly `bits`, at least `width` x `height`, of the same aspect
// ratio first (smallest preferred), then of any ratio. False when none qualifies.
bool ChooseDisplayMode(const std::vector<DisplayMode>& modes, int width, int height, int bits,
                       DisplayMode& chosen);

// Drawing operations of the display (all clip; none fails for bad coordinates).
void FillSurface(Surface& surface, uint16_t value);
void DrawPattern(TPictureCollectionItem& item, Surface& dest, int x, int y, int pattern);
void StretchPattern(TPictureCollectionItem& item, Surface& dest, const Rect& rect, int pattern);
void BlendFillRect(Surface& surface, const Rect& rect, Color color, int alpha);

}  // namespace kv
