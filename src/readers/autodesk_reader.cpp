#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 32> h;
  if (!PeekHeader(stream, h)) return false;
  return LoadU16LE(&h[0]) == 0x9119 && h[10] == 8 && h[11] == 0;
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("Autodesk"); }

}  // namespace

const ReaderClass kAutodeskGraphic{"TAutodeskGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
