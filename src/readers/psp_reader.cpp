#include "core/text_format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "core/checked_math.h"
#include "readers/colour_manager.h"
#include "readers/content_test.h"
#include "readers/inflate_decoder.h"
#include "readers/registered_classes.h"
#include "readers/run_length_decoders.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 36> h;
  if (!PeekHeader(stream, h)) return false;
  return UpperCaseField(std::span(h).first(25)) == "PAINT SHOP PRO IMAGE FILE" && LoadU16LE(&h[32]) >= 3;
}

constexpr std::string_view kFormat = "Paint Shop Pro";

enum BlockId : int { kImageAttributes = 0, kPalette = 4, kLayerBank = 5, kLayer = 6, kChannel = 7 };
enum Compression : int { kNone = 0, kRunLength = 1, kDeflate = 2 };

// A block: "~BK\0", its id, and from version 4 on its length; version 3
// files also give the length of the block's first chunk, which later
// versions put at the start of the chunk itself.
struct Block {
  int id = -1;
  std::span<const std::uint8_t> data;
  std::span<const std::uint8_t> firstChunk;  // the block's information chunk
  std::span<const std::uint8_t> rest;        // what follows that chunk
};

std::optional<Block> NextBlock(ByteReader& in, int major) {
  if (in.remaining() < 10) return std::nullopt;
  const auto magic = in.Bytes(4);
  if (std::memcmp(magic.data(), "~BK\0", 4) != 0) InvalidImageFormat(kFormat);
  Block block;
  block.id = in.U16LE();
  std::uint32_t chunkSize = 0;
  if (major <= 3) chunkSize = in.U32LE();
  block.data = in.Bytes(in.U32LE());
  ByteReader inside(block.data);
  if (major > 3) {
    chunkSize = inside.U32LE();
    inside.Seek(0);
  }
  block.firstChunk = inside.Bytes(std::min<std::size_t>(chunkSize, block.data.size()));
  block.rest = block.data.subspan(block.firstChunk.size());
  return block;
}

// The fields of a version 3 chunk start at its beginning, later ones after
// the chunk's own length.
ByteReader Fields(std::span<const std::uint8_t> chunk, int major) {
  ByteReader fields(chunk);
  if (major > 3) fields.Skip(4);
  return fields;
}

struct Attributes {
  int width = 0, height = 0, compression = 0, depth = 0;
  bool grey = false;
};

Attributes ReadAttributes(const Block& block, int major) {
  ByteReader in = Fields(block.firstChunk, major);
  Attributes a;
  a.width = static_cast<int>(in.U32LE());
  a.height = static_cast<int>(in.U32LE());
  in.Skip(9);  // resolution and its unit
  a.compression = in.U16LE();
  a.depth = in.U16LE();
  in.Skip(6);  // planes and colour count
  a.grey = in.U8() != 0;
  return a;
}

std::vector<PaletteEntry> ReadPalette(const Block& block, int major) {
  ByteReader count = Fields(block.firstChunk, major);
  const std::uint32_t entries = std::min<std::uint32_t>(count.U32LE(), 256);
  ByteReader in(major > 3 ? block.rest : block.firstChunk.subspan(4));
  std::vector<PaletteEntry> palette(entries);
  for (PaletteEntry& e : palette) {
    e.blue = in.U8(), e.green = in.U8(), e.red = in.U8();
    in.Skip(1);
  }
  return palette;
}

// One channel's bytes, unpacked to `size` bytes.
std::vector<std::uint8_t> Unpack(std::span<const std::uint8_t> packed, std::size_t size, int compression) {
  std::vector<std::uint8_t> unpacked(size);
  DecodedBlock done;
  if (compression == kNone) {
    done.produced = std::min(size, packed.size());
    std::copy_n(packed.data(), done.produced, unpacked.data());  // no memcpy: both may be empty
  } else if (compression == kRunLength) {
    done = TPSPRLEDecoder().DecodeBlock(packed, unpacked);
  } else if (compression == kDeflate) {
    TLZ77Decoder decoder(4, false);
    decoder.StartDecoding();
    done = decoder.DecodeBlock(packed, unpacked);
    decoder.FinishDecoding();
  } else {
    throw Failure(FormatText(texts::kSchemeNotSupported, texts::kCompressionSchemeIs, kFormat));
  }
  if (done.produced < size) ThrowDataEnd();
  return unpacked;
}

// The first layer: its place on the canvas and its channels, laid into the
// picture. 8-bit pictures have one channel (palette indexes or grey levels),
// 24-bit ones red, green and blue; masks and other channels are skipped.
void ReadFirstLayer(const Block& bank, int major, const Attributes& a, Bitmap& target) {
  ByteReader blocks(bank.data);
  std::optional<Block> layer;
  while ((layer = NextBlock(blocks, major)) && layer->id != kLayer) {}
  if (!layer) InvalidImageFormat(kFormat);

  // The layer's rectangle follows its name: a 256-byte field in version 3,
  // a counted one later.
  ByteReader info = Fields(layer->firstChunk, major);
  info.Skip(major > 3 ? info.U16LE() : 256);
  info.Skip(1);
  const auto left = static_cast<std::int32_t>(info.U32LE()), top = static_cast<std::int32_t>(info.U32LE());
  const auto right = static_cast<std::int32_t>(info.U32LE()), bottom = static_cast<std::int32_t>(info.U32LE());
  if (left < 0 || top < 0 || right < left || bottom < top || right > a.width || bottom > a.height)
    InvalidImageFormat(kFormat);
  const std::size_t w = static_cast<std::size_t>(right - left), h = static_cast<std::size_t>(bottom - top);

  ByteReader channels(layer->rest);
  if (major > 3) channels.Seek(channels.U32LE());  // past the bitmap and channel counts
  const int bytesPerPixel = a.depth == 24 ? 3 : 1;
  const auto stride = static_cast<std::size_t>(BitsPerPixel(target.format()) / 8);
  while (const std::optional<Block> channel = NextBlock(channels, major)) {
    if (channel->id != kChannel) continue;
    ByteReader c = Fields(channel->firstChunk, major);
    c.Skip(4);
    const std::size_t size = c.U32LE();
    const int bitmapType = c.U16LE(), channelType = c.U16LE();
    if (bitmapType != 0 || (bytesPerPixel == 3 ? channelType < 1 || channelType > 3 : channelType != 0)) continue;
    // Uncompressed one-byte rows are padded to four bytes.
    const std::size_t rowBytes = a.compression == kNone && bytesPerPixel == 1 ? (w + 3) / 4 * 4 : w;
    if (size != rowBytes * h) InvalidImageFormat(kFormat);
    const std::vector<std::uint8_t> samples = Unpack(channel->rest, size, a.compression);
    const std::size_t slot = bytesPerPixel == 3 ? static_cast<std::size_t>(3 - channelType) : 0;  // blue first
    for (std::size_t y = 0; y < h; ++y) {
      std::uint8_t* row = target.Row(top + static_cast<int>(y)) + static_cast<std::size_t>(left) * stride + slot;
      const std::uint8_t* source = samples.data() + y * rowBytes;
      for (std::size_t x = 0; x < w; ++x) row[x * stride] = source[x];
    }
  }
}

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  ByteReader in(bytes);
  const auto signature = in.Bytes(32);
  if (UpperCaseField(signature.first(25)) != "PAINT SHOP PRO IMAGE FILE") InvalidImageFormat(kFormat);
  const int major = in.U16LE();
  in.Skip(2);

  std::optional<Attributes> attributes;
  std::vector<PaletteEntry> palette;
  while (const std::optional<Block> block = NextBlock(in, major)) {
    if (block->id == kImageAttributes) {
      attributes = ReadAttributes(*block, major);
      const Attributes& a = *attributes;
      if (a.depth != 8 && a.depth != 24) throw Failure(FormatText(texts::kInvalidColorFormat, kFormat));
      AllocatePicture(target, a.width, a.height, a.depth == 24 ? PixelFormat::Bgr24 : PixelFormat::Indexed8);
      std::memset(target.data(), 0xFF, target.stride() * static_cast<std::size_t>(target.height()));
      if (a.grey) {
        TColorManager colours;
        colours.SetTarget(ColorLayout::Grey, 8);
        palette = colours.MakeGreyPalette(false);
      }
    } else if (block->id == kPalette) {
      palette = ReadPalette(*block, major);
    } else if (block->id == kLayerBank) {
      if (!attributes) InvalidImageFormat(kFormat);
      if (attributes->depth == 8) target.palette() = palette;
      ReadFirstLayer(*block, major, *attributes, target);
      return;
    }
  }
  InvalidImageFormat(kFormat);
}

}  // namespace

const ReaderClass kPSPGraphic{"TPSPGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
