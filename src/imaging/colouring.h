#pragma once
// The two colourings of a conversion: sepia, and an own colour with an
// optional white filter. Both make the bitmap 24-bit and change it in place.

#include <cstdint>

#include "core/bitmap.h"

namespace lumivo {

// Grey, then red + 2a and green + a (a = strength 1..100, used unscaled).
// False only when the bitmap cannot be made 24-bit; it is then unchanged.
[[nodiscard]] bool ApplySepia(Bitmap& bitmap, int strength);

// The grey pass of ApplySepia on its own.
[[nodiscard]] bool ConvertToGrey(Bitmap& bitmap);

// colour: a stored colour value (0x1FFFFFFF, "no colour", acts as white);
// strength: 0..255, the percentage through PercentToByte.
[[nodiscard]] bool ApplyOwnColour(Bitmap& bitmap, std::uint32_t colour, int strength, bool whiteFilter);

}  // namespace lumivo
