#include "media/collection_root.h"

#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv {
namespace {

enum RootProperty : size_t { kName, kTag, kList };

constexpr PropertyInfo kRootProperties[] = {
    {"Name", PropertyType::kString},
    {"Tag", PropertyType::kInteger},
    {"List", PropertyType::kObject},
};

}  // namespace

std::span<const PropertyInfo> CollectionRoot::Properties() const {
  return kRootProperties;
}

// The collection belongs to the list that loads it; a file cannot take it away.
void CollectionRoot::SetNil(size_t property) {
  throw Error("Invalid property value");
}

StreamObject* CollectionRoot::GetObject(size_t property) {
  return property == kList ? &list_ : nullptr;
}

DefinedKind CollectionRoot::FindDefined(std::string_view name) const {
  if (cp1250::EqualAsciiNoCase(name, "Left") || cp1250::EqualAsciiNoCase(name, "Top")) {
    return DefinedKind::kPlain;
  }
  return DefinedKind::kNone;
}

void CollectionRoot::ReadPlain(std::string_view name, StreamReader& reader) {
  reader.ReadInteger();  // the design-time position has no meaning once loaded
}

void ReadCollectionStream(std::span<const uint8_t> bytes, std::string_view class_name,
                          StreamObject& list) {
  InputStream in(bytes);
  ReadCollectionStream(in, class_name, list);
}

void ReadCollectionStream(InputStream& in, std::string_view class_name, StreamObject& list) {
  CollectionRoot root(class_name, list);
  StreamReader reader(in);
  reader.ReadRoot(root);
}

}  // namespace kv
