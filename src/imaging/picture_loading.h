#pragma once
// A source file into the working bitmap: by content through the registered
// readers, else through the platform loader. Never throws.

#include <filesystem>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

// On failure the bitmap's content is undefined and must not be used.
Status LoadPictureFile(const std::filesystem::path& file, Bitmap& target);

}  // namespace lumivo
