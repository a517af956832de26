#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

// The game world: an 80 x 80 map of six byte layers and a name.
//
// Map file "<dir>/<number>.num" (no magic, no checksum; every field is bytes):
//   offset     size  field
//   0            21  name, code page 1250, zero-padded
//   21            1  map number (written, never checked on reading)
//   22         6400  layer 1: tile codes
//   6422       6400  layer 2
//   12822      6400  layer 3
//   19222      6400  layer 4: passability (written, never read: it is derived from layer 1)
//   25622      6400  layer 5
//   32022      6400  layer 6
// Within a layer cell (X, Y) is byte (X - 1) * 80 + (Y - 1): columns are stored one after another.
namespace kv {

inline constexpr int kMapSize = 80;
inline constexpr int kLayerCount = 6;
inline constexpr int kLayerBytes = kMapSize * kMapSize;
inline constexpr int kMapNameBytes = 21;
inline constexpr int kMapFileBytes = kMapNameBytes + 1 + kLayerCount * kLayerBytes;  // 38422
// A reader stops after layer 3; everything behind it is either derived or unused.
inline constexpr int kMapReadBytes = kMapNameBytes + 1 + 3 * kLayerBytes;  // 19222

// Zero-based indices into TMap::Layers.
inline constexpr int kTileLayer = 0;
inline constexpr int kPassLayer = 3;

// What a cell outside the map reads as: its tile code draws nothing (black) and it blocks.
inline constexpr uint8_t kOutsideCode = 255;

inline constexpr std::string_view kMapDirectory = "data/maps";

class TMap {
 public:
  char Name[kMapNameBytes] = {};
  std::array<std::array<uint8_t, kLayerBytes>, kLayerCount> Layers{};

  // Map 0 is the built-in test map, rebuilt (and rewritten) on every load. Any other number is
  // read from its file as far as the file reaches; a missing file, or anything there but a
  // regular file, leaves the map as it was. Fails only when map 0's file could not be written
  // to its end, and then with the map whole in memory and the old file kept.
  void Load(uint8_t number,
            const std::filesystem::path& dir = std::filesystem::path(kMapDirectory));

  // Writes the whole map. The file is replaced in one go, so a failed write leaves the old file
  // (or none) rather than a cut-short map. A file that cannot be created is silently skipped:
  // the game goes on with the map in memory. One that was begun but could not be written to its
  // end (a full disk) fails with "Cannot write file %s".
  void Save(uint8_t number,
            const std::filesystem::path& dir = std::filesystem::path(kMapDirectory)) const;

  // The contents of a map file: the name and layers 1 to 3 as far as the bytes reach (the rest
  // keeps what it held), then layer 4 derived from layer 1.
  void ReadFrom(std::span<const uint8_t> bytes);

  // Fills the name and layer 1 with the test map and saves it as map 0.
  void BuildTestMap(const std::filesystem::path& dir = std::filesystem::path(kMapDirectory));

  // Layer 4 from layer 1: codes 112..159 are walls, every other code can be walked on.
  void ComputePassability();

  static bool InMap(int x, int y) { return x >= 1 && x <= kMapSize && y >= 1 && y <= kMapSize; }
  static int IndexOf(int x, int y) { return (x - 1) * kMapSize + (y - 1); }

  // Layer 1 at any cell: kOutsideCode outside the map, so the view draws nothing there.
  uint8_t Code(int x, int y) const {
    return InMap(x, y) ? Layers[kTileLayer][IndexOf(x, y)] : kOutsideCode;
  }
  // Layer 4 at any cell: outside the map every cell blocks, so the hero can't step off it.
  bool Passable(int x, int y) const {
    return InMap(x, y) && Layers[kPassLayer][IndexOf(x, y)] != 0;
  }

  static std::filesystem::path FileName(
      uint8_t number, const std::filesystem::path& dir = std::filesystem::path(kMapDirectory));

 private:
  void SetCode(int x, int y, uint8_t code) { Layers[kTileLayer][IndexOf(x, y)] = code; }
};

}  // namespace kv
