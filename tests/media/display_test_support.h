#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/display_copies.h"
#include "media/image_list.h"
#include "media/picture.h"
#include "media/picture_collection.h"
#include "platform/error.h"
#include "platform/platform.h"

namespace kv::test {

// A picture made of given RGB pixels, so drawing tests need no payload reader.
class RgbPicture : public Picture {
 public:
  explicit RgbPicture(RgbImage image) : image_(std::move(image)) {}
  PictureKind kind() const override { return PictureKind::kBitmap; }
  const char* ClassName() const override { return "TBitmap"; }
  int width() const override { return image_.width; }
  int height() const override { return image_.height; }
  int bits_per_pixel() const override { return empty() ? 0 : 24; }
  const RgbImage& Pixels() override {
    if (fail_decoding) throw Error("JPEG error #42");
    return image_;
  }
  std::vector<Bgr0> OfferedColors() const override { return {}; }

  bool fail_decoding = false;

 private:
  RgbImage image_;
};

// A w x h picture whose pixel (x, y) has the colour `paint(x, y)`.
inline std::unique_ptr<RgbPicture> PaintedPicture(int w, int h,
                                                  const std::function<Color(int, int)>& paint) {
  RgbImage image{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Color c = paint(x, y);
      uint8_t* p = &image.rgb[(static_cast<size_t>(y) * w + x) * 3];
      p[0] = RedOf(c), p[1] = GreenOf(c), p[2] = BlueOf(c);
    }
  }
  return std::make_unique<RgbPicture>(std::move(image));
}

inline std::unique_ptr<RgbPicture> SolidPicture(int w, int h, Color c) {
  return PaintedPicture(w, h, [c](int, int) { return c; });
}

// A platform that remembers what it was asked to show, for display tests without a window.
class RecordingPlatform : public Platform {
 public:
  bool headless() const override { return true; }
  uint64_t Micros() override { return 0; }
  int64_t UtcMillisOfDay() override { return 0; }
  void Sleep(uint32_t) override {}
  bool PollEvent(Event&) override { return false; }
  void WaitEvent(uint32_t) override {}
  std::vector<DisplayMode> DisplayModes() override { return modes; }
  bool OpenDisplay(bool fullscreen, DisplayMode mode) override {
    opened.push_back(mode);
    last_fullscreen = fullscreen;
    const bool ok = accept(mode);
    if (ok) ++open_count;
    return ok;
  }
  void CloseDisplay() override { --open_count; }
  void Present(const Image565& front, bool wait_vblank) override {
    shown = front;
    ++presents;
    if (wait_vblank) ++vblank_waits;
  }
  void SetCursorImage(const CursorImage&) override {}
  void ShowErrorBox(const std::string&, const std::string&) override {}
  Mixer* sound() override { return nullptr; }

  std::vector<DisplayMode> modes{{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}};
  std::function<bool(DisplayMode)> accept = [](DisplayMode) { return true; };
  std::vector<DisplayMode> opened;
  bool last_fullscreen = false;
  int open_count = 0;  // displays claimed and not given back
  Image565 shown;
  int presents = 0;
  int vblank_waits = 0;
};

}  // namespace kv::test
