#include <algorithm>
#include <memory>

#include "media/collection_root.h"
#include "media/file_source.h"
#include "media/image_list.h"
#include "media/picture_collection.h"
#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv {
namespace {

uint64_t PixelsOf(const Picture& picture) {
  return picture.empty() ? 0 : uint64_t(picture.width()) * uint64_t(picture.height());
}

// The pixels of the pictures a load has given its items so far, held against the budget
// together with what the display's other collections hold. Only declared sizes are counted,
// so a picture is refused before anything of it is decoded.
class PixelTally {
 public:
  PixelTally(const PictureBudget& budget, uint64_t others) : budget_(budget), others_(others) {}

  // Item `index` takes `incoming` in place of the picture it has; fails with the budget's
  // message, naming the item, when that is too much.
  void Replace(const TPictureCollectionItem& item, int index, const Picture& incoming) {
    const uint64_t pixels = PixelsOf(incoming);
    if (pixels > budget_.picture_pixels) {
      throw TooLarge(item, index, incoming.width(), incoming.height(),
                     Format(", more than %llu in one picture",
                            static_cast<unsigned long long>(budget_.picture_pixels)));
    }
    const uint64_t held = held_ - PixelsOf(item.picture()) + pixels;
    if (others_ + held > budget_.total_pixels) {
      throw TooLarge(item, index, incoming.width(), incoming.height(),
                     Format(" bring all pictures to %llu, more than %llu",
                            static_cast<unsigned long long>(others_ + held),
                            static_cast<unsigned long long>(budget_.total_pixels)));
    }
    held_ = held;
  }
  void Clear() { held_ = 0; }

  static Error TooLarge(const TPictureCollectionItem& item, int index, int64_t width,
                        int64_t height, const std::string& why) {
    return Error(Format("Image '%s' (item %d) is too large: %lldx%lld pixels%s", item.Name.c_str(),
                        index, static_cast<long long>(width), static_cast<long long>(height),
                        why.c_str()));
  }

 private:
  PictureBudget budget_;
  uint64_t others_;
  uint64_t held_ = 0;
};

// The picture holder of an item: "Picture.Data" carries the payload.
class PictureHolderObject : public StreamObject {
 public:
  PictureHolderObject(TPictureCollectionItem& item, int index, PixelTally& tally)
      : item_(item), index_(index), tally_(tally) {}

  std::string_view ClassName() const override { return "TPicture"; }
  DefinedKind FindDefined(std::string_view name) const override {
    return cp1250::EqualAsciiNoCase(name, "Data") ? DefinedKind::kBinary : DefinedKind::kNone;
  }
  void ReadBinaryHead(std::string_view name, std::span<const uint8_t> head) override {
    try {
      CheckPicturePayloadHead(head);
    } catch (const PictureTooLarge& e) {
      throw TooLargeForOnePicture(e);
    }
  }
  // A payload that fails to read leaves the picture the item had.
  void ReadBinary(std::string_view name, std::span<const uint8_t> data) override {
    std::unique_ptr<Picture> picture;
    try {
      picture = ReadPicturePayload(data);
    } catch (const PictureTooLarge& e) {
      throw TooLargeForOnePicture(e);
    }
    tally_.Replace(item_, index_, *picture);
    item_.SetPicture(std::move(picture));
  }
  void Empty() {
    const std::unique_ptr<Picture> empty = MakeEmptyPicture();
    tally_.Replace(item_, index_, *empty);
    item_.SetPicture(MakeEmptyPicture());
  }

 private:
  Error TooLargeForOnePicture(const PictureTooLarge& e) const {
    return PixelTally::TooLarge(item_, index_, e.width(), e.height(),
                                Format(", more than %llu in one picture",
                                       static_cast<unsigned long long>(kMaxPicturePixels)));
  }

  TPictureCollectionItem& item_;
  int index_;
  PixelTally& tally_;
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
  PictureItemObject(TPictureCollection& owner, TPictureCollectionItem& item, int index,
                    PixelTally& tally)
      : owner_(owner), item_(item), holder_(item, index, tally) {}

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
    if (property == kPicture) holder_.Empty();
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
  PictureListObject(TPictureCollection& collection, uint64_t others)
      : collection_(collection), tally_(collection.budget, others) {}

  std::string_view ClassName() const override { return "TPictureCollection"; }
  DefinedKind FindDefined(std::string_view name) const override {
    return cp1250::EqualAsciiNoCase(name, "ColorTable") ? DefinedKind::kBinary : DefinedKind::kNone;
  }
  void ReadBinary(std::string_view name, std::span<const uint8_t> data) override {
    if (data.size() < collection_.ColorTable.size()) throw Error(kStreamReadError);
    std::copy_n(data.begin(), collection_.ColorTable.size(), collection_.ColorTable.begin());
  }
  StreamCollection* AsCollection() override { return this; }

  void ClearItems() override {
    collection_.Clear();
    tally_.Clear();
  }
  StreamObject& AddItem() override {
    TPictureCollectionItem& item = collection_.Add();
    current_ =
        std::make_unique<PictureItemObject>(collection_, item, collection_.Count() - 1, tally_);
    return *current_;
  }

 private:
  TPictureCollection& collection_;
  PixelTally tally_;
  std::unique_ptr<PictureItemObject> current_;
};

}  // namespace

void TPictureCollection::LoadCollectionFile(const std::string& path) {
  FileSource file(path);
  InputStream in(file, file.size());
  LoadCollectionStream(in);
}

void TPictureCollection::LoadCollectionStream(std::span<const uint8_t> bytes) {
  InputStream in(bytes);
  LoadCollectionStream(in);
}

void TPictureCollection::LoadCollectionStream(InputStream& in) {
  Clear();
  PictureListObject list(*this, image_list ? image_list->PixelsOfOtherLists() : 0);
  ReadCollectionStream(in, "TPictureCollectionComponent", list);
  if (image_list) image_list->CollectionLoaded();
}

}  // namespace kv
