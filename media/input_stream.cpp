#include "media/input_stream.h"

#include <algorithm>
#include <cstring>

namespace kv {
namespace {

// Reads from a source come in pieces of this size at least, so that the many small reads of
// the property entries cost one call each piece.
constexpr size_t kChunk = size_t{64} << 10;

}  // namespace

InputStream::InputStream(std::span<const uint8_t> bytes)
    : size_(bytes.size()), fetched_(bytes.size()), window_(bytes) {}

InputStream::InputStream(ByteSource& source, uint64_t size) : source_(&source), size_(size) {}

void InputStream::Fill(size_t n) {
  if (window_.size() >= n) return;
  if (n > remaining()) throw Error(kStreamReadError);
  // Only a source leaves the window short of what remains; the rest moves to the front of a
  // buffer big enough for n bytes, never bigger than what is left to read.
  const size_t want = static_cast<size_t>(std::min<uint64_t>(std::max(n, kChunk), remaining()));
  const size_t kept = window_.size();
  if (buffer_.size() < want || buffer_.size() > std::max(want, kChunk) * 4) {
    std::vector<uint8_t> fresh(want);
    if (kept > 0) std::memcpy(fresh.data(), window_.data(), kept);
    buffer_.swap(fresh);
  } else if (kept > 0) {
    std::memmove(buffer_.data(), window_.data(), kept);
  }
  size_t have = kept;
  while (have < want) {
    const size_t got = source_->Read(buffer_.data() + have, want - have);
    if (got == 0) break;
    have += got;
    fetched_ += got;
  }
  window_ = std::span<const uint8_t>(buffer_.data(), have);
  // A file that shrank after its size was taken cannot deliver what it promised.
  if (have < n) throw Error(kStreamReadError);
}

std::span<const uint8_t> InputStream::Take(size_t n) {
  Fill(n);
  const std::span<const uint8_t> taken = window_.first(n);
  window_ = window_.subspan(n);
  position_ += n;
  return taken;
}

uint8_t InputStream::PeekU8() {
  Fill(1);
  return window_[0];
}

uint8_t InputStream::ReadU8() {
  return Take(1)[0];
}

uint16_t InputStream::ReadU16() {
  const uint8_t* p = Take(2).data();
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t InputStream::ReadU32() {
  const uint8_t* p = Take(4).data();
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::span<const uint8_t> InputStream::ReadBytes(uint64_t n) {
  if (n > remaining()) throw Error(kStreamReadError);
  return Take(static_cast<size_t>(n));
}

std::string InputStream::ReadString(uint64_t n) {
  const std::span<const uint8_t> bytes = ReadBytes(n);
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

void InputStream::Skip(uint64_t n) {
  if (n > remaining()) throw Error(kStreamReadError);
  // Skipped bytes of a source are read in pieces and dropped, never held together.
  while (n > 0) {
    const size_t step =
        static_cast<size_t>(std::min<uint64_t>(n, std::max(window_.size(), kChunk)));
    Take(step);
    n -= step;
  }
}

std::span<const uint8_t> InputStream::Peek(size_t n) {
  const size_t available = static_cast<size_t>(std::min<uint64_t>(n, remaining()));
  Fill(available);
  return window_.first(available);
}

}  // namespace kv
