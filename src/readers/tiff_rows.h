#pragma once
// How a TIFF image's decoded rows are laid out, and how they become the
// bitmap's rows through the colour manager.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/bitmap.h"
#include "readers/colour_manager.h"
#include "readers/tiff_properties.h"

namespace lumivo {

struct TiffRowLayout {
  std::size_t rowBytes = 0;  // one row of a block (of one plane when planar)
  std::uint32_t samplesPerBlockPixel = 1;
  // Rows coded together: subsampled YCbCr stores blocks of rows at once.
  std::uint32_t rowGroup = 1;
  std::size_t groupBytes = 0;

  static TiffRowLayout For(const TiffProperties& p, std::uint32_t blockWidth, bool planar);
  std::size_t GroupsFor(std::uint32_t rows) const { return (rows + rowGroup - 1) / rowGroup; }
  std::size_t BytesFor(std::uint32_t rows) const { return GroupsFor(rows) * groupBytes; }
};

// Sets the colour manager up from the image's layout, chooses the bitmap's
// pixel format, allocates it (TooLarge over the limits) with its palette,
// and converts groups of decoded rows.
class TiffRowConverter {
 public:
  TiffRowConverter(const TiffProperties& p, Bitmap& target);
  // One group of rows: one span per plane, each `groupBytes` long.
  void ConvertGroup(std::span<const std::span<const std::uint8_t>> planes, int firstRow, int rows);

 private:
  void Finish(std::uint8_t* row) const;

  const TiffProperties& p_;
  Bitmap& target_;
  TColorManager colours_;
  std::size_t rowBytes_ = 0;  // source bytes of a row of the whole picture, per plane
  bool invertGrey_ = false;
  std::vector<std::uint8_t> units_;  // a YCbCr row taken out of its block
};

}  // namespace lumivo
