#pragma once

#include <span>
#include <string_view>

#include "media/stream_reader.h"

namespace kv {

// The temporary root a collection file is read into. Its one useful property is `List`, which
// holds the collection being loaded; `Name`, `Tag`, "Left" and "Top" are read and dropped.
class CollectionRoot : public StreamObject {
 public:
  CollectionRoot(std::string_view class_name, StreamObject& list)
      : class_name_(class_name), list_(list) {}

  std::string_view ClassName() const override { return class_name_; }
  std::span<const PropertyInfo> Properties() const override;
  void SetNil(size_t property) override;
  StreamObject* GetObject(size_t property) override;
  DefinedKind FindDefined(std::string_view name) const override;
  void ReadPlain(std::string_view name, StreamReader& reader) override;

 private:
  std::string_view class_name_;
  StreamObject& list_;
};

// Reads a whole collection file into `list` under a root of `class_name`.
void ReadCollectionStream(InputStream& in, std::string_view class_name, StreamObject& list);
void ReadCollectionStream(std::span<const uint8_t> bytes, std::string_view class_name,
                          StreamObject& list);

}  // namespace kv
