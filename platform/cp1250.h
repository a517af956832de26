#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Code page 1250 is the game's own text encoding: fixed text fields, item names and data files
// hold its bytes. UTF-8 appears only at the edges (rendering, the state dump, tool arguments).
namespace kv::cp1250 {

// Each byte to its character. Bytes the code page leaves undefined become U+FFFD.
std::string ToUtf8(std::string_view cp1250);

// Converts UTF-8 text; returns false (and leaves out) any character the code page cannot hold.
bool FromUtf8(std::string_view utf8, std::string& out);
// Same, dropping what cannot be held.
std::string FromUtf8(std::string_view utf8);

// The Unicode code point of one byte (U+FFFD for an undefined byte).
char32_t ToUnicode(uint8_t byte);
// The byte of a code point, or -1 when the code page has none.
int FromUnicode(char32_t code_point);

// Letter case by the code page's rules: accented capitals and small letters pair up
// (Š 0x8A / š 0x9A, Č 0xC8 / č 0xE8, ...).
uint8_t ToLower(uint8_t byte);
uint8_t ToUpper(uint8_t byte);
std::string ToLower(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);

// ASCII-only folding, for property and identifier names.
bool EqualAsciiNoCase(std::string_view a, std::string_view b);

// The order the error box uses to decide whether a message needs a closing full stop:
// true when the last character sorts after '.'.
bool SortsAfterFullStop(uint8_t byte);

}  // namespace kv::cp1250
