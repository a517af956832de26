#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/picture.h"
#include "platform/error.h"

namespace kv::test {

// A picture with a different colour in every pixel, so that misplaced rows or columns show.
inline RgbImage PatternImage(int width, int height) {
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.rgb.push_back(static_cast<uint8_t>(x * 37 + y * 11));
      image.rgb.push_back(static_cast<uint8_t>(y * 53 + 7));
      image.rgb.push_back(static_cast<uint8_t>(x * 5 + y * 91 + 3));
    }
  }
  return image;
}

// A picture made of a few colours only, for palette depths.
inline RgbImage FewColourImage(int width, int height, int colours) {
  static const uint8_t kColours[16][3] = {
      {0, 0, 0},    {255, 255, 255}, {200, 10, 10},  {10, 200, 10}, {10, 10, 200}, {1, 2, 3},
      {90, 80, 70}, {255, 0, 255},   {0, 255, 255},  {255, 255, 0}, {17, 34, 51},  {60, 0, 0},
      {0, 60, 0},   {0, 0, 60},      {128, 128, 64}, {64, 128, 128}};
  RgbImage image{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* c = kColours[(x * 3 + y * 5 + x * y) % colours];
      image.rgb.insert(image.rgb.end(), c, c + 3);
    }
  }
  return image;
}

// The message of the kv::Error that `action` throws ("" if it throws none).
inline std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

inline std::string LoadError(const std::vector<uint8_t>& value) {
  return ErrorOf([&] { ReadPicturePayload(value); });
}

}  // namespace kv::test
