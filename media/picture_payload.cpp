#include <string_view>

#include "media/bitmap_picture.h"
#include "media/byte_reader.h"
#include "media/dib.h"
#include "media/jpeg_picture.h"
#include "media/picture.h"
#include "media/picture_budget.h"

namespace kv {

// A "Picture.Data" value: one byte with the length of the class name, the name, and then the
// payload of the kind the name selects. Names compare byte for byte; a name of no known kind
// (letter case counts) leaves the item without a picture, and its payload is not looked at.

namespace {

// Pictures without pixels: no kind at all, or a kind whose payload the game does not decode.
class BlankPicture final : public Picture {
 public:
  BlankPicture(PictureKind kind, const char* class_name) : kind_(kind), class_name_(class_name) {}

  PictureKind kind() const override { return kind_; }
  const char* ClassName() const override { return class_name_; }
  int width() const override { return 0; }
  int height() const override { return 0; }
  int bits_per_pixel() const override { return 0; }
  const RgbImage& Pixels() override { return pixels_; }
  std::vector<Bgr0> OfferedColors() const override { return {}; }

 private:
  PictureKind kind_;
  const char* class_name_;
  RgbImage pixels_;
};

// Longer names are outside the format; they can name no kind we know.
constexpr size_t kMaxClassName = 63;

std::unique_ptr<Picture> ReadIcon(ByteReader& in) {
  in.Skip(in.remaining());  // an icon file runs to the end of the value
  return std::make_unique<BlankPicture>(PictureKind::kIcon, "TIcon");
}

std::unique_ptr<Picture> ReadMetafile(ByteReader& in) {
  const int32_t length = in.ReadI32();
  if (length < 0) throw Error(kStreamReadError);
  in.Skip(static_cast<size_t>(length));
  return std::make_unique<BlankPicture>(PictureKind::kMetafile, "TMetafile");
}

}  // namespace

std::unique_ptr<Picture> MakeEmptyPicture() {
  return std::make_unique<BlankPicture>(PictureKind::kEmpty, "empty");
}

std::unique_ptr<Picture> ReadPicturePayload(std::span<const uint8_t> value) {
  ByteReader in(value);
  const size_t name_length = in.ReadU8();
  if (name_length > kMaxClassName) return MakeEmptyPicture();
  const std::string name = in.ReadString(name_length);
  if (name == "TDIB") return ReadDibPayload(in);
  if (name == "TJPEGImage") return ReadJpegPayload(in);
  if (name == "TBitmap") return ReadBitmapPayload(in);
  if (name == "TIcon") return ReadIcon(in);
  if (name == "TMetafile") return ReadMetafile(in);
  return MakeEmptyPicture();
}

void CheckPicturePayloadHead(std::span<const uint8_t> head) {
  ByteReader in(head);
  try {
    const size_t name_length = in.ReadU8();
    if (name_length > kMaxClassName) return;
    const std::string name = in.ReadString(name_length);
    if (name == "TDIB") {
      CheckDibHeaderSize(in);
    } else if (name == "TBitmap") {
      in.ReadI32();  // the bitmap's length, which the whole value checks
      CheckBitmapHeaderSize(in);
    }
  } catch (const PictureTooLarge&) {
    throw;
  } catch (const Error&) {
    // Cut short, or bad in some other way: the whole value will say how.
  }
}

}  // namespace kv
