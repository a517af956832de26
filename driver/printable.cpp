#include "driver/printable.h"

#include <cstdint>

namespace kv {
namespace {

// The length of the well-formed UTF-8 sequence at the start of `text`, its code point in `cp`;
// 0 when none starts there.
size_t Utf8Sequence(std::string_view text, char32_t& cp) {
  if (text.empty()) return 0;
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(0);
  if (lead < 0x80) {
    cp = lead;
    return 1;
  }
  size_t length = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    least = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i) & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

void AppendEscaped(std::string& out, std::string_view bytes) {
  constexpr char kHex[] = "0123456789abcdef";
  for (const char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    out += "\\x";
    out += kHex[b >> 4];
    out += kHex[b & 0x0F];
  }
}

}  // namespace

std::string Printable(std::string_view text, size_t max_characters) {
  std::string out;
  size_t characters = 0;
  while (!text.empty()) {
    if (characters == max_characters) return out + "...";
    char32_t cp = 0;
    size_t length = Utf8Sequence(text, cp);
    if (length == 0) {
      AppendEscaped(out, text.substr(0, 1));
      length = 1;
    } else if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) {
      AppendEscaped(out, text.substr(0, length));
    } else {
      out.append(text.substr(0, length));
    }
    text.remove_prefix(length);
    ++characters;
  }
  return out;
}

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    char32_t cp = 0;
    const size_t length = Utf8Sequence(text, cp);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

}  // namespace kv
