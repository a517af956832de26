#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "media/input_stream.h"

namespace kv {

// A data file opened for an InputStream, read only as far as its reader asks. Fails with
// "Cannot open file %s" (the path as passed) when the file cannot be opened as a regular
// file; a read that fails later ends the stream early ("Stream read error").
class FileSource final : public ByteSource {
 public:
  explicit FileSource(const std::string& path);

  // The file's size when it was opened.
  uint64_t size() const { return size_; }
  size_t Read(uint8_t* into, size_t n) override;

 private:
  std::unique_ptr<FILE, int (*)(FILE*)> file_;
  uint64_t size_ = 0;
};

}  // namespace kv
