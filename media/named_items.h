#pragma once

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "media/name_index.h"
#include "platform/error.h"

namespace kv {

// The ordered, named items of a collection (pictures or sounds) with their name index: items
// are numbered from 0 in file order, and a lookup by name finds the one named last.
template <typename Item>
class NamedItems {
 public:
  int Count() const { return static_cast<int>(items_.size()); }

  // Fails with "List index out of bounds (%d)".
  Item& At(int index) const {
    if (index < 0 || index >= Count()) throw Error(Format("List index out of bounds (%d)", index));
    return *items_[static_cast<size_t>(index)];
  }

  // The index of the item named `name` (code page 1250, any letter case), or -1.
  int IndexOfName(std::string_view name) const { return index_.Find(name); }

  // Appends an item, filed under its (normally empty) name.
  Item& Add(std::unique_ptr<Item> item) {
    items_.push_back(std::move(item));
    index_.File(Count() - 1, items_.back()->Name);
    return *items_.back();
  }

  // Names the item anew and files it under the new name.
  void Rename(Item& item, std::string_view name) {
    if (item.Name == name) return;
    // Renames happen while an item is read, so the item is nearly always the last one.
    auto found = std::find_if(items_.rbegin(), items_.rend(),
                              [&](const auto& candidate) { return candidate.get() == &item; });
    if (found == items_.rend()) {
      item.Name = name;
      return;
    }
    const int index = static_cast<int>(std::distance(found, items_.rend())) - 1;
    index_.Remove(index, item.Name);
    item.Name = name;
    index_.File(index, item.Name);
  }

  void Clear() {
    items_.clear();
    index_.Clear();
  }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<std::unique_ptr<Item>> items_;
  NameIndex index_;
};

}  // namespace kv
