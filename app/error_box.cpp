#include "app/error_box.h"

#include "media/word_break.h"
#include "platform/cp1250.h"

namespace kv {
namespace {

int Characters(std::string_view utf8) {
  int count = 0;
  for (char byte : utf8) count += (static_cast<uint8_t>(byte) & 0xC0) != 0x80;
  return count;
}

}  // namespace

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && cp1250::SortsAfterFullStop(static_cast<uint8_t>(message.back()))) {
    return message + ".";
  }
  return message;
}

std::string ErrorBoxMessage(const std::string& path, const std::string& message) {
  const std::string text =
      path.empty() ? ErrorBoxText(message) : path + "\n" + ErrorBoxText(message);
  return BreakIntoLines(cp1250::ToUtf8(text), kErrorBoxColumns);
}

std::string BreakIntoLines(std::string_view utf8, int columns) {
  // Continuation bytes count for nothing, so a cut inside a word never splits a character.
  std::string out;
  for (std::string_view line : BreakLines(utf8, columns, Characters)) {
    if (!out.empty()) out += '\n';
    out.append(line);
  }
  return out;
}

}  // namespace kv
