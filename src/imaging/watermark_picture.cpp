#include "imaging/watermark_picture.h"

#include "core/builtin_pictures.h"
#include "core/text_format.h"
#include "imaging/picture_loading.h"
#include "resources/texts.h"

namespace lumivo {

WatermarkPicture LogoWatermarkPicture() { return {ProgramLogoBitmap(), {}}; }

WatermarkPicture RestoreWatermarkPicture(const std::filesystem::path& storedFile) {
  WatermarkPicture restored = LogoWatermarkPicture();
  if (!storedFile.empty()) (void)ChooseWatermarkPicture(storedFile, restored);
  return restored;
}

Result<Bitmap> LoadWatermarkPictureFile(const std::filesystem::path& file) {
  Bitmap loaded;
  if (Status status = LoadPictureFile(file, loaded); !status) return status.error();
  if (loaded.empty()) return Error{FormatText(texts::kNotAPicture, file.string())};
  return loaded;
}

Status ChooseWatermarkPicture(const std::filesystem::path& file, WatermarkPicture& current) {
  auto loaded = LoadWatermarkPictureFile(file);
  if (!loaded) return Error{FormatText(texts::kWatermarkPictureKept, loaded.message())};
  current = {std::move(loaded).value(), file};
  return {};
}

}  // namespace lumivo
