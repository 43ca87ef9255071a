
#include <algorithm>
#include <array>
#include <cstring>

#include "readers/colour_manager.h"
#include "readers/content_test.h"
#include "readers/registered_classes.h"
#include "readers/run_length_decoders.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 18> h;
  if (!PeekHeader(stream, h)) return false;
  const std::uint8_t imageType = h[2], mapType = h[1], mapEntry = h[7], depth = h[16];
  // Most writers leave the entry size 0 when there is no colour map.
  const bool entrySize = OneOf(mapEntry, {15, 16, 24, 32}) || (mapType == 0 && mapEntry == 0);
  return OneOf(imageType, {0, 1, 2, 3, 9, 10, 11}) && OneOf(mapType, {0, 1}) && entrySize &&
         OneOf(depth, {8, 15, 16, 24, 32});
}

constexpr std::string_view kFormat = "Targa";

// The stored bytes are the bitmap's own layout: palette indexes or grey
// levels, 5-5-5 words with red highest, or blue-green-red(-alpha).
PixelFormat FormatFor(int depth) {
  switch (depth) {
    case 8: return PixelFormat::Indexed8;
    case 15:
    case 16: return PixelFormat::Rgb15;
    case 24: return PixelFormat::Bgr24;
    case 32: return PixelFormat::Bgra32;
    default: InvalidImageFormat(kFormat);
  }
}

// Map entries of 15 or 16 bits are 5-5-5 words, of 24 or 32 bits
// blue-green-red (alpha not used). Pixel values count from the map's first
// index, so entry i lands at palette index first + i.
std::vector<PaletteEntry> ReadColourMap(ByteReader& in, int first, int length, int entryBits) {
  const std::size_t entryBytes = entryBits <= 16 ? 2 : entryBits == 24 ? 3 : 4;
  const auto map = in.Bytes(static_cast<std::size_t>(length) * entryBytes);
  std::vector<PaletteEntry> palette(static_cast<std::size_t>(std::clamp(first + length, 0, 256)));
  for (int i = 0; first + i < 256 && i < length; ++i) {
    const std::uint8_t* e = map.data() + static_cast<std::size_t>(i) * entryBytes;
    PaletteEntry& p = palette[static_cast<std::size_t>(first + i)];
    if (entryBytes == 2) {
      const int v = LoadU16LE(e);
      p.red = static_cast<std::uint8_t>((v & 0x7C00) >> 7);
      p.green = static_cast<std::uint8_t>((v & 0x3E0) >> 2);
      p.blue = static_cast<std::uint8_t>((v & 0x1F) << 3);
    } else {
      p.blue = e[0], p.green = e[1], p.red = e[2];
    }
  }
  return palette;
}

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  ByteReader in(bytes);
  const auto h = in.Bytes(18);
  const int mapType = h[1], imageType = h[2], mapEntryBits = h[7], depth = h[16], descriptor = h[17];
  const int width = LoadU16LE(&h[12]), height = LoadU16LE(&h[14]);
  const bool topFirst = (descriptor & 0x20) != 0;
  const bool grey = imageType == 3 || imageType == 11;
  const bool runLength = imageType >= 9;
  if (!OneOf(imageType, {0, 1, 2, 3, 9, 10, 11}) || (mapType == 1 && !OneOf(mapEntryBits, {15, 16, 24, 32})))
    InvalidImageFormat(kFormat);
  const PixelFormat format = FormatFor(depth);
  in.Skip(h[0]);

  std::vector<PaletteEntry> palette;
  if (mapType == 1) palette = ReadColourMap(in, LoadU16LE(&h[3]), LoadU16LE(&h[5]), mapEntryBits);
  if (grey) {
    TColorManager colours;
    colours.SetTarget(ColorLayout::Grey, 8);
    palette = colours.MakeGreyPalette(false);
  }

  AllocatePicture(target, width, height, format);
  if (format == PixelFormat::Indexed8) target.palette() = std::move(palette);
  // A 32-bit picture whose descriptor counts alpha bits carries transparency.
  target.setTransparent(depth == 32 && (descriptor & 0x0F) != 0);

  const std::size_t lineSize = target.rowBytes();
  auto rowAt = [&](int n) { return target.Row(topFirst ? n : height - 1 - n); };
  if (imageType == 0) {
    for (int n = 0; n < height; ++n) std::memset(rowAt(n), 0xFF, lineSize);
  } else if (!runLength) {
    for (int n = 0; n < height; ++n) in.Read(rowAt(n), lineSize);
  } else {
    TTargaRLEDecoder decoder(depth);
    decoder.StartDecoding();
    const auto packed = bytes.subspan(in.position());
    std::size_t at = 0;
    for (int n = 0; n < height; ++n) {
      const DecodedBlock done = decoder.DecodeBlock(packed.subspan(at), std::span(rowAt(n), lineSize));
      if (done.produced < lineSize) ThrowDataEnd();
      at += done.consumed;
    }
    decoder.FinishDecoding();
  }
}

}  // namespace

const ReaderClass kTargaGraphic{"TTargaGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
