#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "media/byte_reader.h"
#include "media/dib_pixels.h"
#include "media/picture.h"

namespace kv {

// A "TDIB" picture: a DIB without file header, as held after loading.
class DibPicture final : public Picture {
 public:
  // The empty picture of a payload without bytes.
  DibPicture() = default;
  DibPicture(DibPixels pixels, int header_size, uint32_t colour_count, std::array<int, 3> layout);

  PictureKind kind() const override { return PictureKind::kDib; }
  const char* ClassName() const override { return "TDIB"; }
  int width() const override { return pixels_.width; }
  int height() const override { return pixels_.height; }
  int bits_per_pixel() const override { return empty() ? 0 : pixels_.bits; }
  const RgbImage& Pixels() override;
  void ReleasePixels() override { decoded_.reset(); }
  Image565 Pixels565() override;
  bool DecodingMayFail() const override { return false; }
  std::vector<Bgr0> OfferedColors() const override;

  // The header as read, for tests and the data tool.
  int header_size() const { return header_size_; }  // 12 or 40; 0 for the empty picture
  int bits() const { return pixels_.bits; }
  uint32_t compression() const { return pixels_.compression; }
  uint32_t colour_count() const { return colour_count_; }  // after the count rules
  const std::array<Bgr0, 256>& color_table() const { return pixels_.table; }
  // Widths of the red, green and blue fields of a 16- or 32-bit pixel.
  const std::array<int, 3>& layout() const { return layout_; }
  const DibPixels& held() const { return pixels_; }

 private:
  DibPixels pixels_;
  int header_size_ = 0;
  uint32_t colour_count_ = 0;
  std::array<int, 3> layout_{};
  std::optional<RgbImage> decoded_;
};

// Reads a DIB payload from the reader's position; fails with "DIB is invalid",
// "PixelFormat in invalid", "Bitcount in invalid (%d)" or "Stream read error".
std::unique_ptr<DibPicture> ReadDibPayload(ByteReader& in);

// Reads only the header of a DIB payload and throws PictureTooLarge when it declares more
// pixels than one picture may have; any other fault of the header throws its kind's message.
void CheckDibHeaderSize(ByteReader& in);

}  // namespace kv
