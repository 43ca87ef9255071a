#include "core/text_format.h"
#include "readers/registered_classes.h"
#include "readers/tiff_image.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "core/checked_math.h"
#include "readers/ccitt_fax_decoder.h"
#include "readers/content_test.h"
#include "readers/decoder.h"
#include "readers/horizontal_predictor.h"
#include "readers/inflate_decoder.h"
#include "readers/run_length_decoders.h"
#include "readers/thunder_decoder.h"
#include "readers/tiff_directory.h"
#include "readers/tiff_failure.h"
#include "readers/tiff_jpeg_decoder.h"
#include "readers/tiff_lzw_decoder.h"
#include "readers/tiff_properties.h"
#include "readers/tiff_rows.h"
#include "resources/texts.h"

namespace lumivo {

void FailTiff() { throw Failure(FormatText(texts::kInvalidImageFormat, kTiffFormatName)); }

void FailTiffDataMissing() { throw Failure(FormatText(texts::kImageDataEndsEarly, kTiffFormatName)); }

void FailTiffUnsupported(std::string_view what) {
  throw Failure(FormatText(texts::kSchemeNotSupported, what, kTiffFormatName));
}

namespace {

// A deflate strip or tile is one whole zlib stream of known unpacked size,
// inflated in one call; a broken stream keeps what came out of it.
class TiffInflater final : public TDecoder {
 public:
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override {
    const InflateResult result = InflateWhole(packed, unpacked);
    return {result.consumed, result.produced};
  }
};

std::unique_ptr<TDecoder> MakeDecoder(const TiffProperties& p, std::size_t blockRowBytes, std::uint32_t blockWidth) {
  switch (p.compression) {
    case TiffCompression::None: return nullptr;
    case TiffCompression::Lzw: return std::make_unique<TTIFFLZWDecoder>();
    case TiffCompression::Deflate: return std::make_unique<TiffInflater>();
    case TiffCompression::PackBits: return std::make_unique<TPackbitsRLEDecoder>();
    case TiffCompression::ThunderScan: return std::make_unique<TThunderDecoder>(blockRowBytes);
    case TiffCompression::Jpeg: return std::make_unique<TTIFFJPEGDecoder>(p.jpegTables, blockWidth);
    case TiffCompression::ModifiedHuffman:
      return std::make_unique<TCCITTMHDecoder>(p.faxOptions, blockWidth, p.reversedBitOrder);
    case TiffCompression::ModifiedHuffmanWord:
      return std::make_unique<TCCITTMHDecoder>(p.faxOptions, blockWidth, p.reversedBitOrder, true);
    case TiffCompression::Group3:
      return std::make_unique<TCCITTFax3Decoder>(p.faxOptions, blockWidth, p.reversedBitOrder);
    default: break;
  }
  FailTiffUnsupported(texts::kCompressionSchemeIs);
}


// Strips and tiles alike: a grid of blocks, each plane of a planar image
// having its own grid after the previous plane's.
struct BlockGrid {
  std::uint32_t width = 0;   // pixels in a block row
  std::uint32_t across = 1;  // blocks side by side
  std::vector<std::uint32_t> firstRows;  // of every block row, and the height at the end
  std::uint32_t planes = 1;
  std::vector<std::uint32_t> offsets, counts;

  std::uint32_t down() const { return static_cast<std::uint32_t>(firstRows.size() - 1); }
  std::size_t Index(std::uint32_t plane, std::uint32_t row, std::uint32_t column) const {
    return (std::size_t{plane} * down() + row) * across + column;
  }
};

BlockGrid MakeGrid(const TiffDirectory& directory, const TiffProperties& p) {
  BlockGrid grid;
  grid.planes = p.planarConfiguration == 2 ? p.samplesPerPixel : 1;
  grid.offsets = directory.Integers(p.tiled ? kTagTileOffsets : kTagStripOffsets);
  grid.counts = directory.Integers(p.tiled ? kTagTileByteCounts : kTagStripByteCounts);
  // Every block row needs a block; more rows than blocks is data missing,
  // found before a list of rows can grow beyond the file.
  const auto addRow = [&grid](std::uint32_t y) {
    if (grid.firstRows.size() >= grid.offsets.size()) FailTiffDataMissing();
    grid.firstRows.push_back(y);
  };
  if (p.tiled) {
    // Tiles may be larger than the picture, but not without bound.
    const std::uint64_t tilePixels = std::uint64_t{p.tileWidth} * p.tileLength;
    if (tilePixels > std::max<std::uint64_t>(std::uint64_t{4} * p.width * p.height, 1u << 22)) FailTiff();
    grid.width = p.tileWidth;
    grid.across = (p.width + p.tileWidth - 1) / p.tileWidth;
    for (std::uint32_t y = 0; y < p.height; y += std::min(p.tileLength, p.height - y)) addRow(y);
  } else {
    grid.width = p.width;
    std::uint32_t y = 0;
    for (std::size_t i = 0; y < p.height; ++i) {
      addRow(y);
      const std::uint32_t rows = p.rowsPerStrip[std::min(i, p.rowsPerStrip.size() - 1)];
      if (rows == 0) FailTiff();
      y += std::min(rows, p.height - y);
    }
  }
  grid.firstRows.push_back(p.height);
  const auto blocks = CheckedMul(grid.planes, grid.down(), grid.across);
  if (!blocks || grid.offsets.size() < *blocks) FailTiffDataMissing();
  return grid;
}

class TiffImageLoader {
 public:
  TiffImageLoader(std::span<const std::uint8_t> file, const TiffDirectory& directory, const TiffProperties& p,
                  Bitmap& target)
      : file_(file), p_(p), target_(target), grid_(MakeGrid(directory, p)) {}

  void Load();

 private:
  std::span<const std::uint8_t> Packed(std::size_t index, std::size_t needed) const;
  void DecodeBand(std::uint32_t bandRow, std::uint32_t rows);

  std::span<const std::uint8_t> file_;
  const TiffProperties& p_;
  Bitmap& target_;
  BlockGrid grid_;
  TiffRowLayout rows_;
  std::unique_ptr<TDecoder> decoder_;
  std::vector<std::uint8_t> block_;
  // One band of block rows across the picture, per plane.
  std::vector<std::vector<std::uint8_t>> bands_;
  std::size_t bandRowBytes_ = 0;
  bool predict_ = false;
};

std::span<const std::uint8_t> TiffImageLoader::Packed(std::size_t index, std::size_t needed) const {
  const std::uint32_t offset = grid_.offsets[index];
  if (offset >= file_.size()) FailTiffDataMissing();
  std::size_t count = file_.size() - offset;
  if (index < grid_.counts.size()) count = std::min<std::size_t>(count, grid_.counts[index]);
  else if (!decoder_) count = std::min(count, needed);
  if (!decoder_ && count < needed) FailTiffDataMissing();
  return file_.subspan(offset, count);
}

void TiffImageLoader::DecodeBand(std::uint32_t bandRow, std::uint32_t rows) {
  const std::uint32_t blockLength = p_.tiled ? p_.tileLength : rows;
  const std::size_t blockBytes = rows_.BytesFor(blockLength);
  const std::size_t usedBytes = rows_.BytesFor(rows);
  for (std::uint32_t plane = 0; plane < grid_.planes; ++plane) {
    for (std::uint32_t column = 0; column < grid_.across; ++column) {
      const std::size_t index = grid_.Index(plane, bandRow, column);
      const auto packed = Packed(index, usedBytes);
      std::uint8_t* out = grid_.across == 1 ? bands_[plane].data() : block_.data();
      if (decoder_) {
        const DecodedBlock done = decoder_->DecodeBlock(packed, std::span(out, blockBytes));
        if (done.produced < blockBytes) std::memset(out + done.produced, 0, blockBytes - done.produced);
      } else {
        std::memcpy(out, packed.data(), usedBytes);
      }
      if (predict_)
        for (std::uint32_t r = 0; r < rows; ++r)
          UndoHorizontalPredictor(out + r * rows_.rowBytes, grid_.width, rows_.samplesPerBlockPixel, p_.bitsPerSample,
                                  p_.bigEndian);
      if (grid_.across > 1)
        for (std::size_t r = 0; r < rows_.GroupsFor(rows); ++r)
          std::memcpy(bands_[plane].data() + r * bandRowBytes_ + column * rows_.groupBytes,
                      block_.data() + r * rows_.groupBytes, rows_.groupBytes);
    }
  }
}

void TiffImageLoader::Load() {
  rows_ = TiffRowLayout::For(p_, grid_.width, grid_.planes > 1);
  decoder_ = MakeDecoder(p_, rows_.rowBytes, grid_.width);
  // Differences only make sense between decoded samples of whole rows.
  predict_ = p_.predictor == 2 && decoder_ && p_.compression != TiffCompression::Jpeg && rows_.rowGroup == 1;
  TiffRowConverter converter(p_, target_);

  const std::uint32_t tallest = p_.tiled ? p_.tileLength : [&] {
    std::uint32_t t = 0;
    for (std::size_t i = 0; i + 1 < grid_.firstRows.size(); ++i) t = std::max(t, grid_.firstRows[i + 1] - grid_.firstRows[i]);
    return t;
  }();
  const auto bandRowBytes = CheckedMul(rows_.groupBytes, grid_.across);
  const auto bandBytes = bandRowBytes ? CheckedMul(*bandRowBytes, rows_.GroupsFor(tallest)) : std::nullopt;
  CheckAllocation(bandBytes ? CheckedMul(*bandBytes, grid_.planes) : std::nullopt, p_.width, p_.height);
  bandRowBytes_ = *bandRowBytes;
  bands_.assign(grid_.planes, std::vector<std::uint8_t>(*bandBytes));
  if (grid_.across > 1) block_.resize(rows_.BytesFor(tallest));

  if (decoder_) decoder_->StartDecoding();

  for (std::uint32_t band = 0; band < grid_.down(); ++band) {
    const std::uint32_t first = grid_.firstRows[band];
    const std::uint32_t rows = grid_.firstRows[band + 1] - first;
    DecodeBand(band, p_.tiled ? p_.tileLength : rows);
    for (std::uint32_t group = 0; group * rows_.rowGroup < rows; ++group) {
      std::array<std::span<const std::uint8_t>, 4> planes;
      for (std::uint32_t i = 0; i < grid_.planes && i < planes.size(); ++i)
        planes[i] = std::span(bands_[i]).subspan(group * bandRowBytes_, bandRowBytes_);
      converter.ConvertGroup(std::span(planes.data(), std::min<std::size_t>(grid_.planes, planes.size())),
                             static_cast<int>(first + group * rows_.rowGroup),
                             static_cast<int>(std::min(rows_.rowGroup, rows - group * rows_.rowGroup)));
    }
  }
  if (decoder_) decoder_->FinishDecoding();
}

bool AcceptsContent(std::istream& stream) {
  std::array<std::uint8_t, 8> h;
  const auto remaining = PeekHeader(stream, h);
  if (!remaining) return false;
  const bool little = h[0] == 'I' && h[1] == 'I', big = h[0] == 'M' && h[1] == 'M';
  if (!little && !big) return false;
  const std::uint16_t magic = big ? LoadU16BE(&h[2]) : LoadU16LE(&h[2]);
  const std::uint32_t firstDirectory = big ? LoadU32BE(&h[4]) : LoadU32LE(&h[4]);
  return magic == 42 && firstDirectory < *remaining;
}

void Load(std::span<const std::uint8_t> bytes, Bitmap& target) { LoadTiffImage(bytes, target); }

}  // namespace

void LoadTiffImage(std::span<const std::uint8_t> bytes, Bitmap& target) {
  const auto directory = TiffDirectory::Read(bytes, 0);
  if (!directory) FailTiff();
  const TiffProperties properties = ReadImageProperties(*directory);
  if (properties.width == 0 || properties.height == 0) FailTiff();
  TiffImageLoader(bytes, *directory, properties, target).Load();
}

const ReaderClass kTIFFGraphic{"TTIFFGraphic", true, AcceptsContent, Load};

}  // namespace lumivo
