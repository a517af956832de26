#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "media/input_stream.h"

// The collection files' encoding: a tree of named, tagged property values read into objects
// that say which properties they have.
//
//   resource header  0xFF, 16-bit 10, name (<= 76 bytes) + 0, 2 bytes flags, 4 bytes size
//   signature        "TPF0"
//   root record      [prefix 0xF0|flags [tagged integer if flag 2]] class name, object name,
//                    property entries, 0, child list (a single 0)
//   property entry   short-string name (a length of 0 ends the list), one tagged value
//
//   tag  value                      tag  value
//    0   end of a list               8   false
//    1   collection item: entries    9   true
//    2   int8                       10   binary: int32 length N, N bytes
//    3   int16                      12   long string: int32 length N, N bytes
//    4   int32                      13   nil
//    6   string: length byte, bytes 14   collection: items ([int] 1 entries 0) ..., 0
//    7   identifier: length byte, bytes
//
// Short strings are a length byte and that many code page 1250 bytes, never zero-terminated.
namespace kv {

enum class PropertyType { kInteger, kColor, kBoolean, kString, kObject };

// Maps an identifier to the number it stands for; false when the identifier is unknown.
using IdentifierLookup = bool (*)(std::string_view identifier, uint32_t& value);

// A published property, as an object lists it. Setters go through the owning object, by the
// property's position in its list.
struct PropertyInfo {
  std::string_view name;
  PropertyType type;
  IdentifierLookup identifiers = nullptr;  // integer types that accept tag 7
  bool read_only = false;
};

enum class DefinedKind { kNone, kPlain, kBinary };

class StreamReader;
class StreamObject;

// How much of a long binary value its object may look at before the value is read.
inline constexpr size_t kBinaryHeadBytes = 4096;

// A list of items that a tag-14 value fills.
class StreamCollection {
 public:
  virtual ~StreamCollection() = default;
  virtual void ClearItems() = 0;
  // Appends an item with its default values. The object stays valid until the next call.
  virtual StreamObject& AddItem() = 0;
};

// Anything that can appear in the tree. Lookups are by name, ASCII case ignored.
class StreamObject {
 public:
  virtual ~StreamObject() = default;

  virtual std::string_view ClassName() const = 0;
  virtual std::span<const PropertyInfo> Properties() const { return {}; }

  // Setters of published properties, by position in Properties(). Integer and colour
  // properties get SetInteger; booleans SetBoolean.
  virtual void SetInteger(size_t property, int32_t value) {}
  virtual void SetBoolean(size_t property, bool value) {}
  virtual void SetString(size_t property, std::string value) {}
  // An object property given tag 13.
  virtual void SetNil(size_t property) {}
  // What an object property holds now; null when it holds nothing that carries properties.
  virtual StreamObject* GetObject(size_t property) { return nullptr; }

  // Defined properties: names the object reads itself.
  virtual DefinedKind FindDefined(std::string_view name) const { return DefinedKind::kNone; }
  // A plain defined property reads its one tagged value through the reader.
  virtual void ReadPlain(std::string_view name, StreamReader& reader) {}
  // A binary defined property gets the whole payload of its tag-10 value. A payload longer than
  // kBinaryHeadBytes is first shown by its beginning, which may refuse it by throwing.
  virtual void ReadBinaryHead(std::string_view name, std::span<const uint8_t> head) {}
  virtual void ReadBinary(std::string_view name, std::span<const uint8_t> data) {}

  // Non-null for objects that a tag-14 value can fill.
  virtual StreamCollection* AsCollection() { return nullptr; }
};

// Reads one file into a root object supplied by the caller. Failures throw kv::Error with the
// format's messages; a failure inside a property entry is wrapped as
// "Error reading <object>.<path>: <inner>" at every level it passes.
class StreamReader {
 public:
  explicit StreamReader(InputStream& in) : in_(in) {}

  void ReadRoot(StreamObject& root);

  // For plain defined properties: one tagged integer (tags 2, 3, 4).
  int32_t ReadInteger();

  uint64_t position() const { return in_.position(); }

 private:
  void ReadHeader();
  void ReadPropertyList(StreamObject& object, std::string_view display_name);
  void ReadProperty(StreamObject& object, std::string& path);
  void ReadPublished(StreamObject& object, size_t property, const PropertyInfo& info);
  void ReadDefined(StreamObject& object, std::string_view name, DefinedKind kind);
  void ReadCollection(StreamCollection& collection);
  int32_t ReadIntegerOfTag(uint8_t tag);
  uint32_t ReadLength();
  std::string ReadShortString();

  InputStream& in_;
};

// True when a non-empty root object name is acceptable: a letter or underscore, then letters,
// digits and underscores.
bool IsValidIdent(std::string_view name);

}  // namespace kv
