#pragma once
// Tiny picture files made in code, for tests.

#include <array>
#include <cstdint>
#include <vector>

#include "core/bitmap.h"

namespace lumivo::test {

using Bgr = std::array<int, 3>;  // blue, green, red

inline Bgr PixelAt(const Bitmap& bitmap, int x, int y) {
  const std::uint8_t* p = bitmap.Row(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

// A bottom-up 24-bit BMP of the bitmap's pixels (the bitmap must be Bgr24).
std::vector<std::uint8_t> MakeBmp(const Bitmap& picture);

// A Bgr24 bitmap where every pixel is (blue, green, red) = f(x, y).
template <typename F>
Bitmap MakeBitmap(int width, int height, F colourAt) {
  Bitmap b;
  (void)b.Create(width, height, PixelFormat::Bgr24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto [blue, green, red] = colourAt(x, y);
      std::uint8_t* p = b.Row(y) + 3 * x;
      p[0] = static_cast<std::uint8_t>(blue);
      p[1] = static_cast<std::uint8_t>(green);
      p[2] = static_cast<std::uint8_t>(red);
    }
  return b;
}

}  // namespace lumivo::test
