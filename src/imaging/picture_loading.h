#pragma once
// A source file into the working bitmap: by content through the registered
// readers, else through the platform loader. Never throws.

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"
#include "readers/jpeg_decoding.h"

namespace lumivo {

// On failure the bitmap's content is undefined and must not be used.
Status LoadPictureFile(const std::filesystem::path& file, Bitmap& target);
// The same for a file already read; `file` names it in messages.
// JPEG content on the platform route is decoded as `request` allows; every
// other route loads the whole picture.
Result<Decoded> LoadPictureBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& file,
                                 Bitmap& target, const JpegDecodeRequest& request = {});

}  // namespace lumivo
