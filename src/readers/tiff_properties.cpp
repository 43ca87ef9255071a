#include "readers/tiff_properties.h"

#include <algorithm>

namespace lumivo {

TiffCompression CompressionFromTag(std::uint32_t value) {
  switch (value) {
    case 1: return TiffCompression::None;
    case 2: return TiffCompression::ModifiedHuffman;
    case 3: return TiffCompression::Group3;
    case 4: return TiffCompression::Group4;
    case 5: return TiffCompression::Lzw;
    case 6: return TiffCompression::OldJpeg;
    case 7: return TiffCompression::Jpeg;
    case 8:
    case 32946: return TiffCompression::Deflate;
    case 32771: return TiffCompression::ModifiedHuffmanWord;
    case 32773: return TiffCompression::PackBits;
    case 32809: return TiffCompression::ThunderScan;
    case 32766:
    case 32895:
    case 32896:
    case 32897:
    case 32898:
    case 32908:
    case 32909:
    case 32947:
    case 34661: return TiffCompression::Other;
    default: return TiffCompression::Unknown;
  }
}

TiffProperties ReadImageProperties(const TiffDirectory& directory) {
  TiffProperties p;
  p.bigEndian = directory.bigEndian();
  p.width = directory.Integer(kTagWidth, 0);
  p.height = directory.Integer(kTagHeight, 0);
  p.rowsPerStrip = directory.Integers(kTagRowsPerStrip);
  if (p.rowsPerStrip.empty() || p.rowsPerStrip.front() == 0xFFFFFFFF) p.rowsPerStrip = {p.height};
  p.samplesPerPixel = directory.Integer(kTagSamplesPerPixel, 1);
  p.bitsPerSample = directory.Integer(kTagBitsPerSample, 1);
  p.bitsPerPixel = p.samplesPerPixel * p.bitsPerSample;  // both are 16-bit in any sane file; checked later
  p.tileWidth = directory.Integer(kTagTileWidth, 0);
  p.tileLength = directory.Integer(kTagTileLength, 0);
  p.tiled = p.tileWidth != 0 && p.tileLength != 0;
  p.photometric = directory.Integer(kTagPhotometric, 0);
  const auto extra = directory.Integers(kTagExtraSamples);
  p.hasAlpha = !extra.empty() && std::all_of(extra.begin(), extra.end(), [](std::uint32_t v) { return v <= 2; });
  p.declaredAlpha = !extra.empty() && (extra.front() == 1 || extra.front() == 2);
  p.associatedAlpha = !extra.empty() && extra.front() == 1;
  p.compression = CompressionFromTag(directory.Integer(kTagCompression, 1));
  p.planarConfiguration = directory.Integer(kTagPlanarConfiguration, 0);
  const double unitFactor = directory.Integer(kTagResolutionUnit, 2) == 3 ? 2.54 : 1.0;
  if (const auto x = directory.Reals(kTagXResolution); !x.empty()) p.xResolution = x.front() * unitFactor;
  if (const auto y = directory.Reals(kTagYResolution); !y.empty()) p.yResolution = y.front() * unitFactor;
  p.predictor = directory.Integer(kTagPredictor, 0);
  p.reversedBitOrder = directory.Integer(kTagFillOrder, 1) == 2;
  p.minIsWhite = p.photometric == static_cast<std::uint32_t>(TiffPhotometric::MinIsWhite);
  if (const auto subsampling = directory.Integers(kTagYCbCrSubSampling); subsampling.size() >= 2) {
    p.subsamplingHorizontal = subsampling[0];
    p.subsamplingVertical = subsampling[1];
  }
  p.positioning = directory.Integer(kTagYCbCrPositioning, 1);
  if (const auto k = directory.Reals(kTagYCbCrCoefficients); k.size() >= 3) p.coefficients = {k[0], k[1], k[2]};
  if (p.compression == TiffCompression::Jpeg) p.jpegTables = directory.Bytes(kTagJpegTables);
  p.faxOptions = directory.Integer(kTagT4Options, 0);
  if (p.photometric == static_cast<std::uint32_t>(TiffPhotometric::Palette)) p.colorMap = directory.Integers(kTagColorMap);
  return p;
}

}  // namespace lumivo
