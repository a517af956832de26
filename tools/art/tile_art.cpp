// The ground of the game view: base.dat. Pictures 0..63 are the four phases of sixteen
// animation chains (chain c: pictures c, c+16, c+32, c+48), 64..87 outdoor ground, 88..111
// interior floors, 112..134 walls, 159 the top of every wall. Every texture repeats with the
// 100-pixel cell so neighbouring cells meet without seams, and every animation moves its
// pattern by a quarter of that period per phase so that phase 4 leads back into phase 1.
#include <cmath>
#include <functional>

#include "tools/art/art_items.h"
#include "tools/art/materials.h"
#include "tools/art/noise.h"
#include "tools/art/shapes.h"
#include "tools/art/tile_painters.h"

namespace kv::art {

namespace {

constexpr int kCell = 100;
constexpr float kTau = 6.2831853f;

ArtPicture Tile(const std::string& name, Raster r) {
  ArtPicture p;
  p.name = name;
  p.raster = std::move(r);
  p.encoding = Encoding::kDib8;
  p.transparent = false;
  return p;
}

}  // namespace

Raster PaintTile(const std::function<Rgb(float, float)>& colour) {
  Raster r(kCell, kCell);
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < kCell; ++x) r.at(x, y) = colour(x + 0.5f, y + 0.5f).Clamped();
  return r;
}

ArtFile PaintTileFile() {
  ArtFile file{"base.dat", {}};
  file.items.resize(160);
  for (int c = 0; c < 16; ++c)
    for (int phase = 0; phase < 4; ++phase)
      file.items[c + 16 * phase] =
          Tile(ChainName(c) + " " + std::to_string(phase + 1), PaintChainPhase(c, phase));
  for (int code = 64; code < 112; ++code)
    file.items[code] = Tile(GroundName(code), PaintGround(code));
  for (int code = 112; code < 135; ++code)
    file.items[code] = Tile(WallName(code - 112), PaintWall(code - 112));
  // Never drawn by the game: quiet grass, so a stray code shows nothing alarming.
  for (int i = 135; i < 159; ++i) {
    file.items[i] = file.items[64];
    file.items[i].name = "Unused " + std::to_string(i);
  }
  file.items[159] = Tile("Wall top", PaintWallTop());
  file.items[159].transparent = true;
  return file;
}

}  // namespace kv::art
