#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "core/byte_reader.h"
#include "core/checked_math.h"
#include "core/text_format.h"
#include "readers/content_test.h"
#include "readers/gif_lzw_decoder.h"
#include "readers/registered_classes.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kPlainTextLabel = 0x01;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kColourTableFlag = 0x80;
constexpr std::uint8_t kInterlacedFlag = 0x40;
constexpr std::uint8_t kTransparentFlag = 0x01;

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 6> h;
  if (!PeekHeader(stream, h, 22)) return false;
  return UpperCaseField(std::span(h).first(3)) == "GIF";
}

void SkipSubBlocks(ByteReader& reader) {
  while (const std::uint8_t size = reader.U8()) reader.Skip(size);
}

std::vector<PaletteEntry> ReadColourTable(ByteReader& reader, std::uint8_t flags) {
  std::vector<PaletteEntry> palette(std::size_t{2} << (flags & 7));
  for (PaletteEntry& entry : palette) {
    const auto rgb = reader.Bytes(3);
    entry = {rgb[2], rgb[1], rgb[0], 255};
  }
  return palette;
}

// Passes over everything up to the first image; answers false at the trailer.
// Remembers the transparent index the last graphic control before the image
// names, so that the picture can show white there.
bool PassOverExtensions(ByteReader& reader, int& transparentIndex) {
  for (;;) {
    const std::uint8_t byte = reader.U8();
    if (byte == kImageSeparator) return true;
    if (byte == kTrailer) return false;
    if (byte != kExtensionIntroducer) continue;
    const std::uint8_t label = reader.U8();
    if (label == kGraphicControlLabel) {
      const std::uint8_t size = reader.U8();
      const auto block = reader.Bytes(size);
      reader.Skip(1);  // block terminator
      if (size >= 4) transparentIndex = block[0] & kTransparentFlag ? block[3] : -1;
    } else {
      // Plain text blocks are drawn, not the image: their graphic control
      // is not the image's. Every other label, known or not, is a chain of
      // sub-blocks.
      if (label == kPlainTextLabel) transparentIndex = -1;
      SkipSubBlocks(reader);
    }
  }
}

// The image data without its sub-block sizes, in one piece.
std::vector<std::uint8_t> GatherImageData(ByteReader& reader) {
  const std::size_t start = reader.position();
  std::size_t total = 0;
  while (const std::uint8_t size = reader.U8()) {
    reader.Skip(size);
    total += size;
  }
  reader.Seek(start);
  std::vector<std::uint8_t> data(total);
  std::size_t at = 0;
  while (const std::uint8_t size = reader.U8()) {
    reader.Read(data.data() + at, size);
    at += size;
  }
  return data;
}

void MarkTransparent(Bitmap& target, int index) {
  if (index < 0) return;
  auto& palette = target.palette();
  if (palette.size() <= static_cast<std::size_t>(index)) palette.resize(index + 1);
  palette[index].alpha = 0;
  target.setTransparent(true);
}

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  ByteReader reader(bytes);
  if (!reader.has(6) || UpperCaseField(reader.Bytes(3)) != "GIF")
    throw Failure(FormatText(texts::kInvalidImageFormat, "GIF"));
  reader.Skip(3);  // version

  const std::uint16_t screenWidth = reader.U16LE();
  const std::uint16_t screenHeight = reader.U16LE();
  const std::uint8_t screenFlags = reader.U8();
  reader.Skip(2);  // background index, aspect ratio
  std::vector<PaletteEntry> palette;
  if (screenFlags & kColourTableFlag) palette = ReadColourTable(reader, screenFlags);

  int transparentIndex = -1;
  if (!PassOverExtensions(reader, transparentIndex)) return;  // no image: the picture stays empty

  reader.Skip(4);  // left, top
  std::uint16_t width = reader.U16LE();
  std::uint16_t height = reader.U16LE();
  const std::uint8_t imageFlags = reader.U8();
  if (width == 0) width = screenWidth;
  if (height == 0) height = screenHeight;
  if (imageFlags & kColourTableFlag) palette = ReadColourTable(reader, imageFlags);

  const int codeSize = reader.U8();
  const std::vector<std::uint8_t> packed = GatherImageData(reader);
  if (width == 0 || height == 0) return;

  Bitmap picture;
  AllocatePicture(picture, width, height, PixelFormat::Indexed8);
  picture.palette() = std::move(palette);
  MarkTransparent(picture, transparentIndex);

  // Rows the data does not reach stay at index 0.
  TGIFLZWDecoder decoder(codeSize, packed);
  bool more = true;
  auto decodeRow = [&](int y) {
    std::uint8_t* row = picture.Row(y);
    const std::size_t got = more ? decoder.Decode({row, width}) : 0;
    if (got < width) {
      std::memset(row + got, 0, width - got);
      more = false;
    }
  };
  if (imageFlags & kInterlacedFlag) {
    static constexpr std::array<std::array<int, 2>, 4> kPasses{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
    for (const auto [first, step] : kPasses)
      for (int y = first; y < height; y += step) decodeRow(y);
  } else {
    for (int y = 0; y < height; ++y) decodeRow(y);
  }
  target = std::move(picture);
}

}  // namespace

const ReaderClass kGIFGraphic{"TGIFGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
