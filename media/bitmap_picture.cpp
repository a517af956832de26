#include "media/bitmap_picture.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "media/picture_budget.h"
#include "platform/error.h"

namespace kv {

// A bitmap payload, little-endian:
//
//   0       4     length N of the file that follows (0: empty picture; negative is refused)
//   the file, N bytes; nothing in it is read beyond them:
//   0       2     "BM"
//   2       8     file size, reserved (ignored)
//   10      4     offset of the pixels from the start of the file
//   14      4     header size: 12 (core) or 40 and more (info and its later extensions)
//   core header: width, height (16-bit unsigned), planes, bits per pixel (16-bit)
//   info header: width, height (32-bit signed, negative height for top-down rows), planes,
//                bits per pixel (16-bit), compression, image size, 2 x resolution, colour
//                count, important colours (32-bit); headers of 52 bytes and more carry the
//                red, green and blue masks at 40; the rest of a longer header is skipped
//   then    12    masks, after a 40-byte header with compression 3
//   then          colour table: triples after a core header, quads otherwise
//   then          pixels, uncompressed or run-length, at the file's pixel offset when that
//                 lies between the header and the end of the file
//
// Unlike the bare DIB kind, masks count where they are: a BMP file means what the masks say.
// Running out of bytes anywhere is "Stream read error"; anything against the BMP rules is
// "Bitmap image is not valid".

namespace {

constexpr const char* kBitmapInvalid = "Bitmap image is not valid";

struct Header {
  uint32_t size = 0;
  int64_t width = 0;
  int64_t height = 0;
  int planes = 0;
  int bits = 0;
  uint32_t compression = kDibRgb;
  uint32_t image_size = 0;
  uint32_t colour_count = 0;
  std::array<uint32_t, 3> masks{};
  bool masks_in_header = false;
};

Header ReadHeader(ByteReader& in) {
  Header h;
  h.size = in.ReadU32();
  if (h.size == 12) {
    h.width = in.ReadU16();
    h.height = in.ReadU16();
    h.planes = in.ReadU16();
    h.bits = in.ReadU16();
    return h;
  }
  if (h.size < 40) throw Error(kBitmapInvalid);
  h.width = in.ReadI32();
  h.height = in.ReadI32();
  h.planes = in.ReadU16();
  h.bits = in.ReadU16();
  h.compression = in.ReadU32();
  h.image_size = in.ReadU32();
  in.Skip(8);
  h.colour_count = in.ReadU32();
  in.Skip(4);
  uint32_t read = 40;
  if (h.size >= 52) {
    for (uint32_t& mask : h.masks) mask = in.ReadU32();
    h.masks_in_header = true;
    read = 52;
  }
  in.Skip(h.size - read);
  return h;
}

void CheckHeader(const Header& h) {
  bool valid = h.planes == 1 && h.width >= 0 && h.height != std::numeric_limits<int32_t>::min();
  switch (h.bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      valid = false;
  }
  switch (h.compression) {
    case kDibRgb:
      break;
    case kDibRle8:
      valid = valid && h.bits == 8 && h.height >= 0;
      break;
    case kDibRle4:
      valid = valid && h.bits == 4 && h.height >= 0;
      break;
    case kDibBitFields:
      valid = valid && (h.bits == 16 || h.bits == 32);
      break;
    default:
      valid = false;
  }
  if (!valid) throw Error(kBitmapInvalid);
}

std::array<uint32_t, 3> DefaultMasks(int bits) {
  if (bits == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

}  // namespace

BitmapPicture::BitmapPicture(DibPixels pixels, uint32_t palette_size)
    : pixels_(std::move(pixels)), palette_size_(palette_size) {}

const RgbImage& BitmapPicture::Pixels() {
  if (!decoded_) decoded_ = DecodeDibPixels(pixels_);
  return *decoded_;
}

Image565 BitmapPicture::Pixels565() {
  // Pixels already decoded to RGB for someone else are converted and let go.
  if (decoded_) return Picture::Pixels565();
  return DecodeDibPixels565(pixels_);
}

std::vector<Bgr0> BitmapPicture::OfferedColors() const {
  if (pixels_.bits < 1 || pixels_.bits > 8) return {};
  std::vector<Bgr0> colours;
  for (uint32_t i = 0; i < palette_size_; ++i) {
    const Bgr0& e = pixels_.table[i];
    colours.push_back({e[0], e[1], e[2], 0});
  }
  return colours;
}

void CheckBitmapHeaderSize(ByteReader& in) {
  const std::span<const uint8_t> file_header = in.ReadBytes(14);
  if (file_header[0] != 'B' || file_header[1] != 'M') throw Error(kBitmapInvalid);
  const Header h = ReadHeader(in);
  CheckHeader(h);
  CheckPictureSize(h.width, h.height < 0 ? -h.height : h.height, kBitmapInvalid);
}

std::unique_ptr<BitmapPicture> ReadBitmapPayload(ByteReader& payload) {
  const int32_t length = payload.ReadI32();
  if (length < 0) throw Error(kBitmapInvalid);
  if (length == 0) return std::make_unique<BitmapPicture>();
  ByteReader in(payload.ReadBytes(static_cast<size_t>(length)));

  const std::span<const uint8_t> file_header = in.ReadBytes(14);
  if (file_header[0] != 'B' || file_header[1] != 'M') throw Error(kBitmapInvalid);
  const uint32_t pixel_offset = file_header[10] | (file_header[11] << 8) | (file_header[12] << 16) |
                                (uint32_t{file_header[13]} << 24);

  const Header h = ReadHeader(in);
  CheckHeader(h);
  DibPixels px;
  px.masks = DefaultMasks(h.bits);
  if (h.compression == kDibBitFields) {
    if (!h.masks_in_header) {
      for (uint32_t& mask : px.masks) mask = in.ReadU32();
    } else {
      px.masks = h.masks;
    }
  }
  const size_t header_end = in.position();

  uint64_t count = h.colour_count;
  if (count == 0 && h.bits <= 8) count = uint64_t{1} << h.bits;
  const uint64_t entry = h.size == 12 ? 3 : 4;
  const uint32_t palette_size =
      h.bits <= 8 ? static_cast<uint32_t>(std::min<uint64_t>(count, 256)) : 0;
  const std::span<const uint8_t> table = in.ReadBytes(palette_size * entry);
  for (uint32_t i = 0; i < palette_size; ++i) {
    const uint8_t* e = table.data() + i * entry;
    px.table[i] = {e[0], e[1], e[2], entry == 4 ? e[3] : uint8_t{0}};
  }

  // Files do not always say where their pixels are correctly; an offset outside the file or
  // into the header is ignored and the pixels are taken to follow the colour table.
  if (pixel_offset >= header_end && pixel_offset <= in.size()) {
    in.Seek(pixel_offset);
  } else {
    const uint64_t table_end = header_end + count * entry;
    if (table_end > in.size()) throw Error(kStreamReadError);
    in.Seek(static_cast<size_t>(table_end));
  }

  const uint64_t rows = static_cast<uint64_t>(h.height < 0 ? -h.height : h.height);
  px.width = static_cast<int32_t>(h.width);
  px.height = static_cast<int32_t>(rows);
  px.bits = h.bits;
  px.compression = h.compression;
  if (h.compression == kDibRle8 || h.compression == kDibRle4) {
    CheckPictureSize(h.width, static_cast<int64_t>(rows), kBitmapInvalid);
    // Encoders that leave the image size at 0 mean "the rest of the file".
    const size_t size =
        h.image_size == 0 ? in.remaining() : std::min<size_t>(h.image_size, in.remaining());
    px.data = in.ReadVector(size);
  } else {
    const uint64_t row_bytes = DibRowBytes(h.width, h.bits);
    if (rows != 0 && row_bytes > in.remaining() / rows) throw Error(kStreamReadError);
    CheckPictureSize(h.width, static_cast<int64_t>(rows), kBitmapInvalid);
    const std::span<const uint8_t> block = in.ReadBytes(static_cast<size_t>(row_bytes * rows));
    px.data = BottomUpRows(block, row_bytes, h.height < 0);
  }
  return std::make_unique<BitmapPicture>(std::move(px), palette_size);
}

}  // namespace kv
