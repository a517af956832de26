#include "media/wave_collection.h"

#include <algorithm>

#include "media/collection_root.h"
#include "media/file_source.h"
#include "platform/cp1250.h"
#include "platform/error.h"

namespace kv {
namespace {

// The wave holder of an item: "Wave.WAVE" carries a RIFF WAVE file.
class WaveHolderObject : public StreamObject {
 public:
  explicit WaveHolderObject(TWaveCollectionItem& item) : item_(item) {}

  std::string_view ClassName() const override { return "TWave"; }
  DefinedKind FindDefined(std::string_view name) const override {
    return cp1250::EqualAsciiNoCase(name, "WAVE") ? DefinedKind::kBinary : DefinedKind::kNone;
  }
  void ReadBinary(std::string_view name, std::span<const uint8_t> data) override {
    item_.Wave = ReadWavePayload(data);
  }

 private:
  TWaveCollectionItem& item_;
};

enum ItemProperty : size_t { kName, kLooped, kMaxPlayingCount, kWave };

constexpr PropertyInfo kItemProperties[] = {
    {"Name", PropertyType::kString},
    {"Looped", PropertyType::kBoolean},
    {"MaxPlayingCount", PropertyType::kInteger},
    {"Wave", PropertyType::kObject},
};

class WaveItemObject : public StreamObject {
 public:
  WaveItemObject(TWaveCollection& owner, TWaveCollectionItem& item)
      : owner_(owner), item_(item), holder_(item) {}

  std::string_view ClassName() const override { return "TWaveCollectionItem"; }
  std::span<const PropertyInfo> Properties() const override { return kItemProperties; }

  void SetInteger(size_t property, int32_t value) override {
    if (property == kMaxPlayingCount) item_.SetMaxPlayingCount(value);
  }
  void SetBoolean(size_t property, bool value) override {
    if (property == kLooped) item_.SetLooped(value);
  }
  void SetString(size_t property, std::string value) override {
    if (property == kName) owner_.Rename(item_, value);
  }
  void SetNil(size_t property) override {
    if (property == kWave) item_.Wave = TWave{};
  }
  StreamObject* GetObject(size_t property) override {
    return property == kWave ? &holder_ : nullptr;
  }

 private:
  TWaveCollection& owner_;
  TWaveCollectionItem& item_;
  WaveHolderObject holder_;
};

class WaveListObject : public StreamObject, public StreamCollection {
 public:
  explicit WaveListObject(TWaveCollection& collection) : collection_(collection) {}

  std::string_view ClassName() const override { return "TWaveCollection"; }
  StreamCollection* AsCollection() override { return this; }

  void ClearItems() override { collection_.Clear(); }
  StreamObject& AddItem() override {
    current_ = std::make_unique<WaveItemObject>(collection_, collection_.Add());
    return *current_;
  }

 private:
  TWaveCollection& collection_;
  std::unique_ptr<WaveItemObject> current_;
};

}  // namespace

TWaveCollection::TWaveCollection() = default;

// Items go first, while they can still reach the device to release their voices.
TWaveCollection::~TWaveCollection() {
  items_.Clear();
}

TWaveCollectionItem& TWaveCollection::Items(int index) {
  return items_.At(index);
}

int TWaveCollection::IndexOfName(std::string_view name) const {
  return items_.IndexOfName(name);
}

TWaveCollectionItem& TWaveCollection::FindItemByName(std::string_view name) {
  const int index = IndexOfName(name);
  if (index < 0) throw Error("Wave '" + std::string(name) + "' not found");
  return items_.At(index);
}

void TWaveCollection::LoadCollectionFile(const std::string& path) {
  FileSource file(path);
  InputStream in(file, file.size());
  LoadCollectionStream(in);
}

void TWaveCollection::LoadCollectionStream(std::span<const uint8_t> bytes) {
  InputStream in(bytes);
  LoadCollectionStream(in);
}

void TWaveCollection::LoadCollectionStream(InputStream& in) {
  Clear();
  WaveListObject list(*this);
  ReadCollectionStream(in, "TWaveCollectionComponent", list);
  if (device_ && device_->mixer) InitializeItems();
}

// The device's initialise event reaches every item before its restore event builds any master
// voice, so a wave the device refuses leaves the items after it initialised, only voiceless.
void TWaveCollection::InitializeItems() {
  for (auto& item : items_) item->Initialize();
  for (auto& item : items_) item->RestoreVoices();
}

void TWaveCollection::Clear() {
  items_.Clear();
}

TWaveCollectionItem& TWaveCollection::Add() {
  return items_.Add(std::make_unique<TWaveCollectionItem>(*this));
}

void TWaveCollection::Rename(TWaveCollectionItem& item, std::string_view name) {
  items_.Rename(item, name);
}

void TWaveCollection::Attach(SoundDevice* device) {
  if (device_ == device) return;
  // Voices belong to the mixer they were made on: release them before switching.
  if (device_) {
    for (auto& item : items_) item->Finalize();
  }
  device_ = device;
  if (device_ && device_->mixer) InitializeItems();
}

}  // namespace kv
