#pragma once
// What the reader tests share: loading bytes through the registry as the
// picture loader does, and comparing with pixels another program decoded.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/bitmap.h"
#include "readers/reader_class.h"

namespace lumivo::test {

using Bytes = std::vector<std::uint8_t>;

// The reader class that claims the bytes (nullptr for none), as the loader asks.
const ReaderClass* ClaimingReader(const Bytes& bytes);

// Loads through the claiming reader; fails the test when none claims them.
// Throws what the reader throws.
Bitmap LoadBytes(const Bytes& bytes);

// Loads and turns the picture into BGR over white, as a run would.
Bitmap LoadAsBgr(const Bytes& bytes);

Bytes FileBytes(const std::filesystem::path& file);

// An 8-bit binary PPM ("P6 width height 255" and red-green-blue bytes).
struct RgbPicture {
  int width = 0, height = 0;
  Bytes rgb;
};
RgbPicture ReadPpm(const std::filesystem::path& file);

// The largest difference of any sample, or -1 when the sizes differ.
int LargestDifference(const Bitmap& bgr, const RgbPicture& expected);

}  // namespace lumivo::test
