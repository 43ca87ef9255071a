#include "readers/reader_classes.h"

#include <array>

#include "readers/content_test.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 2051> h;
  if (!PeekHeader(stream, h, 6144)) return false;
  const std::string_view text(reinterpret_cast<const char*>(h.data()), h.size());
  return text.starts_with("PCD_OPA") || text.substr(2048, 3) == "PCD";
}

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("Kodak Photo-CD"); }

}  // namespace

const ReaderClass kPCDGraphic{"TPCDGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
