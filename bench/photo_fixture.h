#pragma once
// A photographic test picture for benchmarks: smooth light, edges and
// grain, so that the JPEG coder sees what it sees in real photographs.

#include <cstdint>
#include <filesystem>

#include "core/bitmap.h"

namespace lumivo::bench {

Bitmap MakePhoto(int width, int height, std::uint32_t seed);

// The photo as a JPEG at quality 90 under `file`, made once and kept.
std::filesystem::path CachedPhotoJpeg(const std::filesystem::path& file, int width, int height, std::uint32_t seed);

}  // namespace lumivo::bench
