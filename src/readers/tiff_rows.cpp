#include "readers/tiff_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "readers/tiff_failure.h"

namespace lumivo {

namespace {

bool IsGrey(std::uint32_t photometric) { return photometric <= 1; }
bool IsYCbCrBlocks(const TiffProperties& p) {
  return p.photometric == static_cast<std::uint32_t>(TiffPhotometric::YCbCr) && p.compression != TiffCompression::Jpeg;
}

std::uint8_t Product(unsigned a, unsigned b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }

std::uint8_t Clamp(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

void CheckTiffSamples(const TiffProperties& p) {
  const std::uint32_t bits = p.bitsPerSample, samples = p.samplesPerPixel;
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16) FailTiff();
  if (samples == 0 || samples > 8) FailTiff();
  if (p.compression == TiffCompression::Jpeg) return;
  const auto photometric = static_cast<TiffPhotometric>(p.photometric);
  const bool wide = bits >= 8;
  switch (photometric) {
    case TiffPhotometric::MinIsWhite:
    case TiffPhotometric::MinIsBlack:
      if (samples > 1 && !wide) FailTiff();
      break;
    case TiffPhotometric::Palette:
      if (samples > 1 || bits > 8 || p.colorMap.size() < 3u << bits) FailTiff();
      break;
    case TiffPhotometric::Rgb:
      if (samples < 3 || !wide) FailTiff();
      break;
    case TiffPhotometric::Separated:
      if (samples < 4 || !wide) FailTiff();
      break;
    case TiffPhotometric::YCbCr: {
      const auto h = p.subsamplingHorizontal, v = p.subsamplingVertical;
      if (samples != 3 || bits != 8 || (h != 1 && h != 2 && h != 4) || (v != 1 && v != 2 && v != 4) || v > h)
        FailTiff();
      if (p.planarConfiguration == 2 && (h != 1 || v != 1)) FailTiff();
      break;
    }
    default: FailTiff();
  }
  if (p.planarConfiguration == 2 && samples > 1 && !wide) FailTiff();
}

TiffRowLayout TiffRowLayout::For(const TiffProperties& p, std::uint32_t blockWidth, bool planar) {
  TiffRowLayout layout;
  if (p.compression == TiffCompression::Jpeg) {  // the decoder delivers BGR rows
    layout.samplesPerBlockPixel = 3;
    layout.rowBytes = std::size_t{blockWidth} * 3;
  } else {
    layout.samplesPerBlockPixel = planar ? 1 : p.samplesPerPixel;
    layout.rowBytes = (std::size_t{blockWidth} * layout.samplesPerBlockPixel * p.bitsPerSample + 7) / 8;
  }
  layout.groupBytes = layout.rowBytes;
  if (IsYCbCrBlocks(p) && (p.subsamplingHorizontal > 1 || p.subsamplingVertical > 1)) {
    const std::uint32_t h = p.subsamplingHorizontal, v = p.subsamplingVertical;
    layout.rowGroup = v;
    layout.groupBytes = (std::size_t{blockWidth} + h - 1) / h * (h * v + 2);
    layout.rowBytes = layout.groupBytes;
  }
  return layout;
}

void InterleavePlanes(const std::uint8_t* const* planes, std::uint32_t count, std::uint32_t width,
                      std::uint32_t bitsPerSample, std::uint8_t* out) {
  const std::size_t sampleBytes = bitsPerSample / 8;
  for (std::uint32_t plane = 0; plane < count; ++plane) {
    const std::uint8_t* in = planes[plane];
    std::uint8_t* to = out + plane * sampleBytes;
    for (std::uint32_t x = 0; x < width; ++x, in += sampleBytes, to += count * sampleBytes)
      std::memcpy(to, in, sampleBytes);
  }
}

TiffRowConverter::TiffRowConverter(const TiffProperties& p, Bitmap& target) : p_(p), target_(target) {
  samples_ = p.samplesPerPixel;
  sampleBytes_ = p.bitsPerSample == 16 ? 2 : 1;
  highByte_ = p.bitsPerSample == 16 && !p.bigEndian ? 1 : 0;
  const auto photometric = static_cast<TiffPhotometric>(p.photometric);
  PixelFormat format = PixelFormat::Bgr24;
  if (p.compression == TiffCompression::Jpeg) {
    route_ = Route::Copy;
  } else if ((IsGrey(p.photometric) || photometric == TiffPhotometric::Palette) && samples_ == 1) {
    format = p.bitsPerSample == 1 ? PixelFormat::Indexed1 : p.bitsPerSample <= 4 ? PixelFormat::Indexed4
                                                                                  : PixelFormat::Indexed8;
    route_ = p.bitsPerSample == 16 ? Route::Grey16 : p.bitsPerSample == 2 ? Route::TwoBit : Route::Copy;
  } else if (IsGrey(p.photometric)) {
    format = PixelFormat::Bgra32;
    route_ = Route::GreyAlpha;
  } else if (photometric == TiffPhotometric::Rgb) {
    format = samples_ >= 4 ? PixelFormat::Bgra32 : PixelFormat::Bgr24;
    route_ = samples_ >= 4 ? Route::Rgba : Route::Rgb;
  } else if (photometric == TiffPhotometric::Separated) {
    route_ = Route::Cmyk;
  } else {
    route_ = Route::YCbCr;
  }
  AllocatePicture(target, p.width, p.height, format);
  target.setTransparent(p.declaredAlpha && format == PixelFormat::Bgra32);

  auto& palette = target.palette();
  if (format == PixelFormat::Indexed1 || format == PixelFormat::Indexed4 || format == PixelFormat::Indexed8) {
    const std::size_t entries = std::size_t{1} << std::min<std::uint32_t>(p.bitsPerSample, 8);
    palette.resize(entries);
    if (photometric == TiffPhotometric::Palette) {
      const auto scale = [](std::uint32_t v) { return static_cast<std::uint8_t>(std::min(v, 65535u) * 255 / 65535); };
      for (std::size_t i = 0; i < entries; ++i)
        palette[i] = {scale(p.colorMap[2 * entries + i]), scale(p.colorMap[entries + i]), scale(p.colorMap[i]), 255};
    } else {
      for (std::size_t i = 0; i < entries; ++i) {
        const auto grey = static_cast<std::uint8_t>(i * (255 / (entries - 1)));
        palette[p.minIsWhite ? entries - 1 - i : i] = {grey, grey, grey, 255};
      }
    }
  }
}

void TiffRowConverter::ConvertGroup(const std::uint8_t* source, int firstRow, int rows) {
  if (route_ != Route::YCbCr) {
    ConvertRow(source, target_.Row(firstRow));
    return;
  }
  const std::uint32_t h = p_.subsamplingHorizontal, v = p_.subsamplingVertical;
  const bool blocks = h > 1 || v > 1;
  const double kr = p_.coefficients[0], kg = p_.coefficients[1], kb = p_.coefficients[2];
  const double toGreen = kg != 0 ? 1.0 / kg : 0;
  for (int r = 0; r < rows; ++r) {
    std::uint8_t* out = target_.Row(firstRow + r);
    for (std::uint32_t x = 0; x < p_.width; ++x) {
      int y, cb, cr;
      if (blocks) {
        const std::uint8_t* unit = source + std::size_t{x / h} * (h * v + 2);
        y = unit[r * h + x % h];
        cb = unit[h * v] - 128;
        cr = unit[h * v + 1] - 128;
      } else {
        y = source[3 * x];
        cb = source[3 * x + 1] - 128;
        cr = source[3 * x + 2] - 128;
      }
      const double red = y + (2 - 2 * kr) * cr, blue = y + (2 - 2 * kb) * cb;
      const double green = (y - kr * red - kb * blue) * toGreen;
      out[3 * x] = Clamp(static_cast<int>(std::lround(blue)));
      out[3 * x + 1] = Clamp(static_cast<int>(std::lround(green)));
      out[3 * x + 2] = Clamp(static_cast<int>(std::lround(red)));
    }
  }
}

void TiffRowConverter::ConvertRow(const std::uint8_t* in, std::uint8_t* out) const {
  const std::uint32_t width = p_.width;
  const std::size_t step = samples_ * sampleBytes_;
  const std::uint8_t invert = p_.minIsWhite ? 255 : 0;
  switch (route_) {
    case Route::Copy: std::memcpy(out, in, target_.rowBytes()); break;
    case Route::Grey16:
      for (std::uint32_t x = 0; x < width; ++x) out[x] = in[2 * x + highByte_];
      break;
    case Route::TwoBit:
      for (std::uint32_t x = 0; x < width; x += 2) {
        const int a = (in[x / 4] >> (6 - 2 * (x % 4))) & 3;
        const int b = x + 1 < width ? (in[(x + 1) / 4] >> (6 - 2 * ((x + 1) % 4))) & 3 : 0;
        out[x / 2] = static_cast<std::uint8_t>(a << 4 | b);
      }
      break;
    case Route::Rgb:
      for (std::uint32_t x = 0; x < width; ++x, in += step, out += 3) {
        out[0] = in[2 * sampleBytes_ + highByte_];
        out[1] = in[sampleBytes_ + highByte_];
        out[2] = in[highByte_];
      }
      break;
    case Route::Rgba:
      for (std::uint32_t x = 0; x < width; ++x, in += step, out += 4) {
        out[0] = in[2 * sampleBytes_ + highByte_];
        out[1] = in[sampleBytes_ + highByte_];
        out[2] = in[highByte_];
        out[3] = in[3 * sampleBytes_ + highByte_];
      }
      break;
    case Route::GreyAlpha:
      for (std::uint32_t x = 0; x < width; ++x, in += step, out += 4) {
        const std::uint8_t grey = in[highByte_] ^ invert;
        out[0] = out[1] = out[2] = grey;
        out[3] = in[sampleBytes_ + highByte_];
      }
      break;
    case Route::Cmyk:
      for (std::uint32_t x = 0; x < width; ++x, in += step, out += 3) {
        const unsigned white = 255 - in[3 * sampleBytes_ + highByte_];
        out[0] = Product(255 - in[2 * sampleBytes_ + highByte_], white);
        out[1] = Product(255 - in[sampleBytes_ + highByte_], white);
        out[2] = Product(255 - in[highByte_], white);
      }
      break;
    case Route::YCbCr: break;
  }
  if (p_.associatedAlpha && target_.format() == PixelFormat::Bgra32) {
    // Premultiplied colours back to plain ones, so that laying the picture
    // over white does not apply the alpha twice.
    std::uint8_t* pixel = out - 4 * std::size_t{width};
    for (std::uint32_t x = 0; x < width; ++x, pixel += 4)
      if (pixel[3] != 0 && pixel[3] != 255)
        for (int c = 0; c < 3; ++c) pixel[c] = static_cast<std::uint8_t>(std::min(255, pixel[c] * 255 / pixel[3]));
  }
}

}  // namespace lumivo
