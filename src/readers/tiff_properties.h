#pragma once
// What the reader needs to know of one TIFF image, derived from its
// directory with the defaults of the format.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "readers/tiff_directory.h"

namespace lumivo {

enum TiffTag : std::uint16_t {
  kTagWidth = 256, kTagHeight = 257, kTagBitsPerSample = 258, kTagCompression = 259, kTagPhotometric = 262,
  kTagFillOrder = 266, kTagStripOffsets = 273, kTagSamplesPerPixel = 277, kTagRowsPerStrip = 278,
  kTagStripByteCounts = 279, kTagXResolution = 282, kTagYResolution = 283, kTagPlanarConfiguration = 284,
  kTagT4Options = 292, kTagResolutionUnit = 296, kTagPredictor = 317, kTagColorMap = 320, kTagTileWidth = 322,
  kTagTileLength = 323, kTagTileOffsets = 324, kTagTileByteCounts = 325, kTagExtraSamples = 338,
  kTagJpegTables = 347, kTagYCbCrCoefficients = 529, kTagYCbCrSubSampling = 530, kTagYCbCrPositioning = 531,
};

// The reader's own codes for the compression schemes.
enum class TiffCompression : std::uint8_t {
  Unknown = 0, None = 1, PackBits = 3, Lzw = 4, Group3 = 5, ModifiedHuffman = 6, Group4 = 7,
  ModifiedHuffmanWord = 8, Deflate = 9, Jpeg = 10, OldJpeg = 11, ThunderScan = 12, Other = 13,
};
TiffCompression CompressionFromTag(std::uint32_t value);

enum class TiffPhotometric : std::uint32_t {
  MinIsWhite = 0, MinIsBlack = 1, Rgb = 2, Palette = 3, Mask = 4, Separated = 5, YCbCr = 6, CieLab = 8,
};

struct TiffProperties {
  std::uint32_t width = 0, height = 0;
  std::vector<std::uint32_t> rowsPerStrip;
  std::uint32_t samplesPerPixel = 1;
  std::uint32_t bitsPerSample = 1;
  std::uint32_t bitsPerPixel = 1;
  bool tiled = false;
  std::uint32_t tileWidth = 0, tileLength = 0;
  std::uint32_t photometric = 0;
  // An extra sample of kind 0 to 2 (unspecified, associated, unassociated).
  bool hasAlpha = false;
  // The first extra sample is real alpha (1 or 2), premultiplied when 1.
  bool declaredAlpha = false;
  bool associatedAlpha = false;
  TiffCompression compression = TiffCompression::None;
  std::uint32_t planarConfiguration = 0;
  double xResolution = 0, yResolution = 0;
  std::uint32_t predictor = 0;
  bool reversedBitOrder = false;
  bool minIsWhite = false;
  bool bigEndian = false;
  std::uint32_t subsamplingHorizontal = 2, subsamplingVertical = 2;
  std::uint32_t positioning = 1;
  std::array<double, 3> coefficients = {0.299, 0.587, 0.114};
  std::span<const std::uint8_t> jpegTables;
  std::uint32_t faxOptions = 0;
  std::vector<std::uint32_t> colorMap;  // all reds, then all greens, then all blues
};

TiffProperties ReadImageProperties(const TiffDirectory& directory);

}  // namespace lumivo
