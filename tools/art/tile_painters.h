#pragma once

#include <functional>
#include <string>

#include "tools/art/raster.h"

// The painters behind base.dat, one per kind of cell.
namespace kv::art {

// A 100 x 100 tile with every pixel from colour(x, y), sampled at pixel centres.
Raster PaintTile(const std::function<Rgb(float, float)>& colour);

// Phase 0..3 of animation chain 0..15. Chains 4..15 in phase 0 are also the still ground
// tiles 68..79, so a code that reaches them from a later start keeps the same look.
Raster PaintChainPhase(int chain, int phase);
std::string ChainName(int chain);

// Ground tiles 64..111 (outdoor 64..87, interior floors 88..111).
Raster PaintGround(int code);
std::string GroundName(int code);

// Wall 0..22 (codes 112..134), and the top part shared by all of them (picture 159).
Raster PaintWall(int variant);
std::string WallName(int variant);
Raster PaintWallTop();

}  // namespace kv::art
