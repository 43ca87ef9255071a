#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 8> h;
  if (!PeekHeader(stream, h)) return false;
  constexpr std::uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  return std::equal(std::begin(kSignature), std::end(kSignature), h.begin());
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("PNG"); }

}  // namespace

const ReaderClass kPNGGraphic{"TPNGGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
