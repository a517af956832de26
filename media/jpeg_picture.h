#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "media/byte_reader.h"
#include "media/picture.h"

namespace kv {

// What the header of a JPEG stream says; read when the picture loads.
struct JpegHeader {
  int width = 0;
  int height = 0;
  bool grey = false;         // one grey-scale component
  bool progressive = false;  // more than one scan
};

// A "TJPEGImage" picture: the stream as stored, decoded on first use.
class JpegPicture final : public Picture {
 public:
  // The empty picture of a zero length.
  JpegPicture() = default;
  JpegPicture(std::vector<uint8_t> stream, const JpegHeader& header);

  PictureKind kind() const override { return PictureKind::kJpeg; }
  const char* ClassName() const override { return "TJPEGImage"; }
  int width() const override { return header_.width; }
  int height() const override { return header_.height; }
  int bits_per_pixel() const override { return empty() ? 0 : header_.grey ? 8 : 24; }
  // Decodes once; fails with "JPEG error #%d" (and fails again on the next call).
  const RgbImage& Pixels() override;
  // Once the display holds its copy, the decoded pixels go: a later Pixels() decodes again.
  void ReleasePixels() override { decoded_.reset(); }
  Image565 Pixels565() override;
  // A grey-scale picture's quantised palette once it is decoded; nothing before or otherwise.
  std::vector<Bgr0> OfferedColors() const override { return palette_; }

  const JpegHeader& header() const { return header_; }
  const std::vector<uint8_t>& stream() const { return stream_; }
  bool decoded() const { return decoded_.has_value(); }

 private:
  // Decodes into one of the two buffers (the other null) and takes the grey palette.
  void Decode(uint8_t* rgb, uint16_t* rgb565);

  std::vector<uint8_t> stream_;
  JpegHeader header_;
  std::optional<RgbImage> decoded_;
  std::vector<Bgr0> palette_;
};

// Reads the header of a JPEG stream; fails with "JPEG error #%d". A picture of more than
// kMaxPicturePixels pixels fails with libjpeg's "image too big" number, as PictureTooLarge.
JpegHeader ReadJpegHeader(std::span<const uint8_t> stream);

// Reads a JPEG payload (4-byte length, then the stream) from the reader's position.
std::unique_ptr<JpegPicture> ReadJpegPayload(ByteReader& in);

}  // namespace kv
