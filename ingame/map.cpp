#include "ingame/map.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/regular_file.h"
#include "platform/replace_file.h"

namespace kv {
namespace {

// Copies the part of [field_offset, field_offset + size) that the read bytes cover; a short
// file leaves the rest of the field as it was.
void FillFrom(std::span<const uint8_t> bytes, size_t field_offset, uint8_t* field, size_t size) {
  if (bytes.size() <= field_offset) return;
  size_t available = std::min(size, bytes.size() - field_offset);
  std::memcpy(field, bytes.data() + field_offset, available);
}

}  // namespace

std::filesystem::path TMap::FileName(uint8_t number, const std::filesystem::path& dir) {
  return dir / (std::to_string(number) + ".num");
}

void TMap::Load(uint8_t number, const std::filesystem::path& dir) {
  if (number != 0) {
    // Only a regular file is read: a FIFO under a map's name would hold the game for ever.
    const auto bytes = ReadRegularFile(FileName(number, dir).string(), kMapReadBytes);
    ReadFrom(bytes ? *bytes : std::vector<uint8_t>());
    return;
  }
  // The map in memory is whole even when its file could not be written; the failure is told
  // only once the map is ready to play on.
  try {
    BuildTestMap(dir);
  } catch (const Error&) {
    ComputePassability();
    throw;
  }
  ComputePassability();
}

void TMap::ReadFrom(std::span<const uint8_t> bytes) {
  FillFrom(bytes, 0, reinterpret_cast<uint8_t*>(Name), kMapNameBytes);
  // The stored map number is skipped: a file renamed to another number loads as that one.
  for (int layer = 0; layer < 3; ++layer) {
    FillFrom(bytes, kMapNameBytes + 1 + layer * kLayerBytes, Layers[layer].data(), kLayerBytes);
  }
  ComputePassability();
}

void TMap::Save(uint8_t number, const std::filesystem::path& dir) const {
  std::vector<uint8_t> bytes;
  bytes.reserve(kMapFileBytes);
  bytes.insert(bytes.end(), Name, Name + kMapNameBytes);
  bytes.push_back(number);
  for (const auto& layer : Layers) bytes.insert(bytes.end(), layer.begin(), layer.end());
  const std::string path = FileName(number, dir).string();
  // A file that cannot be made at all is skipped (the game goes on with the map in memory); one
  // that was begun but could not be finished is reported. Either way the old file stays whole.
  if (ReplaceFile(path, bytes) == WriteResult::kWriteFailed) {
    throw Error(Format("Cannot write file %s", path.c_str()));
  }
}

void TMap::BuildTestMap(const std::filesystem::path& dir) {
  std::memset(Name, 0, sizeof Name);
  std::memcpy(Name, "Test map", 8);
  Layers[kTileLayer].fill(64);

  // Later writes win where the lines cross, so the order matters.
  for (int i = 15; i <= 35; ++i) {
    SetCode(i, 17, 115);
    SetCode(17, i, 112);
    SetCode(i, 23, 1);
    SetCode(23, i, 0);
  }
  for (int i = 20; i <= 25; ++i) {
    SetCode(i, 20, 113);
    SetCode(25, i, 113);
    SetCode(i, 25, 113);
    SetCode(20, i, 113);
  }
  SetCode(23, 20, 66);  // the walled square's door
  SetCode(21, 21, 3);
  SetCode(22, 21, 3);
  SetCode(21, 22, 2);
  SetCode(22, 22, 2);
  SetCode(21, 23, 88);
  SetCode(22, 23, 88);
  SetCode(23, 23, 88);
  SetCode(24, 23, 88);

  // Saved before passability is derived: the file's layer 4 is whatever the map held.
  Save(0, dir);
}

void TMap::ComputePassability() {
  // Codes 112..159 are walls; every other code can be walked on.
  static constexpr auto kPassable = [] {
    std::array<uint8_t, 256> passable{};
    for (int code = 0; code < 256; ++code) passable[code] = (code >= 112 && code <= 159) ? 0 : 1;
    return passable;
  }();
  std::transform(Layers[kTileLayer].begin(), Layers[kTileLayer].end(), Layers[kPassLayer].begin(),
                 [](uint8_t code) { return kPassable[code]; });
}

}  // namespace kv
