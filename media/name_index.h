#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kv {

// The name index shared by image and sound collections. A lookup finds, among the items whose
// name equals the wanted one without regard to code page 1250 letter case, the one filed last.
//
// The classic form of this index is 256 buckets of chains with the newest item at the head;
// its bucket number is kept below for what it documents. Chains keyed by the folded name give
// the same answers without the two ways that form degrades under hostile files: filing at the
// head of a long chain is linear (a million unnamed items share one chain), and a lookup walks
// every item whose name happens to share the bucket.
class NameIndex {
 public:
  // The classic bucket of a name: (L * 16 + s[0] + s[L-2]) mod 256 for L >= 2, else
  // (L * 16) mod 256, with s the lower-cased name and L its length in bytes.
  static uint8_t Bucket(std::string_view name);

  void Clear();
  // Files item `index` under `name`; it is found before every item filed earlier.
  void File(int index, std::string_view name);
  // Takes item `index` out of the chain it was filed in under `name`. The item filed last is
  // found at once, which is the case while a file is read (only its current item is renamed).
  void Remove(int index, std::string_view name);
  // The item filed last under a name equal to `name` in any letter case, or -1.
  int Find(std::string_view name) const;

 private:
  struct FoldedHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // Oldest first: the back of each chain is its head.
  std::unordered_map<std::string, std::vector<int>, FoldedHash, FoldedEqual> chains_;
};

}  // namespace kv
