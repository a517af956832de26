#pragma once

#include <memory>
#include <optional>

#include "media/byte_reader.h"
#include "media/dib_pixels.h"
#include "media/picture.h"

namespace kv {

// A "TBitmap" picture: a complete BMP file, read by the BMP rules.
class BitmapPicture final : public Picture {
 public:
  // The empty picture of a zero length.
  BitmapPicture() = default;
  BitmapPicture(DibPixels pixels, uint32_t palette_size);

  PictureKind kind() const override { return PictureKind::kBitmap; }
  const char* ClassName() const override { return "TBitmap"; }
  int width() const override { return pixels_.width; }
  int height() const override { return pixels_.height; }
  int bits_per_pixel() const override { return empty() ? 0 : pixels_.bits; }
  const RgbImage& Pixels() override;
  void ReleasePixels() override { decoded_.reset(); }
  Image565 Pixels565() override;
  bool DecodingMayFail() const override { return false; }
  // The palette's colours, for 8 bits per pixel or fewer.
  std::vector<Bgr0> OfferedColors() const override;

  const DibPixels& held() const { return pixels_; }

 private:
  DibPixels pixels_;
  uint32_t palette_size_ = 0;
  std::optional<RgbImage> decoded_;
};

// Reads a bitmap payload (4-byte length, then the file) from the reader's position; fails
// with "Bitmap image is not valid" or "Stream read error".
std::unique_ptr<BitmapPicture> ReadBitmapPayload(ByteReader& in);

// Reads only the file and info headers of a bitmap (after the payload's length) and throws
// PictureTooLarge when they declare more pixels than one picture may have; any other fault of
// the headers throws its kind's message.
void CheckBitmapHeaderSize(ByteReader& in);

}  // namespace kv
