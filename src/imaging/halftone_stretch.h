#pragma once
// The box-average ("halftone") stretch: each target pixel takes the average
// colour of the source pixels it covers, weighted by the area covered.

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

// A rectangle of pixels: columns x .. x + width - 1, rows y .. y + height - 1.
struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
};

// Stretches the 24-bit source to targetWidth x targetHeight and keeps only
// the part `window` of that result in `target` (window.width x window.height,
// 24-bit), so that a huge stretch of which little is seen costs only what is
// seen. The window must lie inside the stretched size.
Status StretchBoxAverage(const Bitmap& source, int targetWidth, int targetHeight, const PixelRect& window,
                         Bitmap& target);

// The whole stretched picture.
Status StretchBoxAverage(const Bitmap& source, int targetWidth, int targetHeight, Bitmap& target);

}  // namespace lumivo
