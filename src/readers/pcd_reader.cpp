
#include <array>
#include <cstring>
#include <vector>

#include "readers/colour_manager.h"
#include "readers/content_test.h"
#include "readers/registered_classes.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 2051> h;
  if (!PeekHeader(stream, h, 6144)) return false;
  const std::string_view text(reinterpret_cast<const char*>(h.data()), h.size());
  return text.starts_with("PCD_OPA") || text.substr(2048, 3) == "PCD";
}

constexpr std::string_view kFormat = "Kodak Photo-CD";

// The base image of an image pack: 768 x 512 PhotoYCC, rows in pairs of two
// luma rows followed by the pair's blue and red difference rows.
constexpr int kWidth = 768, kHeight = 512;
constexpr std::size_t kBaseOffset = 0x30000;
constexpr std::size_t kRotationOffset = 0x0E02;

// Turns the upright picture out of the stored one: a quarter turn one way
// or the other, or half a turn.
void Turn(Bitmap& picture, int quarters) {
  if (quarters == 0) return;
  Bitmap turned;
  const bool sideways = quarters != 2;
  AllocatePicture(turned, sideways ? picture.height() : picture.width(), sideways ? picture.width() : picture.height(),
                  PixelFormat::Bgr24);
  const int w = picture.width(), h = picture.height();
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < w; ++x) {
      int tx = w - 1 - x, ty = h - 1 - y;
      if (quarters == 1) tx = y, ty = w - 1 - x;
      if (quarters == 3) tx = h - 1 - y, ty = x;
      std::memcpy(turned.Row(ty) + 3 * tx, row + 3 * x, 3);
    }
  }
  picture = std::move(turned);
}

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  constexpr std::size_t kRowPair = 3 * kWidth;
  if (bytes.size() < kBaseOffset + kRowPair * (kHeight / 2)) {
    if (bytes.size() > kBaseOffset) ThrowDataEnd();
    InvalidImageFormat(kFormat);
  }
  TColorManager colours;
  colours.SetSource(ColorLayout::PhotoYCC, 8);
  colours.SetYCbCrParameters({}, 2, 2);
  colours.SetTarget(ColorLayout::BGR, 8);
  AllocatePicture(target, kWidth, kHeight, PixelFormat::Bgr24);

  // Units of two luma samples, then blue and red difference, for the colour manager.
  std::vector<std::uint8_t> units(static_cast<std::size_t>(kWidth) * 2);
  for (int pair = 0; pair < kHeight / 2; ++pair) {
    const std::uint8_t* at = bytes.data() + kBaseOffset + static_cast<std::size_t>(pair) * kRowPair;
    const std::uint8_t* blue = at + 2 * kWidth;
    const std::uint8_t* red = blue + kWidth / 2;
    for (int line = 0; line < 2; ++line) {
      const std::uint8_t* luma = at + line * kWidth;
      for (int i = 0; i < kWidth / 2; ++i) {
        std::uint8_t* unit = units.data() + 4 * i;
        unit[0] = luma[2 * i], unit[1] = luma[2 * i + 1], unit[2] = blue[i], unit[3] = red[i];
      }
      colours.ConvertRow(units, std::span(target.Row(2 * pair + line), target.rowBytes()), kWidth);
    }
  }
  Turn(target, bytes[kRotationOffset] & 3);
}

}  // namespace

const ReaderClass kPCDGraphic{"TPCDGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
