#include "core/text_format.h"

#include <array>
#include <cstring>
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
  std::array<std::uint8_t, 128> h;
  if (!PeekHeader(stream, h)) return false;
  return OneOf(h[0], {10, 12}) && OneOf(h[1], {0, 2, 3, 5}) && OneOf(h[2], {0, 1});
}

constexpr std::string_view kFormat = "PCX";
constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kTrailerSize = 769;  // the byte 12 and 256 red-green-blue triples

// The platform's standard 16 colours, for files of version 3 (no palette).
constexpr std::array<std::uint8_t, 48> kStandardColours = {
    0,   0,   0,   128, 0,   0,   0,   128, 0,   128, 128, 0,   0,   0,   128, 128, 0,   128, 0,   128, 128, 192, 192, 192,
    128, 128, 128, 255, 0,   0,   0,   255, 0,   255, 255, 0,   0,   0,   255, 255, 0,   255, 0,   255, 255, 255, 255, 255};

// Four one-bit planes make 4-bit pixels, plane k giving bit k. Each plane
// byte spreads into eight nibbles, so a group of eight pixels is four ORs.
void AssemblePlanes(const std::uint8_t* line, std::size_t planeBytes, std::uint8_t* row, std::size_t rowBytes) {
  static const auto kSpread = [] {
    std::array<std::uint32_t, 256> table{};
    for (unsigned b = 0; b < 256; ++b)
      for (unsigned i = 0; i < 8; ++i)
        if (b & (0x80u >> i)) table[b] |= 1u << (28 - 4 * i);
    return table;
  }();
  for (std::size_t group = 0; group * 4 < rowBytes; ++group) {
    const std::uint32_t pixels = kSpread[line[group]] | kSpread[line[planeBytes + group]] << 1 |
                                 kSpread[line[2 * planeBytes + group]] << 2 | kSpread[line[3 * planeBytes + group]] << 3;
    for (std::size_t i = 0; i < 4 && group * 4 + i < rowBytes; ++i)
      row[group * 4 + i] = static_cast<std::uint8_t>(pixels >> (24 - 8 * i));
  }
}

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  ByteReader in(bytes);
  const auto h = in.Bytes(kHeaderSize);
  if (h[0] != 10 && h[0] != 205) InvalidImageFormat(kFormat);
  const int version = h[1], bits = h[3], planes = h[65];
  const bool runLength = h[2] == 1;
  const int width = LoadU16LE(&h[8]) - LoadU16LE(&h[4]) + 1;
  const int height = LoadU16LE(&h[10]) - LoadU16LE(&h[6]) + 1;
  const std::size_t planeBytes = LoadU16LE(&h[66]);
  const bool greyLevels = LoadU16LE(&h[68]) == 2;
  if (width <= 0 || height <= 0) InvalidImageFormat(kFormat);

  const bool fourPlanes = planes == 4 && bits == 1;
  const bool threePlanes = planes == 3 && bits == 8;
  if (!fourPlanes && !threePlanes && !(planes == 1 && OneOf(bits, {1, 2, 4, 8})))
    throw Failure(FormatText(texts::kInvalidColorFormat, kFormat));
  // A plane line must hold the row's pixels.
  if (planeBytes * 8 < static_cast<std::size_t>(width) * static_cast<std::size_t>(bits)) InvalidImageFormat(kFormat);

  TColorManager colours;
  if (threePlanes) {
    colours.SetSource(ColorLayout::RGB, 8);
    colours.SetTarget(ColorLayout::BGR, 8);
  } else {
    colours.SetSource(ColorLayout::Indexed, bits);
    colours.SetTarget(ColorLayout::Indexed, fourPlanes || bits == 2 ? 4 : bits);
  }
  const PixelFormat format = threePlanes ? PixelFormat::Bgr24 : *colours.PixelFormatFor(TColorManager::Side::Target);
  AllocatePicture(target, width, height, format);

  std::span<const std::uint8_t> data = bytes.subspan(kHeaderSize);
  if (format == PixelFormat::Indexed8) {
    const bool trailer = bytes.size() >= kHeaderSize + kTrailerSize && bytes[bytes.size() - kTrailerSize] == 12;
    if (trailer) {
      data = data.first(data.size() - kTrailerSize);
      target.palette() = colours.MakeColourPalette({bytes.last(kTrailerSize - 1), 256});
    } else if (greyLevels) {
      target.palette() = colours.MakeGreyPalette(false);
    }
  } else if (format == PixelFormat::Indexed1) {
    target.palette() = colours.MakeGreyPalette(false);
  } else if (format == PixelFormat::Indexed4) {
    if (version == 3) {
      target.palette() = colours.MakeColourPalette({kStandardColours, 16});
    } else if (greyLevels) {
      target.palette() = colours.MakeGreyPalette(false);
    } else {
      target.palette() = colours.MakeColourPalette({h.subspan(16, 48), 16});
    }
  }

  const std::size_t lineSize = planeBytes * static_cast<std::size_t>(planes);
  const auto total = CheckedMul(lineSize, static_cast<std::size_t>(height));
  if (!total) ThrowDataEnd();
  std::vector<std::uint8_t> unpacked;
  if (runLength) {
    // A PCX packet unpacks to at most 63 bytes: larger claims cannot be in the file.
    if (*total / 63 > data.size()) ThrowDataEnd();
    unpacked.resize(CheckAllocation(total, width, height));
    if (TPCXRLEDecoder().DecodeBlock(data, unpacked).produced < *total) ThrowDataEnd();
    data = unpacked;
  } else if (data.size() < *total) {
    ThrowDataEnd();
  }

  const std::size_t rowBytes = target.rowBytes();
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* line = data.data() + static_cast<std::size_t>(y) * lineSize;
    std::span<std::uint8_t> row(target.Row(y), rowBytes);
    if (fourPlanes) {
      AssemblePlanes(line, planeBytes, row.data(), rowBytes);
    } else if (threePlanes) {
      const std::array<std::span<const std::uint8_t>, 3> rgb = {std::span(line, planeBytes),
                                                                std::span(line + planeBytes, planeBytes),
                                                                std::span(line + 2 * planeBytes, planeBytes)};
      colours.ConvertRow(rgb, row, static_cast<std::size_t>(width));
    } else {
      colours.ConvertRow(std::span(line, planeBytes), row, static_cast<std::size_t>(width));
    }
  }
}

}  // namespace

const ReaderClass kPCXGraphic{"TPCXGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
