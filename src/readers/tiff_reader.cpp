#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 8> h;
  const auto remaining = PeekHeader(stream, h);
  if (!remaining) return false;
  const bool little = h[0] == 'I' && h[1] == 'I', big = h[0] == 'M' && h[1] == 'M';
  if (!little && !big) return false;
  const std::uint16_t magic = big ? LoadU16BE(&h[2]) : LoadU16LE(&h[2]);
  const std::uint32_t firstDirectory = big ? LoadU32BE(&h[4]) : LoadU32LE(&h[4]);
  return magic == 42 && firstDirectory < *remaining;
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("TIFF"); }

}  // namespace

const ReaderClass kTIFFGraphic{"TTIFFGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
