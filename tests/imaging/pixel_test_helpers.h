#pragma once
// Small pixel fixtures shared by the colouring and watermark tests.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "core/bitmap.h"
#include "support/picture_files.h"

namespace lumivo::test {

inline Bitmap Filled(int width, int height, std::uint8_t value) {
  Bitmap bitmap;
  (void)bitmap.Create(width, height, PixelFormat::Bgr24, value);
  return bitmap;
}

// The smallest rectangle holding every pixel that differs (right and bottom
// inclusive), or nothing when the two are equal.
struct Box {
  int left, top, right, bottom;
  friend bool operator==(const Box&, const Box&) = default;
};

inline std::optional<Box> ChangedBox(const Bitmap& before, const Bitmap& after) {
  std::optional<Box> box;
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) {
      if (PixelAt(before, x, y) == PixelAt(after, x, y)) continue;
      if (!box) box = Box{x, y, x, y};
      box->left = std::min(box->left, x);
      box->top = std::min(box->top, y);
      box->right = std::max(box->right, x);
      box->bottom = std::max(box->bottom, y);
    }
  return box;
}

}  // namespace lumivo::test
