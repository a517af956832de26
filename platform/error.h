#pragma once

#include <stdexcept>
#include <string>

namespace kv {

// Every failure of the game travels as this exception, carrying the exact text the player
// sees. It is caught once, by the message loop, which reports it and goes on.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// printf-style formatting for the game's messages ("Image '%s' not found").
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kv
