#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/image565.h"

namespace kv {

// Decoded pixels: 3 bytes per pixel (red, green, blue), rows top-down, no padding.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// One colour-table entry as stored: blue, green, red, reserved.
using Bgr0 = std::array<uint8_t, 4>;

enum class PictureKind { kEmpty, kDib, kJpeg, kBitmap, kIcon, kMetafile };

// A loaded picture of one of the payload kinds. Pictures are immutable once loaded, apart from
// decoding on first use (JPEG).
class Picture {
 public:
  virtual ~Picture() = default;

  virtual PictureKind kind() const = 0;
  // "TDIB", "TJPEGImage", "TBitmap", "TIcon", "TMetafile", or "empty".
  virtual const char* ClassName() const = 0;
  virtual int width() const = 0;
  virtual int height() const = 0;
  bool empty() const { return width() <= 0 || height() <= 0; }
  // Bits per pixel of the picture as held (0 when empty). JPEG: 24 for colour, 8 grey-scale.
  virtual int bits_per_pixel() const = 0;

  // The pixels, decoded on first use. May fail with the kind's message ("JPEG error #%d").
  virtual const RgbImage& Pixels() = 0;
  // Frees the decoded pixels where they can be decoded again cheaply from what the picture
  // holds; the display keeps its own converted copy, so the game needs them only once.
  virtual void ReleasePixels() {}
  // The pixels as the display holds them (565, rows top-down), with no decoded pixels kept
  // afterwards. Kinds that can decode straight to 565 do, without a 3-byte-a-pixel picture in
  // between; the result is what converting Pixels() would give. Fails as Pixels() does.
  virtual Image565 Pixels565();
  // False where decoding cannot fail (the pixels are all held, as in a DIB), so the display may
  // decode the picture when first drawn instead of when it opens.
  virtual bool DecodingMayFail() const { return true; }

  // What the picture offers to a collection's colour table: for a DIB of 8 bits per pixel or
  // fewer its whole 256-entry table; for other pictures with a logical palette its colours;
  // otherwise nothing.
  virtual std::vector<Bgr0> OfferedColors() const = 0;
  // True for DIB pictures: they offer their table whole (zero entries included).
  bool offers_whole_table() const { return kind() == PictureKind::kDib; }
};

// Reads a "Picture.Data" value: class-name length, class name, then the kind's payload.
// Returns an empty picture for an unknown class name; throws kv::Error with the kind's
// message on malformed data.
std::unique_ptr<Picture> ReadPicturePayload(std::span<const uint8_t> value);

// Looks at the first bytes of a long "Picture.Data" value: throws PictureTooLarge when the
// header of a DIB or bitmap there declares more pixels than one picture may have, so that a
// collection refuses the value unread; says nothing otherwise, leaving every other verdict to
// the whole value.
void CheckPicturePayloadHead(std::span<const uint8_t> head);

// Decoded pixels converted to 565. A short buffer leaves the rest black instead of reading past
// it.
Image565 ConvertTo565(const RgbImage& rgb);

// An empty picture (no class, or an unrecognised one).
std::unique_ptr<Picture> MakeEmptyPicture();

}  // namespace kv
