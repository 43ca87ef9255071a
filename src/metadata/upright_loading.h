#pragma once
// Loading a source as the user sees it: a photo stored sideways with an
// EXIF orientation comes out upright, so sizes and the watermark apply to
// the upright picture.

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"
#include "readers/jpeg_decoding.h"

namespace lumivo {

// The EXIF orientation of JPEG content (as the metadata transfer captures
// it), 0 when there is none.
int SourceOrientation(std::span<const std::uint8_t> bytes);

// LoadPictureFile, then the lossless turn by the source's orientation.
// `scratch` lends its memory to a quarter turn; its content is undefined
// afterwards. JPEG content is decoded as `request` allows, but sampling
// applies only to a picture stored upright; the preview box is turned with
// the picture.
Result<Decoded> LoadUprightPicture(const std::filesystem::path& file, Bitmap& target, Bitmap& scratch,
                                   const JpegDecodeRequest& request = {});

}  // namespace lumivo
