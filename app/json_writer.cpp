#include "app/json_writer.h"

#include <cstdio>

namespace kv {

void JsonWriter::String(std::string_view text) {
  out_ += '"';
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    switch (ch) {
      case '"':
        out_ += "\\\"";
        break;
      case '\\':
        out_ += "\\\\";
        break;
      case '\n':
        out_ += "\\n";
        break;
      case '\r':
        out_ += "\\r";
        break;
      case '\t':
        out_ += "\\t";
        break;
      default:
        if (byte < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
          out_ += escaped;
        } else {
          out_ += ch;
        }
    }
  }
  out_ += '"';
}

}  // namespace kv
