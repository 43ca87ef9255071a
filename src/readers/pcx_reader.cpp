#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 128> h;
  if (!PeekHeader(stream, h)) return false;
  return OneOf(h[0], {10, 12}) && OneOf(h[1], {0, 2, 3, 5}) && OneOf(h[2], {0, 1});
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("PCX"); }

}  // namespace

const ReaderClass kPCXGraphic{"TPCXGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
