#include "readers/colour_manager.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

#include "core/checked_math.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

using Tables = TColorManager::Tables;

[[noreturn]] void Refuse(std::string_view text) { throw EColorConversionError(std::string(text)); }

bool IsColour(ColorLayout layout) {
  return layout == ColorLayout::RGB || layout == ColorLayout::RGBA || layout == ColorLayout::BGR ||
         layout == ColorLayout::BGRA;
}

bool HasAlpha(ColorLayout layout) {
  return layout == ColorLayout::GreyAlpha || layout == ColorLayout::RGBA || layout == ColorLayout::BGRA;
}

std::uint8_t Clamp(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

// Walks the target pixels of a row; f(target pixel, source pixel). The mask
// test runs only for interlaced rows.
template <typename F>
inline void ForEachPixel(std::size_t count, std::uint8_t mask, F&& f) {
  if (mask == 0xFF) {
    for (std::size_t x = 0; x < count; ++x) f(x, x);
    return;
  }
  std::size_t s = 0;
  for (std::size_t x = 0; x < count; ++x)
    if (mask & (0x80 >> (x & 7))) f(x, s++);
}

enum class Out { Colour3, Colour4, Word15 };

template <Out Kind>
inline void Put(const Tables& t, std::uint8_t* row, std::size_t x, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                std::uint8_t a) {
  if constexpr (Kind == Out::Word15) {
    const unsigned word = (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
    row[2 * x] = static_cast<std::uint8_t>(word);
    row[2 * x + 1] = static_cast<std::uint8_t>(word >> 8);
  } else {
    constexpr int kBytes = Kind == Out::Colour4 ? 4 : 3;
    std::uint8_t* p = row + kBytes * x;
    p[t.red] = r;
    p[t.green] = g;
    p[t.blue] = b;
    if constexpr (Kind == Out::Colour4) p[t.alpha] = a;
  }
}

// Indexed and grey targets: the level table maps each value to the target's.
template <int Bits>
void IndexedRow(const Tables& t, const std::uint8_t* in, std::uint8_t* row, std::size_t count, std::uint8_t mask) {
  ForEachPixel(count, mask, [&](std::size_t x, std::size_t s) {
    const std::uint8_t v = t.level[in[s * t.stride]];
    if constexpr (Bits == 8) {
      row[x] = v;
    } else if constexpr (Bits == 4) {
      std::uint8_t& byte = row[x >> 1];
      byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | (v & 0x0F))
                     : static_cast<std::uint8_t>((byte & 0x0F) | v << 4);
    } else {
      const auto bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = (v & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
    }
  });
}

template <Out Kind, bool Alpha>
void GreyRow(const Tables& t, const std::uint8_t* in, std::uint8_t* row, std::size_t count, std::uint8_t mask) {
  ForEachPixel(count, mask, [&](std::size_t x, std::size_t s) {
    const std::uint8_t* p = in + s * t.stride;
    const std::uint8_t g = t.level[p[0]];
    Put<Kind>(t, row, x, g, g, g, Alpha ? t.scale[p[1]] : 255);
  });
}

// RGB(A) and BGR(A) sources; sourceRed tells which of the two.
template <Out Kind, bool Alpha, int SourceRed>
void ColourRow(const Tables& t, const std::uint8_t* in, std::uint8_t* row, std::size_t count, std::uint8_t mask) {
  ForEachPixel(count, mask, [&](std::size_t x, std::size_t s) {
    const std::uint8_t* p = in + s * t.stride;
    Put<Kind>(t, row, x, t.level[p[SourceRed]], t.level[p[1]], t.level[p[2 - SourceRed]],
              Alpha ? t.scale[p[3]] : 255);
  });
}

template <Out Kind>
void CmykRow(const Tables& t, const std::uint8_t* in, std::uint8_t* row, std::size_t count, std::uint8_t mask) {
  ForEachPixel(count, mask, [&](std::size_t x, std::size_t s) {
    const std::uint8_t* p = in + s * t.stride;
    const int white = 255 - t.scale[p[3]];
    auto ink = [&](std::uint8_t v) { return t.gamma[((255 - t.scale[v]) * white + 127) / 255]; };
    Put<Kind>(t, row, x, ink(p[0]), ink(p[1]), ink(p[2]), 255);
  });
}

double LabInverse(double f) { return f > 6.0 / 29.0 ? f * f * f : 3.0 * (6.0 / 29.0) * (6.0 / 29.0) * (f - 4.0 / 29.0); }

std::uint8_t LinearToSrgb(double v) {
  v = std::clamp(v, 0.0, 1.0);
  const double c = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
  return static_cast<std::uint8_t>(std::lround(c * 255.0));
}

template <Out Kind>
void LabRow(const Tables& t, const std::uint8_t* in, std::uint8_t* row, std::size_t count, std::uint8_t mask) {
  ForEachPixel(count, mask, [&](std::size_t x, std::size_t s) {
    const std::uint8_t* p = in + s * t.stride;
    const double l = t.scale[p[0]] * 100.0 / 255.0;
    const int a = t.labByteRange ? t.scale[p[1]] - 128 : static_cast<std::int8_t>(t.scale[p[1]]);
    const int b = t.labByteRange ? t.scale[p[2]] - 128 : static_cast<std::int8_t>(t.scale[p[2]]);
    const double fy = (l + 16.0) / 116.0;
    const double X = 0.95047 * LabInverse(fy + a / 500.0);
    const double Y = LabInverse(fy);
    const double Z = 1.08883 * LabInverse(fy - b / 200.0);
    Put<Kind>(t, row, x, t.gamma[LinearToSrgb(3.2404542 * X - 1.5371385 * Y - 0.4985314 * Z)],
              t.gamma[LinearToSrgb(-0.9692660 * X + 1.8760108 * Y + 0.0415560 * Z)],
              t.gamma[LinearToSrgb(0.0556434 * X - 0.2040259 * Y + 1.0572252 * Z)], 255);
  });
}

// YCbCr and PhotoYCC: units of `subsampling` luma samples and one Cb, Cr.
template <Out Kind>
void YCbCrRow(const Tables& t, const std::uint8_t* in, std::uint8_t* row, std::size_t count, std::uint8_t mask) {
  const auto h = static_cast<std::size_t>(t.subsampling);
  ForEachPixel(count, mask, [&](std::size_t x, std::size_t s) {
    const std::uint8_t* unit = in + s / h * t.stride;
    const int y = t.scale[unit[s % h]];
    const std::uint8_t cb = t.scale[unit[h]], cr = t.scale[unit[h + 1]];
    Put<Kind>(t, row, x, t.gamma[Clamp(y + t.crToRed[cr])], t.gamma[Clamp(y + t.cbToGreen[cb] + t.crToGreen[cr])],
              t.gamma[Clamp(y + t.cbToBlue[cb])], 255);
  });
}

template <Out Kind>
TColorManager::RowRoutine ColourRoutine(ColorLayout source) {
  switch (source) {
    case ColorLayout::Grey: return GreyRow<Kind, false>;
    case ColorLayout::GreyAlpha: return GreyRow<Kind, true>;
    case ColorLayout::RGB: return ColourRow<Kind, false, 0>;
    case ColorLayout::RGBA: return ColourRow<Kind, true, 0>;
    case ColorLayout::BGR: return ColourRow<Kind, false, 2>;
    case ColorLayout::BGRA: return ColourRow<Kind, true, 2>;
    case ColorLayout::CMYK: return CmykRow<Kind>;
    case ColorLayout::CIELab: return LabRow<Kind>;
    case ColorLayout::YCbCr:
    case ColorLayout::PhotoYCC: return YCbCrRow<Kind>;
    default: return nullptr;
  }
}

// Reads sample n of a packed row of any depth, high bit first; a sample
// never reads a byte it does not reach into.
inline unsigned PackedSample(const std::uint8_t* p, std::size_t n, int bits) {
  std::size_t bit = n * static_cast<std::size_t>(bits);
  unsigned value = 0;
  for (int need = bits; need > 0;) {
    const int offset = static_cast<int>(bit & 7);
    const int take = std::min(8 - offset, need);
    value = value << take | ((p[bit >> 3] >> (8 - offset - take)) & ((1u << take) - 1));
    bit += static_cast<std::size_t>(take);
    need -= take;
  }
  return value;
}

// Brings `n` samples of a plane down to one byte each, every `step` bytes
// apart: raw values up to 8 bits, the high byte of wider ones.
void UnpackPlane(const std::uint8_t* p, std::size_t n, int bits, bool swap, std::uint8_t* out, std::size_t step) {
  if (bits == 8) {
    for (std::size_t i = 0; i < n; ++i) out[i * step] = p[i];
  } else if (bits == 16) {
    const int high = swap ? 0 : 1;
    for (std::size_t i = 0; i < n; ++i) out[i * step] = p[2 * i + high];
  } else if (bits < 8) {
    for (std::size_t i = 0; i < n; ++i) out[i * step] = static_cast<std::uint8_t>(PackedSample(p, i, bits));
  } else {
    for (std::size_t i = 0; i < n; ++i) out[i * step] = static_cast<std::uint8_t>(PackedSample(p, i, bits) >> (bits - 8));
  }
}

std::size_t PackedBytes(std::size_t samples, int bits) {
  const auto total = CheckedMul(samples, static_cast<std::size_t>(bits));
  if (!total) Refuse(texts::kRowTooShort);
  return (*total + 7) / 8;
}

}  // namespace

int SamplesOf(ColorLayout layout) {
  switch (layout) {
    case ColorLayout::None: return 0;
    case ColorLayout::Indexed:
    case ColorLayout::Grey: return 1;
    case ColorLayout::GreyAlpha: return 2;
    case ColorLayout::RGBA:
    case ColorLayout::BGRA:
    case ColorLayout::CMYK: return 4;
    default: return 3;
  }
}

TColorManager::TColorManager() { BuildGamma(); }

void TColorManager::SetBitsPerSample(Side side, int bits) {
  if (bits <= 0 || bits > 16) Refuse(texts::kColorDepthInvalid);
  (side == Side::Source ? source_ : target_).bits = bits;
  Changed();
}

void TColorManager::SetSamplesPerPixel(Side side, int samples) {
  if (samples <= 0 || samples > 4) Refuse(texts::kSampleCountInvalid);
  (side == Side::Source ? source_ : target_).samples = samples;
  Changed();
}

void TColorManager::SetLayout(Side side, ColorLayout layout) {
  (side == Side::Source ? source_ : target_).layout = layout;
  Changed();
}

void TColorManager::SetSource(ColorLayout layout, int bits) {
  SetLayout(Side::Source, layout);
  SetBitsPerSample(Side::Source, bits);
  SetSamplesPerPixel(Side::Source, std::max(1, SamplesOf(layout)));
}

void TColorManager::SetTarget(ColorLayout layout, int bits) {
  SetLayout(Side::Target, layout);
  SetBitsPerSample(Side::Target, bits);
  SetSamplesPerPixel(Side::Target, std::max(1, SamplesOf(layout)));
}

void TColorManager::SetSourceByteSwap(bool swap) {
  byteSwap_ = swap;
  Changed();
}

void TColorManager::SetSourceLabByteRange(bool byteRange) {
  tables_.labByteRange = byteRange;
  Changed();
}

void TColorManager::SetGamma(double displayGamma, double fileGamma) {
  displayGamma_ = displayGamma <= 0 ? 2.2 : displayGamma;
  fileGamma_ = fileGamma <= 0 ? 1.0 : fileGamma;
  applyGamma_ = true;
  BuildGamma();
  Changed();
}

void TColorManager::SetYCbCrParameters(const YCbCrCoefficients& coefficients, int vertical, int horizontal) {
  auto valid = [](int v) { return v == 1 || v == 2 || v == 4; };
  if (!valid(vertical) || !valid(horizontal)) Refuse(texts::kSubsamplingInvalid);
  if (vertical > horizontal) Refuse(texts::kVerticalSubsampling);
  coefficients_ = coefficients;
  subsamplingVertical_ = vertical;
  subsamplingHorizontal_ = horizontal;
  Changed();
}

std::optional<PixelFormat> TColorManager::PixelFormatFor(Side side) const {
  const Settings& s = side == Side::Source ? source_ : target_;
  if (s.samples == 1) {
    if (s.bits == 1) return PixelFormat::Indexed1;
    if (s.bits <= 4) return PixelFormat::Indexed4;
    return PixelFormat::Indexed8;
  }
  if (s.samples == 3) return s.bits <= 5 ? PixelFormat::Rgb15 : PixelFormat::Bgr24;
  if (s.samples == 4 && s.bits >= 8) return PixelFormat::Bgra32;
  return std::nullopt;
}

void TColorManager::BuildGamma() {
  const double exponent = 1.0 / (fileGamma_ * displayGamma_);
  for (int i = 0; i < 256; ++i)
    gamma_[i] = applyGamma_ ? static_cast<std::uint8_t>(std::lround(std::pow(i / 255.0, exponent) * 255.0))
                            : static_cast<std::uint8_t>(i);
}

void TColorManager::BuildChromaTables() {
  const double kr = coefficients_.red, kg = coefficients_.green, kb = coefficients_.blue;
  const bool photo = source_.layout == ColorLayout::PhotoYCC;
  for (int i = 0; i < 256; ++i) {
    const double x = i - (photo ? 137 : 128);
    const double y = i - (photo ? 156 : 128);
    tables_.crToRed[i] = static_cast<int>(std::lround((2 - 2 * kr) * x));
    tables_.cbToBlue[i] = static_cast<int>(std::lround((2 - 2 * kb) * y));
    tables_.crToGreen[i] = kg == 0 ? 0 : -static_cast<int>(std::lround(kr * (2 - 2 * kr) / kg * x));
    tables_.cbToGreen[i] = kg == 0 ? 0 : -static_cast<int>(std::lround(kb * (2 - 2 * kb) / kg * y));
  }
}

void TColorManager::ChooseRoutine() {
  const ColorLayout from = source_.layout;
  const ColorLayout to = target_.layout;
  routine_ = nullptr;
  if (to == ColorLayout::Indexed || to == ColorLayout::Grey) {
    if (from != ColorLayout::Indexed && from != ColorLayout::Grey && from != ColorLayout::GreyAlpha) return;
    switch (*PixelFormatFor(Side::Target)) {
      case PixelFormat::Indexed1: routine_ = IndexedRow<1>; break;
      case PixelFormat::Indexed4: routine_ = IndexedRow<4>; break;
      default: routine_ = IndexedRow<8>; break;
    }
    return;
  }
  if (!IsColour(to)) return;
  const bool bgr = to == ColorLayout::BGR || to == ColorLayout::BGRA;
  tables_.red = bgr ? 2 : 0;
  tables_.blue = bgr ? 0 : 2;
  if (HasAlpha(to)) {
    if (target_.bits >= 8) routine_ = ColourRoutine<Out::Colour4>(from);
  } else {
    routine_ = target_.bits <= 5 ? ColourRoutine<Out::Word15>(from) : ColourRoutine<Out::Colour3>(from);
  }
}

void TColorManager::Prepare() {
  const bool sourceIndexed = source_.layout == ColorLayout::Indexed;
  const bool targetIndexed = target_.layout == ColorLayout::Indexed;
  if (sourceIndexed != targetIndexed) Refuse(texts::kIndexedConversion);

  const bool ycc = source_.layout == ColorLayout::YCbCr || source_.layout == ColorLayout::PhotoYCC;
  tables_.subsampling = ycc ? subsamplingHorizontal_ : 1;
  tables_.stride = ycc ? static_cast<std::size_t>(subsamplingHorizontal_ + 2)
                       : static_cast<std::size_t>(std::max(source_.samples, SamplesOf(source_.layout)));
  if (ycc) BuildChromaTables();

  // Unpacked samples are raw up to 8 bits and already 8-bit above.
  const int sourceBits = std::min(source_.bits, 8);
  const int sourceMax = (1 << sourceBits) - 1;
  const int targetBits = std::min(target_.bits, 8);
  const int targetMax = (1 << targetBits) - 1;
  tables_.targetBits = targetBits;
  tables_.gamma = gamma_;
  for (int v = 0; v < 256; ++v) {
    const int raw = std::min(v, sourceMax);
    tables_.scale[v] = static_cast<std::uint8_t>((raw * 255 + sourceMax / 2) / sourceMax);
    if (target_.layout == ColorLayout::Indexed)
      tables_.level[v] = static_cast<std::uint8_t>(v & targetMax);
    else if (target_.layout == ColorLayout::Grey)  // grey levels go through the palette's gamma
      tables_.level[v] = static_cast<std::uint8_t>((raw * targetMax + sourceMax / 2) / sourceMax);
    else
      tables_.level[v] = gamma_[tables_.scale[v]];
  }

  ChooseRoutine();
  if (!routine_) Refuse(texts::kNoConversionMethod);
  changed_ = false;
}

std::size_t TColorManager::MaskedPixels(std::size_t count, std::uint8_t mask) {
  const auto tail = static_cast<std::uint8_t>(mask & ~(0xFF >> (count & 7)));
  return count / 8 * static_cast<std::size_t>(std::popcount(mask)) + static_cast<std::size_t>(std::popcount(tail));
}

std::size_t TColorManager::SourceRowBytes(std::size_t pixels) const {
  const bool ycc = source_.layout == ColorLayout::YCbCr || source_.layout == ColorLayout::PhotoYCC;
  const std::size_t h = ycc ? static_cast<std::size_t>(subsamplingHorizontal_) : 1;
  const std::size_t stride =
      ycc ? h + 2 : static_cast<std::size_t>(std::max(source_.samples, SamplesOf(source_.layout)));
  const std::size_t units = (pixels + h - 1) / h;
  const auto samples = CheckedMul(units, stride);
  if (!samples) Refuse(texts::kRowTooShort);
  return PackedBytes(*samples, source_.bits);
}

const std::uint8_t* TColorManager::Unpack(std::span<const std::span<const std::uint8_t>> source, std::size_t pixels) {
  const std::size_t stride = tables_.stride;
  const bool planar = source.size() > 1;
  if (!planar && source_.bits == 8) return source[0].data();

  const std::size_t units = (pixels + static_cast<std::size_t>(tables_.subsampling) - 1) /
                            static_cast<std::size_t>(tables_.subsampling);
  const auto total = CheckedMul(units, stride);
  if (!total) Refuse(texts::kRowTooShort);
  if (unpacked_.size() < *total) unpacked_.resize(*total);
  if (!planar) {
    UnpackPlane(source[0].data(), *total, source_.bits, byteSwap_, unpacked_.data(), 1);
  } else {
    for (std::size_t k = 0; k < source.size() && k < stride; ++k)
      UnpackPlane(source[k].data(), pixels, source_.bits, byteSwap_, unpacked_.data() + k, stride);
  }
  return unpacked_.data();
}

void TColorManager::ConvertRow(std::span<const std::span<const std::uint8_t>> source, std::span<std::uint8_t> target,
                               std::size_t count, std::uint8_t mask) {
  if (changed_) Prepare();
  const std::size_t pixels = MaskedPixels(count, mask);
  if (pixels == 0) return;

  // Every buffer is measured once per row; the routines then run unchecked.
  const bool planar = source.size() > 1;
  if (source.empty() || (planar && (tables_.subsampling != 1 || source.size() < tables_.stride)))
    Refuse(texts::kRowTooShort);
  const std::size_t need = planar ? PackedBytes(pixels, source_.bits) : SourceRowBytes(pixels);
  for (const auto& plane : source)
    if (plane.size() < need) Refuse(texts::kRowTooShort);
  const std::optional<PixelFormat> format = PixelFormatFor(Side::Target);
  const int targetBits = format ? BitsPerPixel(*format) : 32;
  const auto targetBitsTotal = CheckedMul(count, static_cast<std::size_t>(targetBits));
  if (!targetBitsTotal || target.size() < (*targetBitsTotal + 7) / 8) Refuse(texts::kRowTooShort);

  routine_(tables_, Unpack(source, pixels), target.data(), count, mask);
}

std::vector<PaletteEntry> TColorManager::MakeGreyPalette(bool minIsWhite) const {
  const int bits = std::min(target_.bits * target_.samples, 8);
  const int entries = 1 << bits;
  std::vector<PaletteEntry> palette(static_cast<std::size_t>(entries));
  for (int k = 0; k < entries; ++k) {
    const std::uint8_t grey = gamma_[k * (255 / (entries - 1))];
    palette[static_cast<std::size_t>(minIsWhite ? entries - 1 - k : k)] = {grey, grey, grey, 255};
  }
  return palette;
}

std::vector<PaletteEntry> TColorManager::MakeColourPalette(const PaletteColours& colours) const {
  const std::size_t width = colours.componentBits == 16 ? 2 : 1;
  // A planar table's planes are as long as the colours it declares, even
  // when only the first 256 make the palette.
  const std::size_t declared =
      std::min(static_cast<std::size_t>(std::max(colours.count, 0)), colours.bytes.size() / (3 * width));
  const std::size_t count = std::min(declared, std::size_t{256});
  auto component = [&](std::size_t entry, std::size_t channel) -> std::uint8_t {
    const std::size_t index = colours.planar ? channel * declared + entry : entry * 3 + channel;
    const std::uint8_t* p = colours.bytes.data() + index * width;
    if (width == 1) return gamma_[p[0]];
    const unsigned v = colours.bigEndian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
    // Truncated, as TIFF colour maps are read everywhere else too.
    return gamma_[v * 255 / 65535];
  };
  std::vector<PaletteEntry> palette(count);
  for (std::size_t i = 0; i < count; ++i) palette[i] = {component(i, 2), component(i, 1), component(i, 0), 255};
  return palette;
}

}  // namespace lumivo
