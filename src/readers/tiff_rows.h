#pragma once
// How a TIFF image's decoded rows are laid out, and how they become the
// bitmap's rows.

#include <cstddef>
#include <cstdint>

#include "core/bitmap.h"
#include "readers/tiff_properties.h"

namespace lumivo {

// Bit depths and sample counts the reader handles; FailTiff otherwise.
void CheckTiffSamples(const TiffProperties& p);

struct TiffRowLayout {
  std::size_t rowBytes = 0;        // one row of a block (of one plane when planar)
  std::uint32_t samplesPerBlockPixel = 1;
  // Rows coded together: subsampled YCbCr stores blocks of rows at once.
  std::uint32_t rowGroup = 1;
  std::size_t groupBytes = 0;

  static TiffRowLayout For(const TiffProperties& p, std::uint32_t blockWidth, bool planar);
  std::size_t GroupsFor(std::uint32_t rows) const { return (rows + rowGroup - 1) / rowGroup; }
  std::size_t BytesFor(std::uint32_t rows) const { return GroupsFor(rows) * groupBytes; }
  static std::size_t InterleavedBytes(std::uint32_t width, std::uint32_t samples) {
    return std::size_t{width} * samples * 2;
  }
};

// Planar rows (8 or 16 bits a sample) side by side into one row of pixels.
void InterleavePlanes(const std::uint8_t* const* planes, std::uint32_t count, std::uint32_t width,
                      std::uint32_t bitsPerSample, std::uint8_t* out);

// Chooses the bitmap's pixel format, allocates it (TooLarge over the
// limits), builds its palette, and converts groups of decoded rows.
class TiffRowConverter {
 public:
  TiffRowConverter(const TiffProperties& p, Bitmap& target);
  void ConvertGroup(const std::uint8_t* source, int firstRow, int rows);

 private:
  enum class Route : std::uint8_t { Copy, Grey16, TwoBit, Rgb, Rgba, GreyAlpha, Cmyk, YCbCr };
  void ConvertRow(const std::uint8_t* source, std::uint8_t* target) const;

  const TiffProperties& p_;
  Bitmap& target_;
  Route route_ = Route::Copy;
  std::uint32_t samples_ = 1;
  std::size_t sampleBytes_ = 1;
  std::size_t highByte_ = 0;  // where the significant byte of a 16-bit sample is
};

}  // namespace lumivo
