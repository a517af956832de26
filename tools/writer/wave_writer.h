#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Writes RIFF WAVE files for the sound collection's "Wave.WAVE" values: plain ones for the data
// build, and hand-assembled ones (extra chunks, odd sizes, sizes that lie) for tests.
namespace kv::writer {

// The 16-byte "fmt " chunk body: tag, channels, rate, bytes per second, block align, bits.
std::vector<uint8_t> WaveFormatBlock(int channels, int rate, int bits, int format_tag = 1);

// Little-endian bytes of 16-bit samples, as a "data" chunk holds them.
std::vector<uint8_t> Pcm16Bytes(std::span<const int16_t> samples);

// Assembles "RIFF" <size> "WAVE" followed by the chunks in the order they are added.
class WavBuilder {
 public:
  // A chunk with its true size; an odd size is followed by the pad byte RIFF requires.
  WavBuilder& Chunk(std::string_view id, std::span<const uint8_t> body);
  // A chunk header declaring `declared_size` followed by exactly `body` (no pad byte), for
  // payloads whose sizes disagree with their contents.
  WavBuilder& RawChunk(std::string_view id, uint32_t declared_size, std::span<const uint8_t> body);
  // Bytes appended as they are, e.g. a lone pad byte or a truncated header.
  WavBuilder& Raw(std::span<const uint8_t> bytes);

  WavBuilder& Format(int channels, int rate, int bits) {
    return Chunk("fmt ", WaveFormatBlock(channels, rate, bits));
  }
  WavBuilder& Data(std::span<const uint8_t> samples) { return Chunk("data", samples); }

  // The file, with the RIFF size set to the byte count after it.
  std::vector<uint8_t> Bytes() const;

 private:
  std::vector<uint8_t> body_;  // everything after "WAVE"
};

// A complete file: "fmt " then "data". `samples` are raw PCM bytes in the given layout
// (8-bit unsigned or 16-bit signed little-endian, channels interleaved).
std::vector<uint8_t> EncodeWav(std::span<const uint8_t> samples, int channels, int rate, int bits);
// The same for 16-bit samples given as numbers.
std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples, int channels, int rate);

}  // namespace kv::writer
