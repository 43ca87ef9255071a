#pragma once
// The pixel kernel behind sepia and grey: one 24-bit row at a time.

#include <cstdint>

namespace lumivo {

// Every pixel of the row becomes blue = grey, green = grey + tint,
// red = grey + 2 tint, each limited to 0..255 (tint -255..255; 0 gives
// grey). The grey is 0.30 red + 0.59 green + 0.11 blue in extended
// precision, rounded to the nearest integer, ties to even.
void GreyTintRow(std::uint8_t* row, int width, int tint);

}  // namespace lumivo
