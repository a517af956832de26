#include "tools/writer/stream_writer.h"

#include <algorithm>
#include <memory>

#include "platform/replace_file.h"

namespace kv::writer {

void StreamWriter::Header(std::string_view resource_name) {
  Byte(0xFF);
  U16(10);
  // The reader takes at most 76 name bytes; a longer name would not be a header it reads.
  const std::string_view name = resource_name.substr(0, 76);
  for (char c : name) {
    if (c != 0) Byte(static_cast<uint8_t>(c));
  }
  Byte(0);
  U16(0x1030);  // flags; the reader skips them
  size_field_ = bytes_.size();
  U32(0);
}

void StreamWriter::Signature() {
  Bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>("TPF0"), 4));
}

void StreamWriter::RootStart(std::string_view class_name, std::string_view object_name) {
  ShortString(class_name);
  ShortString(object_name);
}

void StreamWriter::Prefix(uint8_t flags, std::optional<int32_t> order) {
  Byte(static_cast<uint8_t>(0xF0 | (flags & 0x0F)));
  if (order) Int(*order);
}

void StreamWriter::Int(int32_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    Int8(static_cast<int8_t>(value));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    Int16(static_cast<int16_t>(value));
  } else {
    Int32(value);
  }
}

void StreamWriter::Int8(int8_t value) {
  Byte(kTagInt8);
  Byte(static_cast<uint8_t>(value));
}

void StreamWriter::Int16(int16_t value) {
  Byte(kTagInt16);
  U16(static_cast<uint16_t>(value));
}

void StreamWriter::Int32(int32_t value) {
  Byte(kTagInt32);
  U32(static_cast<uint32_t>(value));
}

void StreamWriter::String(std::string_view text) {
  if (text.size() > 255) {
    LongString(text);
    return;
  }
  Byte(kTagString);
  ShortString(text);
}

void StreamWriter::LongString(std::string_view text) {
  Byte(kTagLongString);
  U32(static_cast<uint32_t>(text.size()));
  Bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void StreamWriter::Ident(std::string_view identifier) {
  Byte(kTagIdent);
  ShortString(identifier);
}

void StreamWriter::Bool(bool value) {
  Byte(value ? kTagTrue : kTagFalse);
}

void StreamWriter::Nil() {
  Byte(kTagNil);
}

void StreamWriter::Binary(std::span<const uint8_t> data) {
  BinaryWithLength(static_cast<int32_t>(data.size()), data);
}

void StreamWriter::BinaryWithLength(int32_t length, std::span<const uint8_t> data) {
  Byte(kTagBinary);
  U32(static_cast<uint32_t>(length));
  Bytes(data);
}

void StreamWriter::CollectionStart() {
  Byte(kTagCollection);
}

void StreamWriter::ItemStart(std::optional<int32_t> order) {
  if (order) Int(*order);
  Byte(kTagList);
}

void StreamWriter::End() {
  Byte(kTagEnd);
}

void StreamWriter::Byte(uint8_t value) {
  bytes_.push_back(value);
}

void StreamWriter::U16(uint16_t value) {
  Byte(static_cast<uint8_t>(value));
  Byte(static_cast<uint8_t>(value >> 8));
}

void StreamWriter::U32(uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<uint8_t>(value >> shift));
}

void StreamWriter::Bytes(std::span<const uint8_t> data) {
  bytes_.insert(bytes_.end(), data.begin(), data.end());
}

void StreamWriter::ShortString(std::string_view text) {
  const size_t length = std::min<size_t>(text.size(), 255);
  Byte(static_cast<uint8_t>(length));
  Bytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), length));
}

std::vector<uint8_t> StreamWriter::Take() {
  if (size_field_) {
    const size_t at = *size_field_;
    const auto size = static_cast<uint32_t>(bytes_.size() - (at + 4));
    for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<uint8_t>(size >> (8 * i));
  }
  size_field_.reset();
  std::vector<uint8_t> out;
  out.swap(bytes_);
  return out;
}

void WriteIntProperty(StreamWriter& w, std::string_view name, int32_t value) {
  w.PropertyName(name);
  w.Int(value);
}

void WriteBoolProperty(StreamWriter& w, std::string_view name, bool value) {
  w.PropertyName(name);
  w.Bool(value);
}

void WriteStringProperty(StreamWriter& w, std::string_view name, std::string_view value) {
  w.PropertyName(name);
  w.String(value);
}

void WriteBinaryProperty(StreamWriter& w, std::string_view name, std::span<const uint8_t> data) {
  w.PropertyName(name);
  w.Binary(data);
}

void BeginRoot(StreamWriter& w, std::string_view class_name) {
  std::string resource(class_name);
  std::transform(resource.begin(), resource.end(), resource.begin(),
                 [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; });
  w.Header(resource);
  w.Signature();
  w.RootStart(class_name, "");
}

void FinishRoot(StreamWriter& w) {
  w.End();  // property list
  w.End();  // child list
}

std::vector<uint8_t> WriteImageCollection(const std::vector<PictureItemEntry>& items,
                                          const std::array<uint8_t, 1024>* color_table) {
  StreamWriter w;
  BeginRoot(w, "TPictureCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  for (const PictureItemEntry& item : items) {
    w.ItemStart();
    // The order in which the item's class declares its properties.
    if (!item.name.empty()) WriteStringProperty(w, "Name", item.name);
    if (item.pattern_height) WriteIntProperty(w, "PatternHeight", *item.pattern_height);
    if (item.pattern_width) WriteIntProperty(w, "PatternWidth", *item.pattern_width);
    if (!item.picture_data.empty()) WriteBinaryProperty(w, "Picture.Data", item.picture_data);
    if (item.skip_height) WriteIntProperty(w, "SkipHeight", *item.skip_height);
    if (item.skip_width) WriteIntProperty(w, "SkipWidth", *item.skip_width);
    if (item.system_memory) WriteBoolProperty(w, "SystemMemory", *item.system_memory);
    if (item.transparent) WriteBoolProperty(w, "Transparent", *item.transparent);
    if (item.transparent_color) {
      WriteIntProperty(w, "TransparentColor", static_cast<int32_t>(*item.transparent_color));
    }
    w.End();
  }
  w.End();
  if (color_table) WriteBinaryProperty(w, "List.ColorTable", *color_table);
  FinishRoot(w);
  return w.Take();
}

std::vector<uint8_t> WriteWaveCollection(const std::vector<WaveItemEntry>& items) {
  StreamWriter w;
  BeginRoot(w, "TWaveCollectionComponent");
  w.PropertyName("List");
  w.CollectionStart();
  for (const WaveItemEntry& item : items) {
    w.ItemStart();
    if (!item.name.empty()) WriteStringProperty(w, "Name", item.name);
    if (item.looped) WriteBoolProperty(w, "Looped", *item.looped);
    if (item.max_playing_count) WriteIntProperty(w, "MaxPlayingCount", *item.max_playing_count);
    if (!item.wave.empty()) WriteBinaryProperty(w, "Wave.WAVE", item.wave);
    w.End();
  }
  w.End();
  FinishRoot(w);
  return w.Take();
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  return ReplaceFile(path, bytes) == WriteResult::kWritten;
}

}  // namespace kv::writer
