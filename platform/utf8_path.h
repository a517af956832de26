#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The game keeps every file name in UTF-8. std::filesystem reads a plain string in the C
// library's locale, which on Windows is not UTF-8 (not even with the UTF-8 code page the
// program's manifest asks for: "Kervaná" would name "KervanÃ¡"), so names cross into and out of
// it as UTF-8 explicitly.
namespace kv {

inline std::filesystem::path Utf8Path(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

}  // namespace kv
