#include "imaging/watermark_picture.h"

#include "core/builtin_pictures.h"
#include "imaging/picture_loading.h"
#include "resources/texts.h"

namespace lumivo {

WatermarkPicture LogoWatermarkPicture() { return {ProgramLogoBitmap(), {}}; }

WatermarkPicture RestoreWatermarkPicture(const std::filesystem::path& storedFile) {
  WatermarkPicture restored = LogoWatermarkPicture();
  if (!storedFile.empty()) (void)ChooseWatermarkPicture(storedFile, restored);
  return restored;
}

Status ChooseWatermarkPicture(const std::filesystem::path& file, WatermarkPicture& current) {
  Bitmap loaded;
  if (Status status = LoadPictureFile(file, loaded); !status)
    return Error{FormatText(texts::kWatermarkPictureKept, status.message())};
  if (loaded.empty()) return Error{FormatText(texts::kWatermarkPictureKept, FormatText(texts::kNotAPicture, file.string()))};
  current = {std::move(loaded), file};
  return {};
}

}  // namespace lumivo
