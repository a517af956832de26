#include "tools/art/icons.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/error.h"
#include "tools/art/build_data.h"
#include "tools/writer/stream_writer.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

// Encoded in memory, so the file is written in one go like every file of the data build.
// libpng reports failures by longjmp: `rows` is made before the jump target, so no destructor
// is skipped.
std::vector<uint8_t> RgbaPng(const art::Raster& raster,
                             const std::vector<std::vector<uint8_t>>& rows) {
  std::vector<uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) throw Error("Cannot encode an icon");
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw Error("Cannot encode an icon");
  }
  png_set_write_fn(png, &bytes, AppendBytes, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(raster.width()),
               static_cast<png_uint_32>(raster.height()), 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (const std::vector<uint8_t>& row : rows) png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

std::vector<std::vector<uint8_t>> RgbaRows(const art::Raster& raster) {
  std::vector<std::vector<uint8_t>> rows(raster.height());
  for (int y = 0; y < raster.height(); ++y) {
    rows[y].reserve(static_cast<size_t>(raster.width()) * 4);
    for (int x = 0; x < raster.width(); ++x) {
      const uint8_t alpha = art::ToByte(raster.alpha(x, y));
      const art::Rgb c = alpha == 0 ? art::Rgb{} : raster.at(x, y);
      rows[y].insert(rows[y].end(), {art::ToByte(c.r), art::ToByte(c.g), art::ToByte(c.b), alpha});
    }
  }
  return rows;
}

}  // namespace

std::vector<uint8_t> PackIco(const std::vector<IcoImage>& images) {
  std::vector<uint8_t> ico;
  const auto put16 = [&ico](uint32_t value) {
    ico.push_back(static_cast<uint8_t>(value));
    ico.push_back(static_cast<uint8_t>(value >> 8));
  };
  const auto put32 = [&](uint32_t value) {
    put16(value & 0xffff);
    put16(value >> 16);
  };
  put16(0);  // reserved
  put16(1);  // an icon, not a cursor
  put16(static_cast<uint32_t>(images.size()));
  constexpr uint32_t kHeader = 6;
  constexpr uint32_t kEntry = 16;
  uint32_t offset = kHeader + kEntry * static_cast<uint32_t>(images.size());
  for (const IcoImage& image : images) {
    // A side of 256 does not fit the byte the format has for it, and is written as 0.
    const uint8_t side = static_cast<uint8_t>(image.size == 256 ? 0 : image.size);
    ico.insert(ico.end(), {side, side, 0, 0});
    put16(1);   // colour planes
    put16(32);  // bits per pixel
    put32(static_cast<uint32_t>(image.png.size()));
    put32(offset);
    offset += static_cast<uint32_t>(image.png.size());
  }
  for (const IcoImage& image : images) ico.insert(ico.end(), image.png.begin(), image.png.end());
  return ico;
}

int WriteIconFile(const std::string& file) {
  try {
    art::Lettering lettering(art::ElixirFontSource());
    std::vector<IcoImage> images;
    for (int size : kIconSizes) {
      const art::Raster emblem = art::PaintEmblem(lettering, size);
      images.push_back({size, RgbaPng(emblem, RgbaRows(emblem))});
    }
    if (!writer::WriteFile(file, PackIco(images))) throw Error("Cannot write " + file);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kervana-data icons: %s\n", e.what());
    return 1;
  }
}

int WriteIcons(const std::string& dir) {
  try {
    art::Lettering lettering(art::ElixirFontSource());
    for (int size : kIconSizes) {
      const std::string side = std::to_string(size);
      const fs::path folder = fs::path(dir) / (side + "x" + side) / "apps";
      std::error_code ec;
      fs::create_directories(folder, ec);
      if (ec) throw Error("Cannot create " + folder.string() + ": " + ec.message());
      const art::Raster emblem = art::PaintEmblem(lettering, size);
      const fs::path file = folder / "kervana.png";
      if (!writer::WriteFile(file.string(), RgbaPng(emblem, RgbaRows(emblem)))) {
        throw Error("Cannot write " + file.string());
      }
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kervana-data icons: %s\n", e.what());
    return 1;
  }
}

}  // namespace kv
