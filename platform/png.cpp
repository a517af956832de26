#include <png.h>

#include <csetjmp>
#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/replace_file.h"

namespace kv {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

void FlushNothing(png_structp) {}

// The whole PNG in memory, so that the file is written in one checked piece. libpng reports
// failures by longjmp; everything that needs cleaning up is created before the jump target and
// released after it, so no destructor is skipped.
bool Encode(const Image565& image, std::vector<uint8_t>& row, std::vector<uint8_t>& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, &AppendBytes, &FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    const uint16_t* src = image.Row(y);
    for (int x = 0; x < image.width; ++x) {
      row[3 * x] = Red565(src[x]);
      row[3 * x + 1] = Green565(src[x]);
      row[3 * x + 2] = Blue565(src[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::string& path, const Image565& image) {
  // PNG has no empty pictures, and a pixel block shorter than its size claims is not a picture.
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
    return false;
  }
  std::vector<uint8_t> row(static_cast<size_t>(image.width) * 3);
  std::vector<uint8_t> bytes;
  if (!Encode(image, row, bytes)) return false;
  return WriteOutputFile(path, bytes) == WriteResult::kWritten;
}

}  // namespace kv
