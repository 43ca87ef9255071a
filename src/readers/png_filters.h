#pragma once
// Undoing the five PNG row filters, in place.

#include <cstddef>
#include <cstdint>
#include <span>

namespace lumivo {

// Undoes `filter` on `row` against `prior` (the previous row of the same
// pass, already undone; empty for a pass's first row, which counts as
// zeros). `bpp` is the bytes of one complete pixel, at least 1. An unknown
// filter leaves the row as it is.
void UnfilterPngRow(std::uint8_t filter, std::span<std::uint8_t> row, std::span<const std::uint8_t> prior,
                    std::size_t bpp);

}  // namespace lumivo
