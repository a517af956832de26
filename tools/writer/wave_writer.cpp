#include "tools/writer/wave_writer.h"

#include "tools/writer/little_endian.h"

namespace kv::writer {

namespace {

// Identifiers are four bytes; shorter ones are padded with spaces, longer ones cut, so that a
// test's typo cannot shift every later byte.
void PutId(std::vector<uint8_t>& out, std::string_view id) {
  for (size_t i = 0; i < 4; ++i) out.push_back(i < id.size() ? static_cast<uint8_t>(id[i]) : ' ');
}

}  // namespace

std::vector<uint8_t> WaveFormatBlock(int channels, int rate, int bits, int format_tag) {
  const uint32_t block_align = static_cast<uint32_t>(channels * ((bits + 7) / 8));
  std::vector<uint8_t> out;
  Put16(out, static_cast<uint32_t>(format_tag));
  Put16(out, static_cast<uint32_t>(channels));
  Put32(out, static_cast<uint32_t>(rate));
  Put32(out, static_cast<uint32_t>(rate) * block_align);
  Put16(out, block_align);
  Put16(out, static_cast<uint32_t>(bits));
  return out;
}

std::vector<uint8_t> Pcm16Bytes(std::span<const int16_t> samples) {
  std::vector<uint8_t> out;
  out.reserve(samples.size() * 2);
  for (int16_t sample : samples) Put16(out, static_cast<uint16_t>(sample));
  return out;
}

WavBuilder& WavBuilder::Chunk(std::string_view id, std::span<const uint8_t> body) {
  RawChunk(id, static_cast<uint32_t>(body.size()), body);
  if (body.size() % 2 != 0) body_.push_back(0);
  return *this;
}

WavBuilder& WavBuilder::RawChunk(std::string_view id, uint32_t declared_size,
                                 std::span<const uint8_t> body) {
  PutId(body_, id);
  Put32(body_, declared_size);
  body_.insert(body_.end(), body.begin(), body.end());
  return *this;
}

WavBuilder& WavBuilder::Raw(std::span<const uint8_t> bytes) {
  body_.insert(body_.end(), bytes.begin(), bytes.end());
  return *this;
}

std::vector<uint8_t> WavBuilder::Bytes() const {
  std::vector<uint8_t> out;
  out.reserve(12 + body_.size());
  PutId(out, "RIFF");
  Put32(out, static_cast<uint32_t>(4 + body_.size()));
  PutId(out, "WAVE");
  out.insert(out.end(), body_.begin(), body_.end());
  return out;
}

std::vector<uint8_t> EncodeWav(std::span<const uint8_t> samples, int channels, int rate, int bits) {
  return WavBuilder().Format(channels, rate, bits).Data(samples).Bytes();
}

std::vector<uint8_t> EncodeWav(std::span<const int16_t> samples, int channels, int rate) {
  return EncodeWav(Pcm16Bytes(samples), channels, rate, 16);
}

}  // namespace kv::writer
