#pragma once
// Loading the first image of a TIFF file; the EPS reader uses it for the
// preview inside its files.

#include <cstdint>
#include <span>

#include "core/bitmap.h"

namespace lumivo {

// `bytes` start at the TIFF header. Throws Failure (TooLarge over the
// limits) with the reader's own texts.
void LoadTiffImage(std::span<const std::uint8_t> bytes, Bitmap& target);

}  // namespace lumivo
