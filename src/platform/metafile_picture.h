#pragma once
// Windows and enhanced metafiles on the platform route: drawn at their
// natural size on white.

#include <cstdint>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo::platform {

bool IsMetafile(std::span<const std::uint8_t> bytes);

// Refuses damaged record chains before any library sees them, and pictures
// over the pixel limit (TooLarge) before anything is drawn.
Status ReadMetafile(std::span<const std::uint8_t> bytes, Bitmap& target);

}  // namespace lumivo::platform
