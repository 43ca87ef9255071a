#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 30> h;
  if (!PeekHeader(stream, h)) return false;
  const std::uint64_t position = static_cast<std::uint64_t>(stream.tellg());
  return h[0] == 0xC5 && h[1] == 0xD0 && h[2] == 0xD3 && h[3] == 0xC6 && position + 30 < LoadU32LE(&h[20]) &&
         LoadU32LE(&h[24]) > 0;
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("EPS"); }

}  // namespace

const ReaderClass kEPSGraphic{"TEPSGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
