#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 18> h;
  if (!PeekHeader(stream, h)) return false;
  const std::uint8_t imageType = h[2], mapType = h[1], mapEntry = h[7], depth = h[16];
  return OneOf(imageType, {0, 1, 2, 3, 9, 10, 11}) && OneOf(mapType, {0, 1}) && OneOf(mapEntry, {15, 16, 24, 32}) &&
         OneOf(depth, {8, 15, 16, 24, 32});
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("Targa"); }

}  // namespace

const ReaderClass kTargaGraphic{"TTargaGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
