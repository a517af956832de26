#include "media/dib.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "media/picture_budget.h"
#include "platform/error.h"

namespace kv {

// A DIB payload, little-endian, as pictures of the "TDIB" kind store it:
//
//   offset  size  field
//   0       4     header size: 12 (core header) or 40 (info header)
//   core header:
//   4       2     width (unsigned)
//   6       2     height (unsigned), rows bottom-up
//   8       2     planes (ignored)
//   10      2     bits per pixel
//   info header:
//   4       4     width (signed; negative is refused)
//   8       4     height (signed; negative means rows stored top-down)
//   12      2     planes (ignored)
//   14      2     bits per pixel
//   16      4     compression: 0 none, 1 run-length 8-bit, 2 run-length 4-bit, 3 bit fields
//   20      4     image size: the run-length data's length (unused otherwise)
//   24      8     resolution (ignored)
//   32      4     colour count
//   36      4     important colours (ignored)
//   then    12    compression 3 only: red, green and blue masks
//   then          colour table: count x (blue, green, red) for core, x (b, g, r, reserved) else
//   then          pixels; whatever follows them is ignored
//
// Of a mask only its width counts: the fields are laid out again with red highest and blue
// lowest, which is how every picture of ours stores them.

namespace {

constexpr const char* kDibInvalid = "DIB is invalid";

struct Header {
  int header_size = 0;
  int64_t width = 0;
  int64_t height = 0;  // as stored: negative for top-down rows
  int bits = 0;
  uint32_t compression = kDibRgb;
  uint32_t image_size = 0;
  uint32_t colour_count = 0;
};

Header ReadHeader(ByteReader& in) {
  if (in.remaining() < 4) throw Error(kDibInvalid);
  Header h;
  const uint32_t size = in.ReadU32();
  if (size == 12) {
    h.width = in.ReadU16();
    h.height = in.ReadU16();
    in.Skip(2);
    h.bits = in.ReadU16();
  } else if (size == 40) {
    h.width = in.ReadI32();
    h.height = in.ReadI32();
    in.Skip(2);
    h.bits = in.ReadU16();
    h.compression = in.ReadU32();
    h.image_size = in.ReadU32();
    in.Skip(8);
    h.colour_count = in.ReadU32();
    in.Skip(4);
  } else {
    throw Error(kDibInvalid);
  }
  h.header_size = static_cast<int>(size);
  // A negative width has no meaning, and the most negative height has no positive twin.
  if (h.width < 0 || h.height == std::numeric_limits<int32_t>::min()) throw Error(kDibInvalid);
  return h;
}

std::array<int, 3> ReadLayout(ByteReader& in, const Header& h) {
  if (h.compression == kDibBitFields) {
    std::array<int, 3> layout{};
    for (int& width : layout) width = MaskWidth(in.ReadU32());
    return layout;
  }
  if (h.bits == 16) return {5, 5, 5};
  return {8, 8, 8};
}

uint32_t ColourCount(const Header& h) {
  if (h.colour_count >= 0x80000000u) throw Error(kDibInvalid);
  uint32_t count = h.colour_count;
  if (count == 0 && h.bits <= 8) count = 1u << h.bits;
  return std::min<uint32_t>(count, 256);
}

void ReadTable(ByteReader& in, int header_size, uint32_t count, std::array<Bgr0, 256>& table) {
  const size_t entry = header_size == 12 ? 3 : 4;
  const std::span<const uint8_t> bytes = in.ReadBytes(count * entry);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = bytes.data() + i * entry;
    table[i] = {e[0], e[1], e[2], entry == 4 ? e[3] : uint8_t{0}};
  }
}

void CheckFormat(int bits, const std::array<int, 3>& layout) {
  const bool eights = layout == std::array<int, 3>{8, 8, 8};
  switch (bits) {
    case 1:
    case 4:
    case 8:
    case 24:
    case 32:
      if (!eights) throw Error("PixelFormat in invalid");
      return;
    case 16:
      if (layout != std::array<int, 3>{5, 5, 5} && layout != std::array<int, 3>{5, 6, 5}) {
        throw Error("PixelFormat in invalid");
      }
      return;
    default:
      throw Error(Format("Bitcount in invalid (%d)", bits));
  }
}

// Masks for the layout: blue in the lowest bits, green above it, red above that.
std::array<uint32_t, 3> MasksOf(const std::array<int, 3>& layout) {
  const uint32_t blue = (1u << layout[2]) - 1;
  const uint32_t green = ((1u << layout[1]) - 1) << layout[2];
  const uint32_t red = ((1u << layout[0]) - 1) << (layout[1] + layout[2]);
  return {red, green, blue};
}

// Uncompressed rows. The whole block is checked against the bytes left, and the picture against
// the size limit, before anything is allocated for it.
std::vector<uint8_t> ReadRows(ByteReader& in, const Header& h, uint64_t rows) {
  const uint64_t row_bytes = DibRowBytes(h.width, h.bits);
  if (rows != 0 && row_bytes > in.remaining() / rows) throw Error(kStreamReadError);
  CheckPictureSize(h.width, static_cast<int64_t>(rows), kDibInvalid);
  const std::span<const uint8_t> block = in.ReadBytes(static_cast<size_t>(row_bytes * rows));
  return BottomUpRows(block, row_bytes, h.height < 0);
}

}  // namespace

DibPicture::DibPicture(DibPixels pixels, int header_size, uint32_t colour_count,
                       std::array<int, 3> layout)
    : pixels_(std::move(pixels)),
      header_size_(header_size),
      colour_count_(colour_count),
      layout_(layout) {}

const RgbImage& DibPicture::Pixels() {
  if (!decoded_) decoded_ = DecodeDibPixels(pixels_);
  return *decoded_;
}

Image565 DibPicture::Pixels565() {
  // Pixels already decoded to RGB for someone else are converted and let go.
  if (decoded_) return Picture::Pixels565();
  return DecodeDibPixels565(pixels_);
}

std::vector<Bgr0> DibPicture::OfferedColors() const {
  if (pixels_.bits < 1 || pixels_.bits > 8) return {};
  return {pixels_.table.begin(), pixels_.table.end()};
}

void CheckDibHeaderSize(ByteReader& in) {
  const Header h = ReadHeader(in);
  CheckPictureSize(h.width, h.height < 0 ? -h.height : h.height, kDibInvalid);
}

std::unique_ptr<DibPicture> ReadDibPayload(ByteReader& in) {
  if (in.AtEnd()) return std::make_unique<DibPicture>();
  const Header h = ReadHeader(in);
  const std::array<int, 3> layout = ReadLayout(in, h);
  const uint32_t count = ColourCount(h);

  DibPixels px;
  ReadTable(in, h.header_size, count, px.table);
  CheckFormat(h.bits, layout);

  const uint64_t rows = static_cast<uint64_t>(h.height < 0 ? -h.height : h.height);
  px.width = static_cast<int32_t>(h.width);
  px.height = static_cast<int32_t>(rows);
  px.bits = h.bits;
  px.compression = h.compression;
  px.masks = MasksOf(layout);
  switch (h.compression) {
    case kDibRgb:
    case kDibBitFields:
      px.data = ReadRows(in, h, rows);
      break;
    case kDibRle8:
    case kDibRle4:
      CheckPictureSize(h.width, static_cast<int64_t>(rows), kDibInvalid);
      px.data = in.ReadVector(h.image_size);
      break;
    default:
      throw Error(kDibInvalid);
  }
  return std::make_unique<DibPicture>(std::move(px), h.header_size, count, layout);
}

}  // namespace kv
