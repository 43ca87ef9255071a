#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 36> h;
  if (!PeekHeader(stream, h)) return false;
  return UpperCaseField(std::span(h).first(25)) == "PAINT SHOP PRO IMAGE FILE" && LoadU16LE(&h[32]) >= 3;
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("Paint Shop Pro"); }

}  // namespace

const ReaderClass kPSPGraphic{"TPSPGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
