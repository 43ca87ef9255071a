#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 10> h;
  if (!PeekHeader(stream, h)) return false;
  return h[0] == 'P' && h[1] >= '1' && h[1] <= '6';
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("Portable Map"); }

}  // namespace

const ReaderClass kPPMGraphic{"TPPMGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
