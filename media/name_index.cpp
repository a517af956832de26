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

// FNV-1a over the lower-cased bytes, so that names equal in any letter case hash alike without
// a folded copy being made for each lookup.
size_t NameIndex::FoldedHash::operator()(std::string_view name) const {
  uint64_t hash = 14695981039346656037ull;
  for (char ch : name) {
    hash ^= cp1250::ToLower(static_cast<uint8_t>(ch));
    hash *= 1099511628211ull;
  }
  return static_cast<size_t>(hash);
}

bool NameIndex::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  return cp1250::EqualNoCase(a, b);
}

void NameIndex::Clear() {
  chains_.clear();
}

void NameIndex::File(int index, std::string_view name) {
  auto found = chains_.find(name);
  if (found == chains_.end()) found = chains_.emplace(std::string(name), std::vector<int>{}).first;
  found->second.push_back(index);
}

void NameIndex::Remove(int index, std::string_view name) {
  const auto found = chains_.find(name);
  if (found == chains_.end()) return;
  std::vector<int>& chain = found->second;
  const auto at = std::find(chain.rbegin(), chain.rend(), index);
  if (at != chain.rend()) chain.erase(std::next(at).base());
  if (chain.empty()) chains_.erase(found);
}

int NameIndex::Find(std::string_view name) const {
  const auto found = chains_.find(name);
  return found == chains_.end() || found->second.empty() ? -1 : found->second.back();
}

}  // namespace kv
