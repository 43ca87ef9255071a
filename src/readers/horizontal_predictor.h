#pragma once
// Undoing TIFF's horizontal differencing (predictor 2) on one row.

#include <cstdint>

namespace lumivo {

// Each sample from the second pixel on gets the same sample of the pixel
// before it added, modulo its width: byte-wise for 8-bit samples, as
// 16-bit words in the file's byte order for 16-bit ones. A row of one pixel
// has nothing to undo; nothing is touched past the row.
void UndoHorizontalPredictor(std::uint8_t* row, std::uint32_t width, std::uint32_t samplesPerPixel,
                             std::uint32_t bitsPerSample, bool bigEndian);

}  // namespace lumivo
