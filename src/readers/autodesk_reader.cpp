
#include <array>
#include <vector>

#include "readers/content_test.h"
#include "readers/registered_classes.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 32> h;
  if (!PeekHeader(stream, h)) return false;
  return LoadU16LE(&h[0]) == 0x9119 && h[10] == 8 && h[11] == 0;
}

// 256 colours of 6 bits a component, then the pixel indexes from the top row.
void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  ByteReader in(bytes);
  if (in.U16LE() != 0x9119) InvalidImageFormat("Autodesk");
  const int width = in.U16LE(), height = in.U16LE();
  in.Skip(26);
  const auto colours = in.Bytes(768);
  std::vector<PaletteEntry> palette(256);
  for (std::size_t i = 0; i < 256; ++i) {
    const auto widen = [&](std::size_t c) { return static_cast<std::uint8_t>(colours[3 * i + c] << 2); };
    palette[i] = {widen(2), widen(1), widen(0), 255};
  }
  AllocatePicture(target, width, height, PixelFormat::Indexed8);
  target.palette() = std::move(palette);
  for (int y = 0; y < height; ++y) in.Read(target.Row(y), static_cast<std::size_t>(width));
}

}  // namespace

const ReaderClass kAutodeskGraphic{"TAutodeskGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
