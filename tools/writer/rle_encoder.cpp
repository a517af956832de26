#include <stdexcept>

#include "tools/writer/picture_writer.h"

namespace kv::writer {
namespace {

// Both encoders make the same choices: a run of two or more equal pixels becomes an encoded
// run; three or more pixels without such a run between them become one absolute stretch;
// anything shorter goes out as runs of one. Rows are written bottom-up, as they are read.
template <typename PutAbsolute>
std::vector<uint8_t> Encode(const IndexedImage& image, int bits_per_index,
                            PutAbsolute put_absolute) {
  if (image.width < 0 || image.height < 0 ||
      image.index.size() != static_cast<size_t>(image.width) * image.height) {
    throw std::invalid_argument("index count does not match the picture size");
  }
  const uint8_t limit = static_cast<uint8_t>((1 << bits_per_index) - 1);
  std::vector<uint8_t> out;
  const size_t w = static_cast<size_t>(image.width);
  for (int y = image.height - 1; y >= 0; --y) {
    const uint8_t* row = image.index.data() + static_cast<size_t>(y) * w;
    for (size_t x = 0; x < w; ++x) {
      if (row[x] > limit) throw std::invalid_argument("index too large for run-length data");
    }
    size_t x = 0;
    while (x < w) {
      size_t run = 1;
      while (x + run < w && run < 255 && row[x + run] == row[x]) ++run;
      if (run >= 2) {
        out.push_back(static_cast<uint8_t>(run));
        out.push_back(bits_per_index == 8 ? row[x] : static_cast<uint8_t>(row[x] * 0x11));
        x += run;
        continue;
      }
      size_t n = 1;
      while (x + n < w && n < 255 && !(x + n + 1 < w && row[x + n] == row[x + n + 1])) ++n;
      if (n >= 3) {
        out.push_back(0);
        out.push_back(static_cast<uint8_t>(n));
        put_absolute(out, row + x, n);
        if (out.size() % 2) out.push_back(0);  // absolute stretches end on a 16-bit boundary
      } else {
        for (size_t i = 0; i < n; ++i) {
          out.push_back(1);
          out.push_back(bits_per_index == 8 ? row[x + i] : static_cast<uint8_t>(row[x + i] << 4));
        }
      }
      x += n;
    }
    out.push_back(0);
    out.push_back(y == 0 ? 1 : 0);
  }
  if (image.height == 0) {
    out.push_back(0);
    out.push_back(1);
  }
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeRle8(const IndexedImage& image) {
  return Encode(image, 8, [](std::vector<uint8_t>& out, const uint8_t* p, size_t n) {
    out.insert(out.end(), p, p + n);
  });
}

std::vector<uint8_t> EncodeRle4(const IndexedImage& image) {
  return Encode(image, 4, [](std::vector<uint8_t>& out, const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; i += 2) {
      const uint8_t low = i + 1 < n ? p[i + 1] : 0;
      out.push_back(static_cast<uint8_t>(p[i] << 4 | low));
    }
  });
}

}  // namespace kv::writer
