#include "media/name_index.h"

#include <algorithm>

#include "platform/cp1250.h"

namespace kv {

uint8_t NameIndex::Bucket(std::string_view name) {
  const size_t length = name.size();
  unsigned value = static_cast<unsigned>(length) * 16;
  if (length >= 2) {
    value += cp1250::ToLower(static_cast<uint8_t>(name[0]));
    value += cp1250::ToLower(static_cast<uint8_t>(name[length - 2]));
  }
  return static_cast<uint8_t>(value & 0xFF);
}

void NameIndex::Clear() {
  for (auto& chain : buckets_) chain.clear();
}

void NameIndex::File(int index, std::string_view name) {
  auto& chain = buckets_[Bucket(name)];
  chain.insert(chain.begin(), index);
}

void NameIndex::Remove(int index, std::string_view name) {
  auto& chain = buckets_[Bucket(name)];
  std::erase(chain, index);
}

const std::vector<int>& NameIndex::Chain(std::string_view name) const {
  return buckets_[Bucket(name)];
}

}  // namespace kv
