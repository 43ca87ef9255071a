#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 512> h;
  if (!PeekHeader(stream, h)) return false;
  return LoadU16BE(&h[0]) == 474 && OneOf(h[3], {1, 2}) && OneOf(LoadU16BE(&h[4]), {1, 2, 3});
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("SGI"); }

}  // namespace

const ReaderClass kSGIGraphic{"TSGIGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
