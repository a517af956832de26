#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

// How much of an outside text (a script's line, a word of it, a path it names) a message quotes.
constexpr size_t kQuotedCharacters = 100;
// How much of a file's name a message quotes: the whole of any name a person would give.
constexpr size_t kQuotedPathCharacters = 4096;

// Outside text as a message may show it on a terminal: control bytes, the C1 controls and bytes
// that are not UTF-8 written as \xNN, so that no line of a hostile script can move the cursor or
// retitle the maintainer's terminal; cut after `max_characters` characters, "..." marking the cut.
std::string Printable(std::string_view text, size_t max_characters = kQuotedCharacters);

// Whether `text` is well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

}  // namespace kv
