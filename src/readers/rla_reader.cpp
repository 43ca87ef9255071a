#include "core/text_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "readers/colour_manager.h"
#include "readers/content_test.h"
#include "readers/registered_classes.h"
#include "readers/run_length_decoders.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 740> h;
  if (!PeekHeader(stream, h)) return false;
  if (LoadU16BE(&h[26]) != 0xFFFE) return false;
  const std::string space = LowerCaseField(std::span(h).subspan(580, 32));
  return space == "rgb" || space == "xyz";
}

constexpr std::string_view kFormat = "RLA";
constexpr std::size_t kHeaderSize = 740;

constexpr double kDisplayGamma = 2.2;

// The display gamma the file's samples were made for; without a number, the
// usual display's.
double FileGamma(std::span<const std::uint8_t> field) {
  const std::string text = TextField(field);
  char* end = nullptr;
  const double gamma = std::strtod(text.c_str(), &end);
  return end != text.c_str() && std::isfinite(gamma) && gamma > 0 ? gamma : kDisplayGamma;
}

// Each stored row holds every channel run-length coded on its own, red,
// green and blue first, then the matte. Samples above 8 bits are two
// big-endian bytes.
void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  ByteReader in(bytes);
  const auto h = in.Bytes(kHeaderSize);
  const auto signedAt = [&](std::size_t at) { return static_cast<std::int16_t>(LoadU16BE(&h[at])); };
  const int left = signedAt(8), right = signedAt(10), bottom = signedAt(12), top = signedAt(14);
  const int colourChannels = h[21], matteChannels = LoadU16BE(&h[22]), bits = h[659];
  const std::string space = LowerCaseField(h.subspan(580, 32));
  if (space == "xyz") throw Failure(std::string(texts::kNoConversionMethod));
  if (space != "rgb" || right < left) InvalidImageFormat(kFormat);
  if (colourChannels < 3 || bits == 0 || bits > 16)
    throw Failure(FormatText(texts::kInvalidColorFormat, kFormat));
  const int width = right - left + 1, height = std::abs(top - bottom) + 1;
  const bool bottomUp = bottom < top;
  const bool matte = matteChannels >= 1;
  const int sampleBytes = bits > 8 ? 2 : 1;

  TColorManager colours;
  colours.SetSource(matte ? ColorLayout::RGBA : ColorLayout::RGB, 8 * sampleBytes);
  colours.SetSourceByteSwap(true);
  colours.SetTarget(matte ? ColorLayout::BGRA : ColorLayout::BGR, 8);
  // Samples stored for a display of that gamma show unchanged at 2.2.
  if (const double gamma = FileGamma(h.subspan(28, 16)); gamma != kDisplayGamma) colours.SetGamma(kDisplayGamma, 1 / gamma);
  AllocatePicture(target, width, height, matte ? PixelFormat::Bgra32 : PixelFormat::Bgr24);
  target.setTransparent(matte);

  std::vector<std::uint32_t> offsets(static_cast<std::size_t>(height));
  for (auto& offset : offsets) offset = in.U32BE();
  const std::size_t rowBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(sampleBytes);
  std::vector<std::uint8_t> buffer(rowBytes * 4);
  std::array<std::span<const std::uint8_t>, 4> planes;
  for (std::size_t c = 0; c < 4; ++c) planes[c] = std::span(buffer).subspan(c * rowBytes, rowBytes);
  const int stored = colourChannels + matteChannels;
  TRLADecoder decoder;
  for (int n = 0; n < height; ++n) {
    in.Seek(offsets[static_cast<std::size_t>(n)]);
    std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
    for (int c = 0; c < stored; ++c) {
      const auto packed = in.Bytes(in.U16BE());
      // Colour channels beyond the third and mattes beyond the first are skipped.
      const int slot = c < 3 ? c : c == colourChannels ? 3 : -1;
      if (slot >= 0) decoder.DecodeBlock(packed, std::span(buffer).subspan(static_cast<std::size_t>(slot) * rowBytes, rowBytes));
    }
    colours.ConvertRow(std::span(planes).first(matte ? 4 : 3), std::span(target.Row(bottomUp ? height - 1 - n : n), target.rowBytes()),
                       static_cast<std::size_t>(width));
  }
}

}  // namespace

const ReaderClass kRLAGraphic{"TRLAGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
