#pragma once

// One picture payload kind under the fuzzer: the input is the payload, the harness puts the
// class name in front, loads it and uses the picture as the game would.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "media/picture.h"
#include "platform/error.h"
#include "tools/writer/picture_writer.h"

namespace kv::fuzz {

// Pictures larger than this are read but not decoded.
inline constexpr uint64_t kMaxFuzzDecodePixels = uint64_t{1} << 12;

inline void FuzzPicturePayload(std::string_view class_name, const uint8_t* data, size_t size) {
  const std::vector<uint8_t> value =
      writer::PictureData(class_name, std::span<const uint8_t>(data, size));
  std::unique_ptr<Picture> picture;
  try {
    picture = ReadPicturePayload(value);
  } catch (const Error&) {
    return;
  }
  if (picture->width() < 0 || picture->height() < 0) __builtin_trap();
  // Pictures up to the readers' limit are legal, but decoding the biggest takes seconds; the
  // code paths are the same for small ones, and a small cap keeps every input quick.
  if (uint64_t(picture->width()) * uint64_t(picture->height()) > kMaxFuzzDecodePixels) return;
  try {
    const RgbImage& pixels = picture->Pixels();
    if (!picture->empty() &&
        (pixels.width != picture->width() || pixels.height != picture->height() ||
         pixels.rgb.size() != size_t(pixels.width) * size_t(pixels.height) * 3)) {
      __builtin_trap();
    }
  } catch (const Error&) {
  }
  if (picture->OfferedColors().size() > 256) __builtin_trap();
}

}  // namespace kv::fuzz
