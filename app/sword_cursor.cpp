#include "app/sword_cursor.h"

#include <cstdlib>
#include <string>

#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv {
namespace {

constexpr uint32_t kOutline = 0xFF101010;
constexpr uint32_t kBladeLight = 0xFFE8ECF0;
constexpr uint32_t kBladeDark = 0xFF8C96A0;
constexpr uint32_t kGuard = 0xFFD4A017;
constexpr uint32_t kGuardDark = 0xFF8A6508;
constexpr uint32_t kGrip = 0xFF6B3A1E;
constexpr uint32_t kPommel = 0xFFE0B030;

void Put(CursorImage& image, int x, int y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  image.rgba[static_cast<size_t>(y * image.width + x)] = colour;
}

// Paints every pixel whose distance from the diagonal x == y lies within `half_width`,
// for positions along the diagonal from `from` to `to`.
void DiagonalBand(CursorImage& image, int from, int to, int half_width, uint32_t above,
                  uint32_t below) {
  for (int t = from; t <= to; ++t) {
    for (int d = -half_width; d <= half_width; ++d) {
      // Pixels (t + d, t) lie right of the diagonal (the lit side), (t, t + d) left of it.
      Put(image, t + (d > 0 ? d : 0), t + (d < 0 ? -d : 0), d >= 0 ? above : below);
    }
  }
}

CursorImage DrawSword() {
  CursorImage image;
  image.width = 32;
  image.height = 32;
  image.hot_spot = {0, 0};
  image.rgba.assign(32 * 32, 0);

  // Outline first, then the fill over it, so every part keeps a dark rim on any background.
  DiagonalBand(image, 0, 21, 2, kOutline, kOutline);
  DiagonalBand(image, 1, 20, 1, kBladeLight, kBladeDark);
  Put(image, 0, 0, kBladeLight);

  // The cross-guard runs across the blade, from lower left to upper right.
  for (int k = -5; k <= 5; ++k) {
    for (int w = -1; w <= 1; ++w) Put(image, 21 + k + w, 21 - k, kOutline);
  }
  for (int k = -4; k <= 4; ++k) {
    Put(image, 21 + k, 21 - k, kGuard);
    Put(image, 22 + k, 21 - k, kGuardDark);
  }

  // Grip and pommel.
  DiagonalBand(image, 23, 28, 1, kOutline, kOutline);
  DiagonalBand(image, 23, 27, 0, kGrip, kGrip);
  for (int y = 27; y <= 31; ++y) {
    for (int x = 27; x <= 31; ++x) {
      const int dx = x - 29;
      const int dy = y - 29;
      if (dx * dx + dy * dy <= 5) Put(image, x, y, dx * dx + dy * dy <= 2 ? kPommel : kOutline);
    }
  }
  return image;
}

}  // namespace

CursorImage LoadSwordCursor(std::string_view resource_name) {
  if (!cp1250::EqualAsciiNoCase(resource_name, "DEFCUR")) {
    throw Error(Format("Resource %s not found", std::string(resource_name).c_str()));
  }
  return DrawSword();
}

}  // namespace kv
