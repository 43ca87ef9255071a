#pragma once
// Loading a source as the user sees it: a photo stored sideways with an
// EXIF orientation comes out upright, so sizes and the watermark apply to
// the upright picture.

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

// The EXIF orientation of JPEG content (as the metadata transfer captures
// it), 0 when there is none.
int SourceOrientation(std::span<const std::uint8_t> bytes);

// LoadPictureFile, then the lossless turn by the source's orientation.
// `scratch` lends its memory to a quarter turn; its content is undefined
// afterwards.
Status LoadUprightPicture(const std::filesystem::path& file, Bitmap& target, Bitmap& scratch);

}  // namespace lumivo
