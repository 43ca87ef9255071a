#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 26> h;
  if (!PeekHeader(stream, h)) return false;
  return UpperCaseField(std::span(h).first(4)) == "8BPS" && LoadU16BE(&h[4]) == 1;
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("Photoshop"); }

}  // namespace

const ReaderClass kPSDGraphic{"TPSDGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
