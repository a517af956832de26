#include "fuzz/seeds/picture_seeds.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "tools/writer/picture_writer.h"

namespace kv::fuzz {
namespace {

using writer::DibOptions;

RgbImage Pattern(int width, int height) {
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgb.push_back(static_cast<uint8_t>(x * 50));
      image.rgb.push_back(static_cast<uint8_t>(y * 60));
      image.rgb.push_back(static_cast<uint8_t>((x ^ y) * 30));
    }
  }
  return image;
}

// Few colours in runs, so that run-length data has runs, single pixels and literal stretches.
writer::IndexedImage Indexes(int width, int height) {
  writer::IndexedImage image{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    image.index.push_back(static_cast<uint8_t>(i % 9 < 4 ? 3 : i % 13));
  }
  return image;
}

std::vector<Bgr0> Grey16() {
  std::vector<Bgr0> palette;
  for (int i = 0; i < 16; ++i) {
    const uint8_t v = static_cast<uint8_t>(i * 17);
    palette.push_back({v, v, v, 0});
  }
  return palette;
}

// The DIB variants worth starting from: every depth, both headers, both row orders, bit
// fields, both run-length kinds.
std::vector<std::pair<DibOptions, bool>> Variants() {
  std::vector<std::pair<DibOptions, bool>> v;  // options, indexed
  for (int bits : {1, 4, 8, 16, 24, 32}) v.push_back({{.bits = bits}, bits <= 8});
  v.push_back({{.bits = 8, .core_header = true}, true});
  v.push_back({{.bits = 24, .top_down = true}, false});
  DibOptions fields{.bits = 16, .compression = 3};
  fields.masks[0] = 0xF800, fields.masks[1] = 0x07E0, fields.masks[2] = 0x001F;
  v.push_back({fields, false});
  v.push_back({{.bits = 8, .compression = 1}, true});
  v.push_back({{.bits = 4, .compression = 2}, true});
  return v;
}

void Write(const std::filesystem::path& dir, int number, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(dir);
  std::ofstream(dir / ("seed" + std::to_string(number)), std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

void MakePictureSeeds(const std::string& dir) {
  const std::filesystem::path root(dir);
  const RgbImage rgb = Pattern(5, 3);
  const writer::IndexedImage indexed = Indexes(7, 3);
  int n = 0;
  for (auto [options, use_indexes] : Variants()) {
    if (use_indexes) options.palette = Grey16();
    const std::vector<uint8_t> dib =
        use_indexes ? writer::EncodeDib(indexed, options) : writer::EncodeDib(rgb, options);
    const std::vector<uint8_t> bmp =
        use_indexes ? writer::EncodeBmpFile(indexed, options) : writer::EncodeBmpFile(rgb, options);
    Write(root / "fuzz_dib", n, dib);
    Write(root / "fuzz_bitmap", n, writer::LengthPrefixed(bmp));
    ++n;
  }
  DibOptions v5{.header_size = 124};
  Write(root / "fuzz_bitmap", n++, writer::LengthPrefixed(writer::EncodeBmpFile(rgb, v5)));

  const RgbImage picture = Pattern(19, 11);
  int j = 0;
  for (bool grey : {false, true}) {
    for (bool progressive : {false, true}) {
      Write(root / "fuzz_jpeg", j++,
            writer::LengthPrefixed(writer::EncodeJpeg(picture, 50, grey, progressive)));
    }
  }
}

}  // namespace kv::fuzz
