#include "imaging/picture_loading.h"

#include "resources/texts.h"

namespace lumivo {

Status LoadPictureFile(const std::filesystem::path& file, Bitmap&) {
  return Error{FormatText(texts::kNotAPicture, file.string())};
}

}  // namespace lumivo
