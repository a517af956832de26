#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "media/stream_tags.h"

// Writes the collection file encoding: a resource header, "TPF0", one root record of tagged
// property values. The game only reads this format; the writer exists for the data build and
// for tests, so its low-level half can also write files the reader must reject.
namespace kv::writer {

// Value tags of the encoding.
using Tag = StreamTag;
using enum StreamTag;

// Appends the pieces of the encoding in the order they are called. Nothing is checked: the
// caller decides what goes where, malformed output included.
class StreamWriter {
 public:
  // 0xFF, 16-bit 10, the resource name and its zero, 16-bit flags, 32-bit size. The size is
  // filled in by Take() with the number of bytes after the header.
  void Header(std::string_view resource_name);
  void Signature();  // "TPF0"
  // Class name and object name of the root (no prefix byte).
  void RootStart(std::string_view class_name, std::string_view object_name);
  // The optional prefix byte of a root record; flag 2 adds a tagged integer.
  void Prefix(uint8_t flags, std::optional<int32_t> order = std::nullopt);

  // One property entry is PropertyName followed by one value.
  void PropertyName(std::string_view name) { ShortString(name); }

  // Values. Int picks the shortest tag that holds the number.
  void Int(int32_t value);
  void Int8(int8_t value);
  void Int16(int16_t value);
  void Int32(int32_t value);
  void String(std::string_view text);  // tag 6, or tag 12 beyond 255 bytes
  void LongString(std::string_view text);
  void Ident(std::string_view identifier);
  void Bool(bool value);
  void Nil();
  void Binary(std::span<const uint8_t> data);
  // Tag 10 with a length field that need not match the bytes that follow.
  void BinaryWithLength(int32_t length, std::span<const uint8_t> data);
  void CollectionStart();  // tag 14; then items, then End()
  // Starts one collection item: an optional order number, then tag 1. End() closes it.
  void ItemStart(std::optional<int32_t> order = std::nullopt);
  void End();  // zero byte: end of a property list, an item, a collection or the child list

  // Raw pieces.
  void Byte(uint8_t value);
  void U16(uint16_t value);
  void U32(uint32_t value);
  void Bytes(std::span<const uint8_t> data);
  void ShortString(std::string_view text);  // length byte (text cut at 255) and bytes

  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t> Take();

 private:
  std::vector<uint8_t> bytes_;
  std::optional<size_t> size_field_;
};

// Property entries convenience: name then value.
void WriteIntProperty(StreamWriter& w, std::string_view name, int32_t value);
void WriteBoolProperty(StreamWriter& w, std::string_view name, bool value);
void WriteStringProperty(StreamWriter& w, std::string_view name, std::string_view value);
void WriteBinaryProperty(StreamWriter& w, std::string_view name, std::span<const uint8_t> data);

// Starts a collection file: header, signature, root record of `class_name` with an empty
// object name. The caller writes the root's property entries, then FinishRoot.
void BeginRoot(StreamWriter& w, std::string_view class_name);
void FinishRoot(StreamWriter& w);  // end of the property list and the empty child list

struct PictureItemEntry {
  std::string name;                   // code page 1250
  std::vector<uint8_t> picture_data;  // the whole "Picture.Data" value; empty = none
  std::optional<int32_t> pattern_width, pattern_height, skip_width, skip_height;
  std::optional<bool> transparent, system_memory;
  std::optional<uint32_t> transparent_color;
};

// An image collection file; the colour table, when given, is stored as "List.ColorTable".
std::vector<uint8_t> WriteImageCollection(const std::vector<PictureItemEntry>& items,
                                          const std::array<uint8_t, 1024>* color_table = nullptr);

struct WaveItemEntry {
  std::string name;           // code page 1250
  std::vector<uint8_t> wave;  // a RIFF WAVE file, the "Wave.WAVE" value; empty = none
  std::optional<bool> looped;
  std::optional<int32_t> max_playing_count;
};

std::vector<uint8_t> WriteWaveCollection(const std::vector<WaveItemEntry>& items);

// Writes the bytes to a file, replacing it in one go (ReplaceFile): false when the file cannot be
// written, and an old file of that name is then kept whole.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace kv::writer
