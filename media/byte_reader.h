#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/error.h"

namespace kv {

// The text every reader of outside bytes raises when the bytes run out.
inline constexpr const char* kStreamReadError = "Stream read error";

// A bounds-checked little-endian cursor over bytes it does not own. Every read checks the bytes
// left first, so a short or hostile input fails with "Stream read error" and never reaches
// memory beyond the span; a length read from the input is checked before anything is allocated
// for it. Reading exactly up to the end is fine; only reading beyond fails.
class ByteReader {
 public:
  ByteReader() = default;
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  size_t size() const { return bytes_.size(); }
  size_t position() const { return position_; }
  size_t remaining() const { return bytes_.size() - position_; }
  bool AtEnd() const { return position_ == bytes_.size(); }

  // Throws unless at least n bytes are left.
  void Require(size_t n) const {
    if (n > remaining()) throw Error(kStreamReadError);
  }

  uint8_t ReadU8() {
    Require(1);
    return bytes_[position_++];
  }
  int8_t ReadI8() { return static_cast<int8_t>(ReadU8()); }

  uint16_t ReadU16() {
    Require(2);
    const uint8_t* p = bytes_.data() + position_;
    position_ += 2;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
  }
  int16_t ReadI16() { return static_cast<int16_t>(ReadU16()); }

  uint32_t ReadU32() {
    Require(4);
    const uint8_t* p = bytes_.data() + position_;
    position_ += 4;
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  }
  int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }

  // A view of the next n bytes, valid as long as the underlying bytes.
  std::span<const uint8_t> ReadBytes(size_t n) {
    Require(n);
    auto view = bytes_.subspan(position_, n);
    position_ += n;
    return view;
  }
  std::vector<uint8_t> ReadVector(size_t n) {
    auto view = ReadBytes(n);
    return {view.begin(), view.end()};
  }
  std::string ReadString(size_t n) {
    auto view = ReadBytes(n);
    return {reinterpret_cast<const char*>(view.data()), view.size()};
  }

  void Skip(size_t n) {
    Require(n);
    position_ += n;
  }

  // The next byte, not consumed.
  uint8_t PeekU8() const {
    Require(1);
    return bytes_[position_];
  }

  // Everything not read yet.
  std::span<const uint8_t> Rest() const { return bytes_.subspan(position_); }

  // Moves to an absolute position within the bytes (the end included).
  void Seek(size_t position) {
    if (position > bytes_.size()) throw Error(kStreamReadError);
    position_ = position;
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

}  // namespace kv
