#include "media/stream_reader.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "media/stream_tags.h"
#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv {
namespace {

constexpr const char* kInvalidStreamFormat = "Invalid stream format";
constexpr const char* kInvalidPropertyValue = "Invalid property value";
constexpr const char* kInvalidPropertyPath = "Invalid property path";
constexpr const char* kPropertyDoesNotExist = "Property does not exist";
constexpr const char* kPropertyIsReadOnly = "Property is read-only";

bool IsIntegerTag(uint8_t tag) {
  return tag == kTagInt8 || tag == kTagInt16 || tag == kTagInt32;
}

// The header is read as a block of up to 79 bytes, like a fixed-size buffer would be.
constexpr size_t kHeaderBlock = 79;
constexpr size_t kMaxResourceName = 76;

std::optional<size_t> FindPublished(StreamObject& object, std::string_view name) {
  const auto properties = object.Properties();
  for (size_t i = 0; i < properties.size(); ++i) {
    if (cp1250::EqualAsciiNoCase(properties[i].name, name)) return i;
  }
  return std::nullopt;
}

}  // namespace

bool IsValidIdent(std::string_view name) {
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (name.empty() || !alpha(name[0])) return false;
  return std::all_of(name.begin() + 1, name.end(),
                     [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

void StreamReader::ReadRoot(StreamObject& root) {
  ReadHeader();
  const std::span<const uint8_t> signature = in_.Peek(4);
  if (signature.size() == 4 && std::memcmp(signature.data(), "TPF0", 4) != 0) {
    throw Error(kInvalidStreamFormat);
  }
  in_.Skip(4);

  if (in_.PeekU8() >= 0xF0) {
    const uint8_t flags = in_.ReadU8() & 0x0F;
    if (flags & 2) ReadInteger();  // the root's order among siblings; meaningless here
  }
  ReadShortString();  // class name: the caller already chose the root's class
  const std::string object_name = ReadShortString();
  if (!object_name.empty() && !IsValidIdent(object_name)) {
    throw Error("''" + object_name + "'' is not a valid component name");
  }
  const std::string display_name =
      object_name.empty() ? std::string(root.ClassName()) : object_name;
  ReadPropertyList(root, display_name);
  // Collection files never carry child components.
  if (in_.ReadU8() != kTagEnd) throw Error(kInvalidPropertyValue);
}

void StreamReader::ReadHeader() {
  const std::span<const uint8_t> block = in_.Peek(kHeaderBlock);
  static constexpr uint8_t kMagic[3] = {0xFF, 10, 0};
  const size_t have = std::min<size_t>(block.size(), 3);
  if (have > 0 && std::memcmp(block.data(), kMagic, have) != 0) {
    throw Error(kInvalidStreamFormat);
  }
  // A file cut inside the magic is a short read, not a different format.
  if (have < 3) throw Error(kStreamReadError);

  size_t name_length = 0;
  while (name_length < kMaxResourceName && 3 + name_length < block.size() &&
         block[3 + name_length] != 0) {
    ++name_length;
  }
  // Name, its zero, 2 bytes of flags and 4 of size follow the 3 fixed bytes.
  in_.Skip(name_length + 10);
}

void StreamReader::ReadPropertyList(StreamObject& object, std::string_view display_name) {
  while (in_.PeekU8() != kTagEnd) {
    std::string path;
    try {
      ReadProperty(object, path);
    } catch (const Error& e) {
      throw Error("Error reading " + std::string(display_name) + "." + path + ": " + e.what());
    }
  }
  in_.ReadU8();
}

void StreamReader::ReadProperty(StreamObject& object, std::string& path) {
  path = ReadShortString();

  StreamObject* target = &object;
  std::string_view rest = path;
  for (size_t dot = rest.find('.'); dot != std::string_view::npos; dot = rest.find('.')) {
    const std::string_view segment = rest.substr(0, dot);
    rest.remove_prefix(dot + 1);
    const auto property = FindPublished(*target, segment);
    if (!property) throw Error(kPropertyDoesNotExist);
    if (target->Properties()[*property].type != PropertyType::kObject) {
      throw Error(kInvalidPropertyPath);
    }
    StreamObject* next = target->GetObject(*property);
    if (!next) throw Error(kInvalidPropertyPath);
    target = next;
  }

  if (const auto property = FindPublished(*target, rest)) {
    ReadPublished(*target, *property, target->Properties()[*property]);
    return;
  }
  const DefinedKind kind = target->FindDefined(rest);
  if (kind == DefinedKind::kNone) throw Error(kPropertyDoesNotExist);
  ReadDefined(*target, rest, kind);
}

void StreamReader::ReadPublished(StreamObject& object, size_t property, const PropertyInfo& info) {
  const uint8_t tag = in_.ReadU8();
  switch (info.type) {
    case PropertyType::kInteger:
    case PropertyType::kColor: {
      if (info.read_only) throw Error(kPropertyIsReadOnly);
      if (tag == kTagIdent && info.identifiers) {
        uint32_t value = 0;
        if (!info.identifiers(ReadShortString(), value)) throw Error(kInvalidPropertyValue);
        object.SetInteger(property, static_cast<int32_t>(value));
      } else {
        object.SetInteger(property, ReadIntegerOfTag(tag));
      }
      return;
    }
    case PropertyType::kBoolean: {
      if (info.read_only) throw Error(kPropertyIsReadOnly);
      bool value = false;
      if (tag == kTagFalse || tag == kTagTrue) {
        value = tag == kTagTrue;
      } else if (tag == kTagIdent) {
        const std::string text = ReadShortString();
        if (cp1250::EqualAsciiNoCase(text, "True")) {
          value = true;
        } else if (!cp1250::EqualAsciiNoCase(text, "False")) {
          throw Error(kInvalidPropertyValue);
        }
      } else {
        throw Error(kInvalidPropertyValue);
      }
      object.SetBoolean(property, value);
      return;
    }
    case PropertyType::kString: {
      if (info.read_only) throw Error(kPropertyIsReadOnly);
      if (tag == kTagString) {
        object.SetString(property, ReadShortString());
      } else if (tag == kTagLongString) {
        object.SetString(property, in_.ReadString(ReadLength()));
      } else {
        throw Error(kInvalidPropertyValue);
      }
      return;
    }
    case PropertyType::kObject: {
      if (tag == kTagNil) {
        if (info.read_only) throw Error(kPropertyIsReadOnly);
        object.SetNil(property);
        return;
      }
      if (tag == kTagCollection) {
        StreamObject* held = object.GetObject(property);
        StreamCollection* collection = held ? held->AsCollection() : nullptr;
        if (!collection) throw Error(kInvalidPropertyValue);
        ReadCollection(*collection);
        return;
      }
      // Tag 7 would name another component; collection files have none to name.
      throw Error(kInvalidPropertyValue);
    }
  }
  throw Error(kInvalidPropertyValue);
}

void StreamReader::ReadDefined(StreamObject& object, std::string_view name, DefinedKind kind) {
  if (kind == DefinedKind::kPlain) {
    object.ReadPlain(name, *this);
    return;
  }
  if (in_.ReadU8() != kTagBinary) throw Error(kInvalidPropertyValue);
  const uint64_t length = ReadLength();
  // A large value is looked at by its first bytes before it is read: a header that asks for
  // too much is refused without pulling megabytes of file into memory first.
  if (length > kBinaryHeadBytes) object.ReadBinaryHead(name, in_.Peek(kBinaryHeadBytes));
  // The handler sees exactly these bytes; whatever it leaves unread is dropped.
  object.ReadBinary(name, in_.ReadBytes(length));
}

void StreamReader::ReadCollection(StreamCollection& collection) {
  if (in_.PeekU8() != kTagEnd) collection.ClearItems();
  while (in_.PeekU8() != kTagEnd) {
    const uint8_t order_tag = in_.PeekU8();
    if (IsIntegerTag(order_tag)) ReadInteger();  // an order number, not needed for reading
    StreamObject& item = collection.AddItem();
    if (in_.ReadU8() != kTagList) throw Error(kInvalidPropertyValue);
    ReadPropertyList(item, item.ClassName());
  }
  in_.ReadU8();
}

int32_t StreamReader::ReadInteger() {
  return ReadIntegerOfTag(in_.ReadU8());
}

int32_t StreamReader::ReadIntegerOfTag(uint8_t tag) {
  switch (tag) {
    case kTagInt8:
      return in_.ReadI8();
    case kTagInt16:
      return in_.ReadI16();
    case kTagInt32:
      return in_.ReadI32();
    default:
      throw Error(kInvalidPropertyValue);
  }
}

// A negative length cannot be satisfied by any stream, so it fails like one that ends early.
uint32_t StreamReader::ReadLength() {
  const int32_t length = in_.ReadI32();
  if (length < 0) throw Error(kStreamReadError);
  return static_cast<uint32_t>(length);
}

std::string StreamReader::ReadShortString() {
  return in_.ReadString(in_.ReadU8());
}

}  // namespace kv
