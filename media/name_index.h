#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kv {

// The 256-bucket name index shared by image and sound collections. Items are filed under the
// bucket of their lower-cased (code page 1250) name, at the head of its chain, so when several
// items share a name the one named last is found first.
class NameIndex {
 public:
  // The bucket of a name: (L * 16 + s[0] + s[L-2]) mod 256 for L >= 2, else (L * 16) mod 256,
  // with s the lower-cased name and L its length in bytes.
  static uint8_t Bucket(std::string_view name);

  void Clear();
  // Files item `index` under `name` (at the head of the bucket's chain).
  void File(int index, std::string_view name);
  // Takes item `index` out of the chain it was filed in under `name`.
  void Remove(int index, std::string_view name);
  // The item indexes of the bucket of `name`, head first.
  const std::vector<int>& Chain(std::string_view name) const;

 private:
  std::array<std::vector<int>, 256> buckets_;
};

}  // namespace kv
