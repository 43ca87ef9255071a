#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 6> h;
  if (!PeekHeader(stream, h, 22)) return false;
  return UpperCaseField(std::span(h).first(3)) == "GIF";
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("GIF"); }

}  // namespace

const ReaderClass kGIFGraphic{"TGIFGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
