#pragma once

#include <string>
#include <string_view>

#include "platform/json_text.h"

namespace kv {

// A small JSON builder: callers write keys and values in order; commas are placed for them.
class JsonWriter {
 public:
  void BeginObject() {
    Value();
    out_ += '{';
    first_ = true;
  }
  void EndObject() {
    out_ += '}';
    first_ = false;
  }
  void BeginArray() {
    Value();
    out_ += '[';
    first_ = true;
  }
  void EndArray() {
    out_ += ']';
    first_ = false;
  }

  void Key(std::string_view key) {
    Separator();
    out_ += JsonQuote(key);
    out_ += ':';
    after_key_ = true;
  }
  void Bool(bool value) {
    Value();
    out_ += value ? "true" : "false";
  }
  void Int(long long value) {
    Value();
    out_ += std::to_string(value);
  }
  void Null() {
    Value();
    out_ += "null";
  }
  void Str(std::string_view utf8) {
    Value();
    out_ += JsonQuote(utf8);
  }

  const std::string& str() const { return out_; }

 private:
  void Separator() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  void Value() {
    if (after_key_) {
      after_key_ = false;
    } else {
      Separator();
    }
  }
  std::string out_;
  bool first_ = true;
  bool after_key_ = false;
};

}  // namespace kv
