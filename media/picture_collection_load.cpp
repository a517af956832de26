#include <algorithm>
#include <memory>

#include "media/collection_root.h"
#include "media/file_bytes.h"
#include "media/image_list.h"
#include "media/picture_collection.h"
#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv {
namespace {

// The picture holder of an item: "Picture.Data" carries the payload.
class PictureHolderObject : public StreamObject {
 public:
  explicit PictureHolderObject(TPictureCollectionItem& item) : item_(item) {}

  std::string_view ClassName() const override { return "TPicture"; }
  DefinedKind FindDefined(std::string_view name) const override {
    return cp1250::EqualAsciiNoCase(name, "Data") ? DefinedKind::kBinary : DefinedKind::kNone;
  }
  // A payload that fails to read leaves the picture the item had.
  void ReadBinary(std::string_view name, std::span<const uint8_t> data) override {
    item_.SetPicture(ReadPicturePayload(data));
  }

 private:
  TPictureCollectionItem& item_;
};

enum ItemProperty : size_t {
  kName,
  kPatternHeight,
  kPatternWidth,
  kPicture,
  kSkipHeight,
  kSkipWidth,
  kSystemMemory,
  kTransparent,
  kTransparentColor,
};

constexpr PropertyInfo kItemProperties[] = {
    {"Name", PropertyType::kString},
    {"PatternHeight", PropertyType::kInteger},
    {"PatternWidth", PropertyType::kInteger},
    {"Picture", PropertyType::kObject},
    {"SkipHeight", PropertyType::kInteger},
    {"SkipWidth", PropertyType::kInteger},
    {"SystemMemory", PropertyType::kBoolean},
    {"Transparent", PropertyType::kBoolean},
    {"TransparentColor", PropertyType::kColor, &ColorFromIdentifier},
};

class PictureItemObject : public StreamObject {
 public:
  PictureItemObject(TPictureCollection& owner, TPictureCollectionItem& item)
      : owner_(owner), item_(item), holder_(item) {}

  std::string_view ClassName() const override { return "TPictureCollectionItem"; }
  std::span<const PropertyInfo> Properties() const override { return kItemProperties; }

  void SetInteger(size_t property, int32_t value) override {
    switch (property) {
      case kPatternHeight:
        item_.PatternHeight = value;
        break;
      case kPatternWidth:
        item_.PatternWidth = value;
        break;
      case kSkipHeight:
        item_.SkipHeight = value;
        break;
      case kSkipWidth:
        item_.SkipWidth = value;
        break;
      case kTransparentColor:
        item_.SetTransparentColor(static_cast<Color>(value));
        break;
      default:
        break;
    }
  }
  void SetBoolean(size_t property, bool value) override {
    if (property == kSystemMemory) item_.SystemMemory = value;
    if (property == kTransparent) item_.Transparent = value;
  }
  void SetString(size_t property, std::string value) override {
    if (property == kName) owner_.Rename(item_, value);
  }
  void SetNil(size_t property) override {
    if (property == kPicture) item_.SetPicture(MakeEmptyPicture());
  }
  StreamObject* GetObject(size_t property) override {
    return property == kPicture ? &holder_ : nullptr;
  }

 private:
  TPictureCollection& owner_;
  TPictureCollectionItem& item_;
  PictureHolderObject holder_;
};

// `List` of the root: the collection itself, with its colour table as "ColorTable".
class PictureListObject : public StreamObject, public StreamCollection {
 public:
  explicit PictureListObject(TPictureCollection& collection) : collection_(collection) {}

  std::string_view ClassName() const override { return "TPictureCollection"; }
  DefinedKind FindDefined(std::string_view name) const override {
    return cp1250::EqualAsciiNoCase(name, "ColorTable") ? DefinedKind::kBinary : DefinedKind::kNone;
  }
  void ReadBinary(std::string_view name, std::span<const uint8_t> data) override {
    if (data.size() < collection_.ColorTable.size()) throw Error(kStreamReadError);
    std::copy_n(data.begin(), collection_.ColorTable.size(), collection_.ColorTable.begin());
  }
  StreamCollection* AsCollection() override { return this; }

  void ClearItems() override { collection_.Clear(); }
  StreamObject& AddItem() override {
    current_ = std::make_unique<PictureItemObject>(collection_, collection_.Add());
    return *current_;
  }

 private:
  TPictureCollection& collection_;
  std::unique_ptr<PictureItemObject> current_;
};

}  // namespace

void TPictureCollection::LoadCollectionFile(const std::string& path) {
  LoadCollectionStream(ReadFileBytes(path));
}

void TPictureCollection::LoadCollectionStream(std::span<const uint8_t> bytes) {
  Clear();
  PictureListObject list(*this);
  ReadCollectionStream(bytes, "TPictureCollectionComponent", list);
  if (image_list) image_list->CollectionLoaded();
}

}  // namespace kv
