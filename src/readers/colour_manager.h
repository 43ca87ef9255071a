#pragma once
// The colour manager every reader owns: the reader describes the samples it
// decoded (source) and the bitmap it fills (target); ConvertRow then turns
// one decoded row at a time into a bitmap row. It also chooses the bitmap's
// pixel format, builds grey and colour palettes and applies gamma.
//
// Source rows: 1 to 16 bits per sample, packed from the high bit down with
// each row starting on a byte; 16-bit samples little-endian unless byte swap
// is set. One plane holds interleaved samples, or one plane per sample.
// Samples beyond the layout's own (samples per pixel above them) are passed
// over. YCbCr with horizontal subsampling h comes in units of h luma samples
// followed by Cb and Cr; vertical subsampling is the caller's: it hands the
// same chroma to each row of a block.
//
// Target rows: grey and indexed targets are written as 1, 4 or 8 bits a
// pixel (the pixel format of their bits), colour targets as 8-bit samples
// in the target's order, or as 15-bit words when they have 5 bits or fewer.
//
// Every setting and every refusal throws EColorConversionError with the
// program's text; a reader lets it pass to the loading boundary.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

class EColorConversionError final : public Failure {
 public:
  using Failure::Failure;
};

enum class ColorLayout : std::uint8_t {
  None,
  Indexed,
  Grey,
  GreyAlpha,
  RGB,
  RGBA,
  BGR,
  BGRA,
  CMY,
  CMYK,
  CIELab,
  YCbCr,
  PhotoYCC,
};

// Samples a pixel of the layout carries (0 for None).
int SamplesOf(ColorLayout layout);

struct YCbCrCoefficients {
  double red = 0.299, green = 0.587, blue = 0.114;
};

// Colour data for MakeColourPalette: `count` red-green-blue triples,
// interleaved (r g b r g b ...) or planar (all reds, all greens, all blues).
struct PaletteColours {
  std::span<const std::uint8_t> bytes;
  int count = 0;
  int componentBits = 8;  // 8 or 16
  bool planar = false;
  bool bigEndian = false;  // of 16-bit components
};

class TColorManager final {
 public:
  TColorManager();

  enum class Side : std::uint8_t { Source, Target };

  // Throw EColorConversionError for 0 or more than 16 bits, 0 or more than 4 samples.
  void SetBitsPerSample(Side side, int bits);
  void SetSamplesPerPixel(Side side, int samples);
  void SetLayout(Side side, ColorLayout layout);
  // Both sides at once, samples per pixel from the layout.
  void SetSource(ColorLayout layout, int bits);
  void SetTarget(ColorLayout layout, int bits);

  // 16-bit source samples are big-endian.
  void SetSourceByteSwap(bool swap);
  // L*a*b* a and b are stored 0..255 around 128 instead of as signed bytes.
  void SetSourceLabByteRange(bool byteRange);
  // Display gamma and file gamma (0 or below: 2.2 and 1); switches gamma on.
  void SetGamma(double displayGamma, double fileGamma);
  // Throws for subsampling other than 1, 2 or 4, or vertical above horizontal.
  void SetYCbCrParameters(const YCbCrCoefficients& coefficients, int vertical, int horizontal);

  ColorLayout layout(Side side) const { return side == Side::Source ? source_.layout : target_.layout; }
  int bitsPerSample(Side side) const { return side == Side::Source ? source_.bits : target_.bits; }
  int samplesPerPixel(Side side) const { return side == Side::Source ? source_.samples : target_.samples; }

  // The bitmap format for a side's bits and samples; nothing for a custom one.
  std::optional<PixelFormat> PixelFormatFor(Side side) const;
  // Chooses the row routine and its tables; ConvertRow does it by itself
  // after any change. Throws when the layouts cannot be converted.
  void Prepare();

  // Bytes a source row (or each plane of a planar row) holds for `pixels`
  // source pixels.
  std::size_t SourceRowBytes(std::size_t pixels) const;
  // How many source pixels a target row of `count` pixels takes under a mask.
  static std::size_t MaskedPixels(std::size_t count, std::uint8_t mask);

  // Converts one row: `source` is one interleaved plane or one plane per
  // sample; `count` target pixels are walked, and where `mask` has the bit
  // of a pixel in its group of eight (bit 7 for the first) the next source
  // pixel is written there; other target pixels keep their content. Throws
  // when no routine fits or a buffer is too short for the row.
  void ConvertRow(std::span<const std::span<const std::uint8_t>> source, std::span<std::uint8_t> target,
                  std::size_t count, std::uint8_t mask = 0xFF);
  void ConvertRow(std::span<const std::uint8_t> source, std::span<std::uint8_t> target, std::size_t count,
                  std::uint8_t mask = 0xFF) {
    ConvertRow(std::span(&source, 1), target, count, mask);
  }

  // 2^min(target bits x samples, 8) grey levels, through gamma when it is on.
  std::vector<PaletteEntry> MakeGreyPalette(bool minIsWhite) const;
  // Up to 256 entries; components through gamma when it is on.
  std::vector<PaletteEntry> MakeColourPalette(const PaletteColours& colours) const;

  // Output level of each 8-bit input level (the identity while gamma is off).
  const std::array<std::uint8_t, 256>& gammaTable() const { return gamma_; }

  // What the row routines read; built by Prepare.
  struct Tables {
    std::array<std::uint8_t, 256> level{};   // raw sample to output level, gamma included
    std::array<std::uint8_t, 256> scale{};   // raw sample to 8 bits, no gamma
    std::array<std::uint8_t, 256> gamma{};   // 8-bit level through gamma
    std::array<int, 256> crToRed{}, cbToBlue{}, crToGreen{}, cbToGreen{};
    std::size_t stride = 1;                  // samples of one source pixel (or unit)
    int subsampling = 1;                     // luma samples of a YCbCr unit
    int red = 2, green = 1, blue = 0, alpha = 3;  // target sample positions
    int targetBits = 8;                      // of an indexed or grey target
    bool labByteRange = false;
  };
  using RowRoutine = void (*)(const Tables&, const std::uint8_t* in, std::uint8_t* target, std::size_t count,
                              std::uint8_t mask);

 private:
  struct Settings {
    ColorLayout layout = ColorLayout::None;
    int bits = 8;
    int samples = 1;
  };

  void Changed() { changed_ = true; }
  void BuildGamma();
  void ChooseRoutine();
  void BuildChromaTables();
  const std::uint8_t* Unpack(std::span<const std::span<const std::uint8_t>> source, std::size_t pixels);

  Settings source_;
  Settings target_;
  bool byteSwap_ = false;
  bool applyGamma_ = false;
  double fileGamma_ = 1.0;
  double displayGamma_ = 2.2;
  YCbCrCoefficients coefficients_;
  int subsamplingHorizontal_ = 1;
  int subsamplingVertical_ = 1;
  std::array<std::uint8_t, 256> gamma_{};
  Tables tables_;
  RowRoutine routine_ = nullptr;
  std::vector<std::uint8_t> unpacked_;
  bool changed_ = true;
};

}  // namespace lumivo
