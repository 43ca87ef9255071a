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
// afterwards.
Status LoadUprightPicture(const std::filesystem::path& file, Bitmap& target, Bitmap& scratch);

// The same, decoding JPEG content as `request` allows. Sampling applies only
// to a picture stored upright (`sampled` says whether it did); the preview
// box is turned with the picture.
Status LoadUprightPicture(const std::filesystem::path& file, Bitmap& target, Bitmap& scratch,
                          const JpegDecodeRequest& request, bool& sampled);

}  // namespace lumivo
