#pragma once
// The watermark picture: the program logo, or a picture file of the user's
// choice, loaded like any source.

#include <filesystem>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

struct WatermarkPicture {
  Bitmap picture;              // as loaded; made 24-bit over white when stamped
  std::filesystem::path file;  // the file it came from; empty for the logo
};

WatermarkPicture LogoWatermarkPicture();

// After start or after loading a profile: the picture of WatermarkPictureFile,
// or the logo when that is empty or does not load.
WatermarkPicture RestoreWatermarkPicture(const std::filesystem::path& storedFile);

// A picture file loaded for stamping: an empty picture is no picture.
Result<Bitmap> LoadWatermarkPictureFile(const std::filesystem::path& file);

// A picture the user chose. On success `current` holds it (and the caller
// stores the file as WatermarkPictureFile); on failure `current` stays as it
// was and the error says why.
Status ChooseWatermarkPicture(const std::filesystem::path& file, WatermarkPicture& current);

}  // namespace lumivo
