#include "readers/tiff_rows.h"

#include <algorithm>
#include <cstring>

#include "readers/tiff_failure.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

using Side = TColorManager::Side;

bool IsYCbCrBlocks(const TiffProperties& p) {
  return p.photometric == static_cast<std::uint32_t>(TiffPhotometric::YCbCr) &&
         p.compression != TiffCompression::Jpeg && (p.subsamplingHorizontal > 1 || p.subsamplingVertical > 1);
}

ColorLayout SourceLayout(const TiffProperties& p) {
  if (p.compression == TiffCompression::Jpeg) return ColorLayout::BGR;  // the decoder delivers BGR
  switch (static_cast<TiffPhotometric>(p.photometric)) {
    case TiffPhotometric::MinIsWhite:
    case TiffPhotometric::MinIsBlack: return p.samplesPerPixel > 1 ? ColorLayout::GreyAlpha : ColorLayout::Grey;
    case TiffPhotometric::Rgb: return p.samplesPerPixel < 4 ? ColorLayout::RGB : ColorLayout::RGBA;
    case TiffPhotometric::Palette: return ColorLayout::Indexed;
    case TiffPhotometric::Separated: return ColorLayout::CMYK;
    case TiffPhotometric::YCbCr: return ColorLayout::YCbCr;
    case TiffPhotometric::CieLab: return ColorLayout::CIELab;
    default: return ColorLayout::None;
  }
}

ColorLayout TargetLayout(ColorLayout source) {
  switch (source) {
    case ColorLayout::Indexed:
    case ColorLayout::Grey: return source;
    case ColorLayout::GreyAlpha:
    case ColorLayout::RGBA: return ColorLayout::BGRA;
    default: return ColorLayout::BGR;
  }
}

}  // namespace

TiffRowLayout TiffRowLayout::For(const TiffProperties& p, std::uint32_t blockWidth, bool planar) {
  TiffRowLayout layout;
  if (p.compression == TiffCompression::Jpeg) {
    layout.samplesPerBlockPixel = 3;
    layout.rowBytes = std::size_t{blockWidth} * 3;
  } else {
    layout.samplesPerBlockPixel = planar ? 1 : p.samplesPerPixel;
    layout.rowBytes = (std::size_t{blockWidth} * layout.samplesPerBlockPixel * p.bitsPerSample + 7) / 8;
  }
  layout.groupBytes = layout.rowBytes;
  if (IsYCbCrBlocks(p)) {
    const std::uint32_t h = p.subsamplingHorizontal, v = p.subsamplingVertical;
    if (h == 0 || v == 0 || h > 4 || v > 4) FailTiff();
    layout.rowGroup = v;
    layout.groupBytes = (std::size_t{blockWidth} + h - 1) / h * (h * v + 2);
    layout.rowBytes = layout.groupBytes;
  }
  return layout;
}

TiffRowConverter::TiffRowConverter(const TiffProperties& p, Bitmap& target) : p_(p), target_(target) {
  const ColorLayout source = SourceLayout(p);
  const bool jpeg = p.compression == TiffCompression::Jpeg;
  const int bits = jpeg ? 8 : static_cast<int>(std::min<std::uint32_t>(p.bitsPerSample, 255));
  colours_.SetLayout(Side::Source, source);
  colours_.SetBitsPerSample(Side::Source, bits);
  colours_.SetSamplesPerPixel(Side::Source, jpeg ? 3 : static_cast<int>(std::min<std::uint32_t>(p.samplesPerPixel, 255)));
  colours_.SetSourceByteSwap(p.bigEndian && !jpeg);
  const ColorLayout targetLayout = TargetLayout(source);
  colours_.SetTarget(targetLayout, targetLayout == ColorLayout::Indexed || targetLayout == ColorLayout::Grey
                                       ? std::min(bits, 8) : 8);
  if (source == ColorLayout::YCbCr && !jpeg)
    colours_.SetYCbCrParameters({p.coefficients[0], p.coefficients[1], p.coefficients[2]},
                                static_cast<int>(p.subsamplingVertical), static_cast<int>(p.subsamplingHorizontal));
  colours_.Prepare();

  const auto format = colours_.PixelFormatFor(Side::Target);
  if (!format) throw EColorConversionError(std::string(texts::kNoConversionMethod));
  AllocatePicture(target, p.width, p.height, *format);
  target.setTransparent(p.declaredAlpha && *format == PixelFormat::Bgra32);
  invertGrey_ = p.minIsWhite && source == ColorLayout::GreyAlpha;
  const bool planar = p.planarConfiguration == 2 && !jpeg;
  rowBytes_ = TiffRowLayout::For(p, p.width, planar).rowBytes;

  if (source == ColorLayout::Grey) {
    target.palette() = colours_.MakeGreyPalette(p.minIsWhite);
  } else if (source == ColorLayout::Indexed) {
    // The colour map: all reds, all greens, all blues, 16 bits each.
    const std::size_t count = std::size_t{1} << std::min(bits, 8);
    if (p.colorMap.size() < 3 * count) FailTiff();
    std::vector<std::uint8_t> bytes(6 * count);
    for (std::size_t i = 0; i < 3 * count; ++i) {
      bytes[2 * i] = static_cast<std::uint8_t>(p.colorMap[i]);
      bytes[2 * i + 1] = static_cast<std::uint8_t>(p.colorMap[i] >> 8);
    }
    target.palette() = colours_.MakeColourPalette({bytes, static_cast<int>(count), 16, true, false});
  }
}

void TiffRowConverter::ConvertGroup(std::span<const std::span<const std::uint8_t>> planes, int firstRow, int rows) {
  const std::size_t width = p_.width;
  if (!IsYCbCrBlocks(p_) || p_.subsamplingVertical == 1) {
    std::array<std::span<const std::uint8_t>, 4> bounded;
    const std::size_t count = std::min(planes.size(), bounded.size());
    for (std::size_t i = 0; i < count; ++i) bounded[i] = planes[i].first(std::min(rowBytes_, planes[i].size()));
    std::uint8_t* row = target_.Row(firstRow);
    colours_.ConvertRow(std::span(bounded.data(), count), std::span(row, target_.rowBytes()), width);
    Finish(row);
    return;
  }
  // A block holds h x v luma samples, then Cb and Cr; each of its rows
  // becomes units of h luma samples with the block's chroma.
  const std::size_t h = p_.subsamplingHorizontal, v = p_.subsamplingVertical;
  const std::size_t units = (width + h - 1) / h;
  units_.resize(units * (h + 2));
  const std::uint8_t* block = planes[0].data();
  for (int r = 0; r < rows; ++r) {
    for (std::size_t u = 0; u < units; ++u) {
      const std::uint8_t* in = block + u * (h * v + 2);
      std::uint8_t* out = units_.data() + u * (h + 2);
      std::memcpy(out, in + static_cast<std::size_t>(r) * h, h);
      out[h] = in[h * v];
      out[h + 1] = in[h * v + 1];
    }
    std::uint8_t* row = target_.Row(firstRow + r);
    colours_.ConvertRow(std::span<const std::uint8_t>(units_), std::span(row, target_.rowBytes()), width);
  }
}

void TiffRowConverter::Finish(std::uint8_t* row) const {
  if (target_.format() != PixelFormat::Bgra32) return;
  for (std::uint32_t x = 0; x < p_.width; ++x, row += 4) {
    if (invertGrey_) row[0] = row[1] = row[2] = static_cast<std::uint8_t>(255 - row[0]);
    // Premultiplied colours back to plain ones, so that laying the picture
    // over white does not apply the alpha twice.
    if (p_.associatedAlpha && row[3] != 0 && row[3] != 255)
      for (int c = 0; c < 3; ++c) row[c] = static_cast<std::uint8_t>(std::min(255, row[c] * 255 / row[3]));
  }
}

}  // namespace lumivo
