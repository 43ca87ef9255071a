
#include <array>

#include "readers/content_test.h"
#include "readers/registered_classes.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream&) { return false; }

void Load(std::span<const std::uint8_t>, Bitmap&) { ReaderNotAvailable("Dr. Halo"); }

}  // namespace

const ReaderClass kCUTGraphic{"TCUTGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
