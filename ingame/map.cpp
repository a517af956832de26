#include "ingame/map.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace kv {
namespace {

// Copies the part of [field_offset, field_offset + size) that the read bytes cover; a short
// file leaves the rest of the field as it was.
void FillFrom(const std::vector<uint8_t>& bytes, size_t field_offset, uint8_t* field, size_t size) {
  if (bytes.size() <= field_offset) return;
  size_t available = std::min(size, bytes.size() - field_offset);
  std::memcpy(field, bytes.data() + field_offset, available);
}

std::vector<uint8_t> ReadPrefix(const std::filesystem::path& path, size_t limit) {
  std::vector<uint8_t> bytes;
  // Non-blocking so that a FIFO sitting under a map's name cannot hang the game.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return bytes;
  bytes.resize(limit);
  size_t filled = 0;
  while (filled < limit) {
    ssize_t n = ::read(fd, bytes.data() + filled, limit - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    filled += static_cast<size_t>(n);
  }
  ::close(fd);
  bytes.resize(filled);
  return bytes;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Writes beside the target and renames over it: the target is either the old file or the
// complete new one, never half of it.
void ReplaceFile(const std::filesystem::path& target, const std::vector<uint8_t>& bytes) {
  std::filesystem::path temp = target;
  temp += ".tmp" + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return;
  bool ok = WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) ::unlink(temp.c_str());
}

}  // namespace

std::filesystem::path TMap::FileName(uint8_t number, const std::filesystem::path& dir) {
  return dir / (std::to_string(number) + ".num");
}

void TMap::Load(uint8_t number, const std::filesystem::path& dir) {
  if (number == 0) {
    BuildTestMap(dir);
  } else {
    std::vector<uint8_t> bytes = ReadPrefix(FileName(number, dir), kMapReadBytes);
    FillFrom(bytes, 0, reinterpret_cast<uint8_t*>(Name), kMapNameBytes);
    // The stored map number is skipped: a file renamed to another number loads as that one.
    for (int layer = 0; layer < 3; ++layer) {
      FillFrom(bytes, kMapNameBytes + 1 + layer * kLayerBytes, Layers[layer].data(), kLayerBytes);
    }
  }
  ComputePassability();
}

void TMap::Save(uint8_t number, const std::filesystem::path& dir) const {
  std::vector<uint8_t> bytes;
  bytes.reserve(kMapFileBytes);
  bytes.insert(bytes.end(), Name, Name + kMapNameBytes);
  bytes.push_back(number);
  for (const auto& layer : Layers) bytes.insert(bytes.end(), layer.begin(), layer.end());
  ReplaceFile(FileName(number, dir), bytes);
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
  const auto& tiles = Layers[kTileLayer];
  auto& pass = Layers[kPassLayer];
  for (int i = 0; i < kLayerBytes; ++i) pass[i] = (tiles[i] >= 112 && tiles[i] <= 159) ? 0 : 1;
}

}  // namespace kv
