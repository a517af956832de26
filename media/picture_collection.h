#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "media/named_items.h"
#include "media/picture.h"
#include "media/picture_budget.h"
#include "platform/geometry.h"
#include "platform/image565.h"

namespace kv {

class TDXImageList;
class InputStream;
struct DisplayCopies;  // display-ready copies, built and owned by the display (dxdraw)

// Named colours of the collection files. Values 0x80000000 + n are system colours.
constexpr Color kClNone = 0x1FFFFFFF;
constexpr Color kSystemColorBase = 0x80000000;
// Looks up a colour identifier ("clBlack", "clBtnFace", ...) without regard to case.
bool ColorFromIdentifier(std::string_view identifier, Color& value);
// Resolves a system colour to red, green, blue; ordinary colours pass through.
Color ResolveColor(Color color);

// The pattern grid of an item: pattern k is the PW x PH rectangle at column k mod columns and
// row k div columns, one step apart. It is computed where it is needed rather than listed, so a
// grid of many patterns costs nothing to keep. Every pattern lies inside the picture.
struct PatternGrid {
  int count = 0;
  int columns = 1;
  int64_t step_x = 0;
  int64_t step_y = 0;
  int width = 0;   // PW
  int height = 0;  // PH

  // k must be in [0, count).
  Rect At(int k) const {
    const int left = static_cast<int>((k % columns) * step_x);
    const int top = static_cast<int>((k / columns) * step_y);
    return Rect{left, top, left + width, top + height};
  }
};

class TPictureCollectionItem {
 public:
  TPictureCollectionItem();
  ~TPictureCollectionItem();

  // Stored properties, with their defaults.
  std::string Name;  // code page 1250
  int32_t PatternHeight = 0;
  int32_t PatternWidth = 0;
  int32_t SkipHeight = 0;
  int32_t SkipWidth = 0;
  bool SystemMemory = false;
  bool Transparent = true;
  Color TransparentColor = 0;

  Picture& picture() { return *picture_; }
  const Picture& picture() const { return *picture_; }
  void SetPicture(std::unique_ptr<Picture> picture);
  // Re-applies the key colour to existing display-ready copies.
  void SetTransparentColor(Color color);

  // The pattern grid, numbered row by row. No patterns for an empty picture or a grid whose
  // step is 0 or less.
  PatternGrid Patterns() const;
  // The same grid as a list of rectangles.
  std::vector<Rect> PatternRects() const;

  // Run-time state owned by the display.
  std::unique_ptr<DisplayCopies> copies;
  bool initialized = false;

 private:
  std::unique_ptr<Picture> picture_;
};

class TPictureCollection {
 public:
  TPictureCollection();
  ~TPictureCollection();

  int Count() const { return items_.Count(); }
  // Fails with "List index out of bounds (%d)".
  TPictureCollectionItem& Items(int index);
  int IndexOfName(std::string_view name) const;  // code page 1250 name
  // Fails with "Image '%s' not found".
  TPictureCollectionItem& FindItemByName(std::string_view name);

  // Fails with "Cannot open file %s" (the path as passed) or the reader's message. A picture
  // over the budget fails the load with a message that names its item; the total counts the
  // pictures of every other collection of the same display too.
  void LoadCollectionFile(const std::string& path);
  void LoadCollectionStream(std::span<const uint8_t> bytes);
  void LoadCollectionStream(InputStream& in);

  // What one load may cost; the fuzzing harnesses set smaller limits.
  PictureBudget budget;
  // The pixels of all the pictures held, by their declared sizes.
  uint64_t DeclaredPixels() const;

  void Clear();
  TPictureCollectionItem& Add();
  // Files the item under its (new) name; called when Name changes.
  void Rename(TPictureCollectionItem& item, std::string_view name);

  void BuildColorTable();
  std::array<uint8_t, 1024> ColorTable{};

  // The image list that owns this collection (for display events after a load).
  TDXImageList* image_list = nullptr;

 private:
  NamedItems<TPictureCollectionItem> items_;
};

}  // namespace kv
