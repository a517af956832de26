#include "tools/writer/picture_writer.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

#include "tools/writer/little_endian.h"

namespace kv::writer {
namespace {

bool IsPaletteDepth(int bits) {
  return bits >= 1 && bits <= 8;
}

struct Field {
  int shift = 0;
  int width = 0;
};

Field FieldOf(uint32_t mask) {
  Field f;
  if (mask == 0) return f;
  while (!(mask & 1)) {
    mask >>= 1;
    ++f.shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++f.width;
  }
  return f;
}

uint32_t Pack(uint8_t value, Field f) {
  if (f.width == 0) return 0;
  const uint32_t v = f.width <= 8 ? value >> (8 - f.width) : uint32_t{value} << (f.width - 8);
  return v << f.shift;
}

// Masks for the pixels as written: red, green, blue.
std::array<uint32_t, 3> PixelMasks(const DibOptions& options) {
  if (options.compression == 3 &&
      (options.masks[0] != 0 || options.masks[1] != 0 || options.masks[2] != 0)) {
    return {options.masks[0], options.masks[1], options.masks[2]};
  }
  if (options.bits == 16) {
    if (options.compression == 3) return {0xF800, 0x07E0, 0x001F};
    return {0x7C00, 0x03E0, 0x001F};
  }
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

int HeaderSize(const DibOptions& options) {
  if (options.header_size != 0) return options.header_size;
  return options.core_header ? 12 : 40;
}

size_t RowBytes(int width, int bits) {
  return ((static_cast<uint64_t>(width) * static_cast<uint64_t>(bits) + 31) / 32) * 4;
}

// Colour-count field and the number of table entries a reader takes for it.
struct TableSize {
  uint32_t field = 0;
  size_t entries = 0;
};

TableSize TableSizeOf(const DibOptions& options, size_t palette_size) {
  TableSize t;
  if (options.colour_count >= 0) {
    t.field = static_cast<uint32_t>(options.colour_count);
  } else if (IsPaletteDepth(options.bits)) {
    t.field = palette_size == (size_t{1} << options.bits) ? 0 : palette_size;
  } else {
    t.field = static_cast<uint32_t>(palette_size);
  }
  if (options.core_header) t.field = 0;
  if (t.field == 0) {
    t.entries = IsPaletteDepth(options.bits) ? size_t{1} << options.bits : 0;
  } else {
    t.entries = std::min<size_t>(t.field, 256);
  }
  return t;
}

// Everything of a DIB but its pixels; remembers where the pixels start.
std::vector<uint8_t> DibHead(int width, int height, const DibOptions& options,
                             const std::vector<Bgr0>& palette, uint32_t image_size) {
  const int header = HeaderSize(options);
  std::vector<uint8_t> out;
  if (header == 12) {
    if (width > 0xFFFF || height > 0xFFFF || options.top_down || options.compression != 0) {
      throw std::invalid_argument("core header cannot hold this picture");
    }
    Put32(out, 12);
    Put16(out, static_cast<uint32_t>(width));
    Put16(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(options.bits));
  } else {
    if (header < 40) throw std::invalid_argument("unsupported header size");
    const TableSize table = TableSizeOf(options, palette.size());
    Put32(out, static_cast<uint32_t>(header));
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(options.top_down ? -height : height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(options.bits));
    Put32(out, static_cast<uint32_t>(options.compression));
    Put32(out, image_size);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, table.field);
    Put32(out, 0);
    const auto masks = PixelMasks(options);
    if (header >= 52) {
      // The larger headers carry the masks themselves, then an alpha mask, the colour space
      // ("sRGB") and zeros for the end points, gammas and profile fields.
      for (uint32_t m : masks) Put32(out, options.compression == 3 ? m : 0);
      Put32(out, 0);
      Put32(out, 0x73524742);
      out.resize(static_cast<size_t>(header), 0);
    } else {
      out.resize(static_cast<size_t>(header), 0);
      if (options.compression == 3) {
        for (uint32_t m : masks) Put32(out, m);
      }
    }
  }
  const TableSize table = TableSizeOf(options, palette.size());
  for (size_t i = 0; i < table.entries; ++i) {
    const Bgr0 entry = i < palette.size() ? palette[i] : Bgr0{};
    out.push_back(entry[0]);
    out.push_back(entry[1]);
    out.push_back(entry[2]);
    if (header != 12) out.push_back(entry[3]);
  }
  return out;
}

// Uncompressed rows in file order (bottom-up unless top-down), each padded to 4 bytes.
template <typename PutPixel>
std::vector<uint8_t> PackRows(int width, int height, int bits, bool top_down, PutPixel put) {
  const size_t row_bytes = RowBytes(width, bits);
  std::vector<uint8_t> out(row_bytes * static_cast<size_t>(height), 0);
  for (int i = 0; i < height; ++i) {
    const int y = top_down ? i : height - 1 - i;
    uint8_t* row = out.data() + row_bytes * static_cast<size_t>(i);
    for (int x = 0; x < width; ++x) put(row, x, y);
  }
  return out;
}

void CheckSize(int width, int height) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative picture size");
}

std::vector<uint8_t> IndexedPixels(const IndexedImage& image, const DibOptions& options) {
  if (options.compression == 1) return EncodeRle8(image);
  if (options.compression == 2) return EncodeRle4(image);
  const int bits = options.bits;
  if (!IsPaletteDepth(bits)) throw std::invalid_argument("indexes need 8 bits or fewer");
  return PackRows(image.width, image.height, bits, options.top_down,
                  [&](uint8_t* row, int x, int y) {
                    const uint8_t v = image.index[static_cast<size_t>(y) * image.width + x];
                    if (bits == 8) {
                      row[x] = v;
                      return;
                    }
                    // The leftmost pixel takes the highest bits of its byte.
                    const int per_byte = 8 / bits;
                    const int shift = 8 - bits * (x % per_byte + 1);
                    row[x / per_byte] |= static_cast<uint8_t>((v & ((1 << bits) - 1)) << shift);
                  });
}

std::vector<uint8_t> EncodeDibWith(const IndexedImage& image, const DibOptions& options,
                                   const std::vector<Bgr0>& palette, size_t* pixel_offset) {
  CheckSize(image.width, image.height);
  if (image.index.size() != static_cast<size_t>(image.width) * image.height) {
    throw std::invalid_argument("index count does not match the picture size");
  }
  const std::vector<uint8_t> pixels = IndexedPixels(image, options);
  std::vector<uint8_t> out =
      DibHead(image.width, image.height, options, palette, static_cast<uint32_t>(pixels.size()));
  if (pixel_offset) *pixel_offset = out.size();
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

int Distance(const uint8_t* rgb, const Bgr0& entry) {
  const int dr = rgb[0] - entry[2], dg = rgb[1] - entry[1], db = rgb[2] - entry[0];
  return dr * dr + dg * dg + db * db;
}

// The picture's own colours in order of first appearance.
std::vector<Bgr0> PaletteOf(const RgbImage& image, int bits) {
  std::vector<Bgr0> palette;
  const size_t limit = size_t{1} << bits;
  for (size_t i = 0; i + 2 < image.rgb.size(); i += 3) {
    const Bgr0 entry{image.rgb[i + 2], image.rgb[i + 1], image.rgb[i], 0};
    bool known = false;
    for (const Bgr0& p : palette) known = known || p == entry;
    if (known) continue;
    if (palette.size() == limit) throw std::invalid_argument("too many colours for the depth");
    palette.push_back(entry);
  }
  return palette;
}

std::vector<uint8_t> EncodeDibWith(const RgbImage& image, const DibOptions& options,
                                   size_t* pixel_offset) {
  CheckSize(image.width, image.height);
  const size_t count = static_cast<size_t>(image.width) * image.height;
  if (image.rgb.size() != count * 3) {
    throw std::invalid_argument("pixel count does not match the picture size");
  }
  if (IsPaletteDepth(options.bits)) {
    const std::vector<Bgr0> palette =
        options.palette.empty() ? PaletteOf(image, options.bits) : options.palette;
    if (palette.empty() && count > 0) throw std::invalid_argument("empty palette");
    IndexedImage indexed{image.width, image.height, std::vector<uint8_t>(count)};
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* rgb = image.rgb.data() + i * 3;
      size_t best = 0;
      for (size_t p = 1; p < palette.size(); ++p) {
        if (Distance(rgb, palette[p]) < Distance(rgb, palette[best])) best = p;
      }
      indexed.index[i] = static_cast<uint8_t>(best);
    }
    return EncodeDibWith(indexed, options, palette, pixel_offset);
  }
  if (options.compression == 1 || options.compression == 2) {
    throw std::invalid_argument("run-length pictures need 8 bits or fewer");
  }
  const int bits = options.bits;
  const auto masks = PixelMasks(options);
  const Field fields[3] = {FieldOf(masks[0]), FieldOf(masks[1]), FieldOf(masks[2])};
  const std::vector<uint8_t> pixels =
      PackRows(image.width, image.height, bits, options.top_down, [&](uint8_t* row, int x, int y) {
        const uint8_t* rgb = image.rgb.data() + (static_cast<size_t>(y) * image.width + x) * 3;
        if (bits == 24) {
          row[x * 3] = rgb[2];
          row[x * 3 + 1] = rgb[1];
          row[x * 3 + 2] = rgb[0];
          return;
        }
        const uint32_t v =
            Pack(rgb[0], fields[0]) | Pack(rgb[1], fields[1]) | Pack(rgb[2], fields[2]);
        const int bytes = bits / 8;
        for (int b = 0; b < bytes; ++b) row[x * bytes + b] = static_cast<uint8_t>(v >> (8 * b));
      });
  std::vector<uint8_t> out = DibHead(image.width, image.height, options, options.palette,
                                     static_cast<uint32_t>(pixels.size()));
  if (pixel_offset) *pixel_offset = out.size();
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

std::vector<uint8_t> BmpFileOf(const std::vector<uint8_t>& dib, size_t pixel_offset) {
  std::vector<uint8_t> out{'B', 'M'};
  Put32(out, static_cast<uint32_t>(14 + dib.size()));
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(14 + pixel_offset));
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

}  // namespace

std::vector<uint8_t> PictureData(std::string_view class_name, std::span<const uint8_t> payload) {
  if (class_name.size() > 255) throw std::invalid_argument("class name too long");
  std::vector<uint8_t> out;
  out.reserve(1 + class_name.size() + payload.size());
  out.push_back(static_cast<uint8_t>(class_name.size()));
  out.insert(out.end(), class_name.begin(), class_name.end());
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

std::vector<uint8_t> LengthPrefixed(std::span<const uint8_t> data) {
  if (data.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
    throw std::invalid_argument("payload too large");
  }
  std::vector<uint8_t> out;
  out.reserve(4 + data.size());
  Put32(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<uint8_t> EncodeDib(const RgbImage& image, const DibOptions& options) {
  return EncodeDibWith(image, options, nullptr);
}

std::vector<uint8_t> EncodeDib(const IndexedImage& image, const DibOptions& options) {
  return EncodeDibWith(image, options, options.palette, nullptr);
}

std::vector<uint8_t> EncodeBmpFile(const RgbImage& image, const DibOptions& options) {
  size_t offset = 0;
  const std::vector<uint8_t> dib = EncodeDibWith(image, options, &offset);
  return BmpFileOf(dib, offset);
}

std::vector<uint8_t> EncodeBmpFile(const IndexedImage& image, const DibOptions& options) {
  size_t offset = 0;
  const std::vector<uint8_t> dib = EncodeDibWith(image, options, options.palette, &offset);
  return BmpFileOf(dib, offset);
}

std::vector<uint8_t> DibPictureData(const RgbImage& image, const DibOptions& options) {
  return PictureData("TDIB", EncodeDib(image, options));
}

std::vector<uint8_t> DibPictureData(const IndexedImage& image, const DibOptions& options) {
  return PictureData("TDIB", EncodeDib(image, options));
}

std::vector<uint8_t> BitmapPictureData(const RgbImage& image, const DibOptions& options) {
  return PictureData("TBitmap", LengthPrefixed(EncodeBmpFile(image, options)));
}

std::vector<uint8_t> BitmapPictureData(const IndexedImage& image, const DibOptions& options) {
  return PictureData("TBitmap", LengthPrefixed(EncodeBmpFile(image, options)));
}

std::vector<uint8_t> JpegPictureData(const RgbImage& image, int quality, bool grey,
                                     bool progressive) {
  return PictureData("TJPEGImage", LengthPrefixed(EncodeJpeg(image, quality, grey, progressive)));
}

}  // namespace kv::writer
