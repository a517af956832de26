#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/byte_reader.h"

namespace kv {

// Where an InputStream's bytes come from when they are not all in memory: a file, read as far
// as the reader gets and no further.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to n bytes into `into` and returns how many; 0 at the end or on failure.
  virtual size_t Read(uint8_t* into, size_t n) = 0;
};

// A forward-only little-endian cursor with the ByteReader's checks, over bytes in memory or
// pulled from a source whose size is known up front. A reader sees a file only as far as it
// has read it: a bad signature is found after a few bytes, whatever follows it, and a length
// read from the input is checked against the bytes left before anything is read or allocated
// for it. Reading beyond the end, or a source that delivers less than it promised, fails with
// "Stream read error".
class InputStream {
 public:
  explicit InputStream(std::span<const uint8_t> bytes);
  InputStream(ByteSource& source, uint64_t size);
  InputStream(const InputStream&) = delete;
  InputStream& operator=(const InputStream&) = delete;

  uint64_t size() const { return size_; }
  uint64_t position() const { return position_; }
  uint64_t remaining() const { return size_ - position_; }
  bool AtEnd() const { return position_ == size_; }
  // Bytes taken from the source so far (all of them for bytes in memory).
  uint64_t fetched() const { return fetched_; }

  uint8_t PeekU8();
  uint8_t ReadU8();
  int8_t ReadI8() { return static_cast<int8_t>(ReadU8()); }
  uint16_t ReadU16();
  int16_t ReadI16() { return static_cast<int16_t>(ReadU16()); }
  uint32_t ReadU32();
  int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
  // The next n bytes, valid until the next call on the stream.
  std::span<const uint8_t> ReadBytes(uint64_t n);
  std::string ReadString(uint64_t n);
  void Skip(uint64_t n);
  // Up to n bytes from the position (fewer at the end), not consumed.
  std::span<const uint8_t> Peek(size_t n);

 private:
  // Makes the next n bytes (n <= remaining()) contiguous in the window.
  void Fill(size_t n);
  std::span<const uint8_t> Take(size_t n);

  ByteSource* source_ = nullptr;
  uint64_t size_ = 0;
  uint64_t position_ = 0;
  uint64_t fetched_ = 0;
  // Bytes held and not consumed yet: the whole input in memory, or a part of a source's.
  std::span<const uint8_t> window_;
  std::vector<uint8_t> buffer_;
};

}  // namespace kv
