#pragma once
// The route for every file no registered reader claims: JPEG content
// through libjpeg-turbo, bitmaps, icons and GIF through the platform.

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"
#include "readers/jpeg_decoding.h"

namespace lumivo {

// Pictures less than 1 pixel wide or 2 high are refused: the encoder needs
// two rows. On success the bitmap is 24-bit. `file` names the bytes in
// messages.
// JPEG content is decoded as `request` allows; the size limits apply to the
// full picture.
Result<Decoded> LoadPlatformPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file,
                                    Bitmap& target, const JpegDecodeRequest& request = {});

}  // namespace lumivo
