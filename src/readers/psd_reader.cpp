#include "core/text_format.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/checked_math.h"
#include "readers/colour_manager.h"
#include "readers/content_test.h"
#include "readers/registered_classes.h"
#include "readers/run_length_decoders.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 26> h;
  if (!PeekHeader(stream, h)) return false;
  return UpperCaseField(std::span(h).first(4)) == "8BPS" && LoadU16BE(&h[4]) == 1;
}

constexpr std::string_view kFormat = "PSD or PDD";

enum ColourMode : int { kBitmap = 0, kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kMultichannel = 7, kDuotone = 8, kLab = 9 };

// How the merged picture's channels become the bitmap: source and target
// layouts and the channels taken (extra spot and alpha channels are skipped).
struct Mapping {
  ColorLayout source, target;
  int channels;
};

Mapping MappingFor(int mode, int channels) {
  switch (mode) {
    case kBitmap: return {ColorLayout::Grey, ColorLayout::Grey, 1};
    case kGrey:
    case kDuotone: return {ColorLayout::Grey, ColorLayout::Grey, 1};
    case kIndexed: return {ColorLayout::Indexed, ColorLayout::Indexed, 1};
    case kRgb:
    case kMultichannel:
      if (channels >= 4) return {ColorLayout::RGBA, ColorLayout::BGRA, 4};
      if (channels == 3) return {ColorLayout::RGB, ColorLayout::BGR, 3};
      return {ColorLayout::Grey, ColorLayout::Grey, 1};
    case kCmyk: return {ColorLayout::CMYK, ColorLayout::BGR, 4};
    case kLab: return {ColorLayout::CIELab, ColorLayout::BGR, 3};
    default: InvalidImageFormat(kFormat);
  }
}

std::span<const std::uint8_t> Section(ByteReader& in) { return in.Bytes(in.U32BE()); }

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  ByteReader in(bytes);
  const auto h = in.Bytes(26);
  if (UpperCaseField(h.first(4)) != "8BPS") InvalidImageFormat(kFormat);
  const int stored = LoadU16BE(&h[12]);
  const std::uint32_t height = LoadU32BE(&h[14]), width = LoadU32BE(&h[18]);
  const int depth = LoadU16BE(&h[22]), mode = LoadU16BE(&h[24]);
  const Mapping map = MappingFor(mode, stored);
  if (stored < map.channels || (mode == kBitmap ? depth != 1 : depth != 8 && depth != 16))
    throw Failure(FormatText(texts::kInvalidColorFormat, "PSD"));

  TColorManager colours;
  colours.SetSource(map.source, depth);
  colours.SetSourceByteSwap(true);
  colours.SetSourceLabByteRange(true);
  colours.SetTarget(map.target, std::min(depth, 8));
  AllocatePicture(target, width, height, *colours.PixelFormatFor(TColorManager::Side::Target));

  const auto modeData = Section(in);
  if (mode == kIndexed) {
    target.palette() = colours.MakeColourPalette({modeData, static_cast<int>(std::min<std::size_t>(modeData.size() / 3, 256)), 8, true});
  } else if (map.target == ColorLayout::Grey) {
    target.palette() = colours.MakeGreyPalette(mode == kBitmap);
  }
  target.setTransparent(map.channels == 4 && map.source == ColorLayout::RGBA);
  Section(in);  // image resources
  Section(in);  // layers and masks: only the merged picture is read
  const bool packBits = in.U16BE() == 1;

  const std::size_t rowBytes = (static_cast<std::size_t>(width) * static_cast<std::size_t>(depth) + 7) / 8;  // of one plane
  const std::size_t used = static_cast<std::size_t>(map.channels);
  const auto planeSize = CheckedMul(rowBytes, height);
  const auto total = planeSize ? CheckedMul(*planeSize, used) : std::nullopt;
  // PackBits unpacks at most 128 bytes from 2: larger claims cannot be in the file.
  if (!total || *total / 64 > in.remaining()) ThrowDataEnd();
  std::vector<std::uint8_t> planes(CheckAllocation(total, width, height));
  if (packBits) {
    const auto rows = CheckedMul(height, static_cast<std::size_t>(stored));
    if (!rows || *rows > in.remaining() / 2) ThrowDataEnd();
    std::vector<std::uint16_t> sizes(*rows);
    for (auto& size : sizes) size = in.U16BE();
    TPackbitsRLEDecoder decoder;
    for (std::size_t row = 0; row < used * height; ++row) {
      const auto packed = in.Bytes(sizes[row]);
      decoder.DecodeBlock(packed, std::span(planes).subspan(row * rowBytes, rowBytes));
    }
  } else {
    in.Read(planes.data(), *total);
  }
  if (mode == kCmyk)  // Photoshop stores 255 for no ink
    for (std::uint8_t& b : planes) b = static_cast<std::uint8_t>(~b);

  std::array<std::span<const std::uint8_t>, 4> rowPlanes;
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::size_t c = 0; c < used; ++c)
      rowPlanes[c] = std::span(planes).subspan(c * *planeSize + y * rowBytes, rowBytes);
    colours.ConvertRow(std::span(rowPlanes).first(used), std::span(target.Row(static_cast<int>(y)), target.rowBytes()),
                       width);
  }
}

}  // namespace

const ReaderClass kPSDGraphic{"TPSDGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
