#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 740> h;
  if (!PeekHeader(stream, h)) return false;
  if (LoadU16BE(&h[26]) != 0xFFFE) return false;
  const std::string space = LowerCaseField(std::span(h).subspan(580, 32));
  return space == "rgb" || space == "xyz";
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("Alias/Wavefront"); }

}  // namespace

const ReaderClass kRLAGraphic{"TRLAGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
