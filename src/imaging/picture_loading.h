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
Status LoadPictureBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, Bitmap& target);
// The same, decoding JPEG content as `request` allows (the platform route's
// JPEG decoder; other routes load the whole picture and leave `sampled` false).
Status LoadPictureBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, Bitmap& target,
                        const JpegDecodeRequest& request, bool& sampled);

}  // namespace lumivo
