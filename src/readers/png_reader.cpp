#include <libdeflate.h>

#include <array>
#include <cstring>
#include <new>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_reader.h"
#include "core/checked_math.h"
#include "core/pixel_memory.h"
#include "core/text_format.h"
#include "readers/colour_manager.h"
#include "readers/content_test.h"
#include "readers/inflate_decoder.h"
#include "readers/png_filters.h"
#include "readers/registered_classes.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

// Deflate turns one byte into at most 1032; image data needing more than
// that from what the file holds cannot be there, whatever its header says.
constexpr std::size_t kMostInflation = 1032;

[[noreturn]] void Fail(std::string_view text) { throw Failure(FormatText(text, "PNG")); }

constexpr std::uint32_t ChunkType(const char (&name)[5]) {
  return static_cast<std::uint32_t>(name[0]) << 24 | static_cast<std::uint32_t>(name[1]) << 16 |
         static_cast<std::uint32_t>(name[2]) << 8 | static_cast<std::uint32_t>(name[3]);
}

struct Chunk {
  std::uint32_t type = 0;
  std::span<const std::uint8_t> typeBytes;
  std::span<const std::uint8_t> data;
};

// Walks the chunks; a chunk's data is checked against its CRC only when
// the reader uses it.
class ChunkWalker {
 public:
  explicit ChunkWalker(std::span<const std::uint8_t> bytes) : reader_(bytes) {}

  bool AtEnd() const { return reader_.remaining() == 0; }
  std::size_t remaining() const { return reader_.remaining(); }

  Chunk Next() {
    const std::uint32_t length = reader_.U32BE();
    Chunk chunk;
    chunk.typeBytes = reader_.Bytes(4);
    chunk.type = LoadU32BE(chunk.typeBytes.data());
    chunk.data = reader_.Bytes(length);
    crc_ = reader_.Bytes(4);
    return chunk;
  }

  // The CRC covers the type and the data.
  void Check(const Chunk& chunk) const {
    std::uint32_t crc = libdeflate_crc32(0, chunk.typeBytes.data(), 4);
    crc = libdeflate_crc32(crc, chunk.data.data(), chunk.data.size());
    if (crc != LoadU32BE(crc_.data())) Fail(texts::kCrcError);
  }

 private:
  ByteReader reader_;
  std::span<const std::uint8_t> crc_;
};

struct Header {
  std::uint32_t width = 0, height = 0;
  int depth = 0;
  int colourType = 0;
  bool interlaced = false;
};

int ChannelsOf(int colourType) {
  switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

bool ValidColourFormat(int colourType, int depth) {
  switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
  }
}

Header ReadHeader(ChunkWalker& chunks) {
  const Chunk ihdr = chunks.Next();
  if (ihdr.type != ChunkType("IHDR") || ihdr.data.size() != 13) Fail(texts::kInvalidImageFormat);
  chunks.Check(ihdr);
  Header header;
  header.width = LoadU32BE(ihdr.data.data());
  header.height = LoadU32BE(ihdr.data.data() + 4);
  header.depth = ihdr.data[8];
  header.colourType = ihdr.data[9];
  // An interlace method other than Adam7 would leave the picture unread.
  constexpr std::uint32_t kLargest = 0x7FFFFFFF;
  if (header.width == 0 || header.height == 0 || header.width > kLargest || header.height > kLargest ||
      ihdr.data[12] > 1)
    Fail(texts::kInvalidImageFormat);
  if (ihdr.data[10] != 0)
    throw Failure(FormatText(texts::kSchemeNotSupported, texts::kCompressionSchemeIs, "PNG"));
  if (!ValidColourFormat(header.colourType, header.depth)) Fail(texts::kInvalidColorFormat);
  header.interlaced = ihdr.data[12] == 1;
  return header;
}

struct Pass {
  std::uint32_t firstRow, firstColumn, rowStep, columnStep;
  std::uint8_t mask;
};
constexpr Pass kAdam7[7] = {
    {0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
    {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF},
};
constexpr Pass kWhole = {0, 0, 1, 1, 0xFF};

std::uint32_t Span(std::uint32_t size, std::uint32_t first, std::uint32_t step) {
  return size > first ? (size - first + step - 1) / step : 0;
}

// What the chunks before the image data said.
struct Ancillary {
  std::span<const std::uint8_t> palette;
  std::span<const std::uint8_t> transparency;
  std::optional<double> fileGamma;
};

class PngLoader {
 public:
  PngLoader(const Header& header, const Ancillary& extra, Bitmap& target)
      : header_(header), extra_(extra), target_(target) {}

  void Decode(std::span<const std::uint8_t> packed);

 private:
  void SetUpConversion();
  std::size_t RowBytes(std::uint32_t pixels) const;
  void ConvertRows(std::uint8_t* data, const Pass& pass);
  void ClearKeyedPixels(const std::uint8_t* row, std::uint32_t y, const Pass& pass, std::uint32_t pixels);

  const Header& header_;
  const Ancillary& extra_;
  Bitmap& target_;
  TColorManager colours_;
  std::optional<std::array<std::uint16_t, 3>> colourKey_;  // tRNS of grey 16 and RGB
};

std::size_t PngLoader::RowBytes(std::uint32_t pixels) const {
  const auto bits = CheckedMul(pixels, static_cast<std::size_t>(header_.depth * ChannelsOf(header_.colourType)));
  if (!bits) throw TooLarge(FormatText(texts::kPictureTooLarge, header_.width, header_.height));
  return (*bits + 7) / 8;
}

void PngLoader::SetUpConversion() {
  const int depth = header_.depth;
  const int type = header_.colourType;
  colours_.SetSourceByteSwap(true);
  if (extra_.fileGamma) colours_.SetGamma(2.2, *extra_.fileGamma);
  const auto key = [&](int i) { return LoadU16BE(extra_.transparency.data() + 2 * i); };

  PixelFormat format = PixelFormat::Bgra32;
  switch (type) {
    case 0:
    case 3: {
      const ColorLayout layout = type == 0 ? ColorLayout::Grey : ColorLayout::Indexed;
      colours_.SetSource(layout, depth);
      if (type == 0 && depth == 16 && extra_.transparency.size() >= 2) {
        // Too many levels for a palette to mark one transparent.
        colours_.SetTarget(ColorLayout::BGRA, 8);
        const std::uint16_t grey = key(0);
        colourKey_ = {grey, grey, grey};
        break;
      }
      colours_.SetTarget(layout, depth == 2 ? 4 : std::min(depth, 8));
      format = *colours_.PixelFormatFor(TColorManager::Side::Target);
      break;
    }
    case 2:
      colours_.SetSource(ColorLayout::RGB, depth);
      if (extra_.transparency.size() >= 6) {
        colours_.SetTarget(ColorLayout::BGRA, 8);
        colourKey_ = {key(0), key(1), key(2)};
      } else {
        colours_.SetTarget(ColorLayout::BGR, 8);
        format = PixelFormat::Bgr24;
      }
      break;
    case 4: colours_.SetSource(ColorLayout::GreyAlpha, depth); colours_.SetTarget(ColorLayout::BGRA, 8); break;
    default: colours_.SetSource(ColorLayout::RGBA, depth); colours_.SetTarget(ColorLayout::BGRA, 8); break;
  }
  colours_.Prepare();

  AllocatePicture(target_, header_.width, header_.height, format);
  const bool transparent = type == 4 || type == 6 || colourKey_ || !extra_.transparency.empty();
  if (type == 3) {
    if (extra_.palette.empty()) Fail(texts::kInvalidPalette);
    target_.palette() = colours_.MakeColourPalette({extra_.palette, static_cast<int>(extra_.palette.size() / 3)});
    const std::size_t alphas = std::min(extra_.transparency.size(), target_.palette().size());
    for (std::size_t i = 0; i < alphas; ++i) target_.palette()[i].alpha = extra_.transparency[i];
  } else if (type == 0 && !colourKey_) {
    target_.palette() = colours_.MakeGreyPalette(false);
    if (extra_.transparency.size() >= 2) {
      const unsigned grey = key(0);
      const unsigned index = depth == 2 ? grey * 5 : grey;  // 2-bit levels sit on the 4-bit palette
      if (grey < (1u << depth) && index < target_.palette().size()) target_.palette()[index].alpha = 0;
    }
  }
  target_.setTransparent(transparent);
}

void PngLoader::ClearKeyedPixels(const std::uint8_t* row, std::uint32_t y, const Pass& pass, std::uint32_t pixels) {
  const std::array<std::uint16_t, 3>& key = *colourKey_;
  const int samples = ChannelsOf(header_.colourType);
  std::uint8_t* out = target_.Row(static_cast<int>(y));
  for (std::uint32_t i = 0; i < pixels; ++i) {
    bool match = true;
    for (int s = 0; s < samples; ++s) {
      const std::size_t at = static_cast<std::size_t>(i) * samples + s;
      const unsigned value = header_.depth == 16 ? LoadU16BE(row + 2 * at) : row[at];
      match = match && value == key[s];
    }
    if (match) out[4 * (pass.firstColumn + static_cast<std::size_t>(i) * pass.columnStep) + 3] = 0;
  }
}

void PngLoader::ConvertRows(std::uint8_t* data, const Pass& pass) {
  const std::uint32_t pixels = Span(header_.width, pass.firstColumn, pass.columnStep);
  const std::uint32_t rows = Span(header_.height, pass.firstRow, pass.rowStep);
  if (pixels == 0 || rows == 0) return;
  const std::size_t rowBytes = RowBytes(pixels);
  const auto bpp = static_cast<std::size_t>(std::max(1, header_.depth * ChannelsOf(header_.colourType) / 8));
  std::span<const std::uint8_t> prior;
  for (std::uint32_t j = 0; j < rows; ++j) {
    std::uint8_t* line = data + static_cast<std::size_t>(j) * (rowBytes + 1);
    const std::span<std::uint8_t> row(line + 1, rowBytes);
    UnfilterPngRow(line[0], row, prior, bpp);
    const std::uint32_t y = pass.firstRow + j * pass.rowStep;
    const std::span<std::uint8_t> out(target_.Row(static_cast<int>(y)), target_.rowBytes());
    colours_.ConvertRow(std::span<const std::uint8_t>(row), out, header_.width, pass.mask);
    if (colourKey_) ClearKeyedPixels(row.data(), y, pass, pixels);
    prior = row;
  }
}

void PngLoader::Decode(std::span<const std::uint8_t> packed) {
  if (Status size = CheckPictureSize(header_.width, header_.height); !size) throw TooLarge(size.message());
  const std::span<const Pass> passes = header_.interlaced ? std::span<const Pass>(kAdam7) : std::span(&kWhole, 1);
  std::size_t total = 0;
  for (const Pass& pass : passes) {
    const std::uint32_t pixels = Span(header_.width, pass.firstColumn, pass.columnStep);
    const std::uint32_t rows = Span(header_.height, pass.firstRow, pass.rowStep);
    if (pixels == 0 || rows == 0) continue;
    const auto bytes = CheckedMul(RowBytes(pixels) + 1, rows);
    const auto sum = bytes ? CheckedAdd(total, *bytes) : std::nullopt;
    if (!sum) throw TooLarge(FormatText(texts::kPictureTooLarge, header_.width, header_.height));
    total = *sum;
  }
  const auto most = CheckedMul(packed.size(), kMostInflation);
  if (most && total > *most + 1024) Fail(texts::kImageDataEndsEarly);
  SetUpConversion();

  const PixelMemory data = AllocatePixelMemory(total);
  if (!data) throw std::bad_alloc();
  const InflateResult inflated = InflateWhole(packed, std::span(data.get(), total));
  switch (inflated.outcome) {
    case InflateOutcome::Complete:
      if (inflated.consumed < packed.size()) Fail(texts::kExtraCompressedData);
      break;
    case InflateOutcome::Overlong: break;  // the picture is whole; what follows is not ours
    case InflateOutcome::Short: Fail(texts::kExtraCompressedData);
    case InflateOutcome::Truncated: Fail(texts::kImageDataEndsEarly);
    case InflateOutcome::Broken: Fail(texts::kCompressionError);
  }

  std::uint8_t* at = data.get();
  for (const Pass& pass : passes) {
    const std::uint32_t pixels = Span(header_.width, pass.firstColumn, pass.columnStep);
    const std::uint32_t rows = Span(header_.height, pass.firstRow, pass.rowStep);
    if (pixels == 0 || rows == 0) continue;
    ConvertRows(at, pass);
    at += (RowBytes(pixels) + 1) * rows;
  }
}

bool Critical(const Chunk& chunk) { return (chunk.typeBytes[0] & 0x20) == 0; }

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) {
  if (bytes.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()))
    Fail(texts::kInvalidImageFormat);
  ChunkWalker chunks(bytes.subspan(8));
  const Header header = ReadHeader(chunks);
  Ancillary extra;
  bool decoded = false;

  // A file cut off after complete image data still gives its picture.
  while (!(decoded && chunks.remaining() < 12)) {
    Chunk chunk = chunks.Next();
    switch (chunk.type) {
      case ChunkType("IEND"): break;
      case ChunkType("IDAT"): {
        chunks.Check(chunk);
        if (decoded) continue;
        // The image data runs over all IDAT chunks in a row, empty ones too.
        std::vector<std::span<const std::uint8_t>> parts = {chunk.data};
        std::size_t packedSize = chunk.data.size();
        while (chunks.remaining() >= 12) {
          ChunkWalker peek = chunks;
          const Chunk next = peek.Next();
          if (next.type != ChunkType("IDAT")) break;
          peek.Check(next);
          chunks = peek;
          if (next.data.empty()) continue;
          parts.push_back(next.data);
          packedSize += next.data.size();
        }
        std::span<const std::uint8_t> packed = chunk.data;
        PixelMemory joined;
        if (packedSize != chunk.data.size()) {
          joined = AllocatePixelMemory(packedSize);
          if (!joined) throw std::bad_alloc();
          std::size_t at = 0;
          for (const auto& part : parts) {
            std::memcpy(joined.get() + at, part.data(), part.size());
            at += part.size();
          }
          packed = std::span(joined.get(), packedSize);
        }
        PngLoader(header, extra, target).Decode(packed);
        decoded = true;
        continue;
      }
      case ChunkType("PLTE"):
        if (chunk.data.size() % 3 != 0) Fail(texts::kInvalidPalette);
        chunks.Check(chunk);
        if (!decoded) extra.palette = chunk.data;
        continue;
      case ChunkType("gAMA"):
        chunks.Check(chunk);
        if (chunk.data.size() < 4) Fail(texts::kInvalidImageFormat);
        if (!decoded) extra.fileGamma = LoadU32BE(chunk.data.data()) / 100000.0;
        continue;
      case ChunkType("bKGD"):  // the picture covers its background whole: checked, not needed
        chunks.Check(chunk);
        continue;
      case ChunkType("tRNS"):
        chunks.Check(chunk);
        if (!decoded && header.colourType != 4 && header.colourType != 6) extra.transparency = chunk.data;
        continue;
      default:
        if (Critical(chunk)) throw Failure(std::string(texts::kPngCriticalChunk));
        continue;
    }
    break;  // IEND
  }
  if (!decoded) Fail(texts::kInvalidImageFormat);
}

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 8> h;
  if (!PeekHeader(stream, h)) return false;
  return std::equal(std::begin(kSignature), std::end(kSignature), h.begin());
}

}  // namespace

const ReaderClass kPNGGraphic{"TPNGGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
