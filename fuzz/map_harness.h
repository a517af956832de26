#pragma once

// A map file under the fuzzer: the bytes are read as a map file from the disk and as bytes
// alone, over a map that already holds something; both must give the same map, exactly the
// fields the bytes reach must have changed, and every cell must read as the game reads it,
// inside the map and around it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "ingame/map.h"
#include "platform/replace_file.h"

namespace kv::fuzz {

class MapHarness {
 public:
  // `dir` holds the map files the harness writes and reads; it must exist.
  explicit MapHarness(std::filesystem::path dir) : dir_(std::move(dir)) {}

  void Run(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    auto from_bytes = Filled();
    from_bytes->ReadFrom(bytes);
    Check(*from_bytes, bytes);

    if (ReplaceFile(TMap::FileName(7, dir_).string(), bytes) != WriteResult::kWritten) {
      __builtin_trap();
    }
    auto from_file = Filled();
    from_file->Load(7, dir_);
    if (!SameMap(*from_file, *from_bytes)) __builtin_trap();
  }

 private:
  static constexpr uint8_t kBefore = 0xA7;

  // A map that holds something everywhere, so that what a short file leaves alone shows.
  static std::unique_ptr<TMap> Filled() {
    auto map = std::make_unique<TMap>();
    std::memset(map->Name, 'n', kMapNameBytes);
    for (auto& layer : map->Layers) layer.fill(kBefore);
    return map;
  }

  static bool SameMap(const TMap& a, const TMap& b) {
    return std::memcmp(a.Name, b.Name, kMapNameBytes) == 0 && a.Layers == b.Layers;
  }

  static void Check(const TMap& map, std::span<const uint8_t> bytes) {
    // What the bytes reach replaces what the map held; nothing else changes but layer 4.
    auto expected = Filled();
    std::memcpy(expected->Name, bytes.data(), std::min<size_t>(bytes.size(), kMapNameBytes));
    for (int layer = 0; layer < 3; ++layer) {
      const size_t at = kMapNameBytes + 1 + static_cast<size_t>(layer) * kLayerBytes;
      if (bytes.size() <= at) break;
      std::memcpy(expected->Layers[layer].data(), bytes.data() + at,
                  std::min<size_t>(kLayerBytes, bytes.size() - at));
    }
    expected->Layers[kPassLayer] = map.Layers[kPassLayer];
    if (!SameMap(map, *expected)) __builtin_trap();

    // Layer 4 from layer 1: codes 112 to 159 block.
    for (int i = 0; i < kLayerBytes; ++i) {
      const uint8_t code = map.Layers[kTileLayer][i];
      if (map.Layers[kPassLayer][i] != ((code < 112 || code > 159) ? 1 : 0)) __builtin_trap();
    }
    // Every cell reads as layers 1 and 4 say inside the map, and as a blocking black cell around
    // it, however far out.
    for (int x = -3; x <= kMapSize + 3; ++x) {
      for (int y : {-3, -1, 0, 1, kMapSize / 2, kMapSize, kMapSize + 1, kMapSize + 3}) {
        for (const auto& [cx, cy] : {std::pair{x, y}, std::pair{y, x}}) {
          const bool inside = TMap::InMap(cx, cy);
          const uint8_t want =
              inside ? map.Layers[kTileLayer][TMap::IndexOf(cx, cy)] : kOutsideCode;
          const bool walkable = inside && map.Layers[kPassLayer][TMap::IndexOf(cx, cy)] != 0;
          if (map.Code(cx, cy) != want || map.Passable(cx, cy) != walkable) __builtin_trap();
        }
      }
    }
  }

  std::filesystem::path dir_;
};

}  // namespace kv::fuzz
