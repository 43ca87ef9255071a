#include "imaging/platform_loader.h"

#include <string>

#include "core/text_format.h"
#include "readers/jpeg_decoding.h"
#include "platform/platform_picture.h"
#include "resources/texts.h"

namespace lumivo {

Status LoadPlatformPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, Bitmap& target) {
  if (!LooksLikeJpeg(bytes)) {
    if (Status read = platform::ReadPlatformPicture(bytes, target); !read) {
      if (read.kind() != ErrorKind::Broken) return read;
      return Error{FormatText(texts::kNotAPicture, file.string())};
    }
    return {};
  }
  if (Status decoded = DecodeJpeg(bytes, target); !decoded) return decoded;
  if (target.width() < 1 || target.height() < 2) return Error{std::string(texts::kPictureTooSmall)};
  return {};
}

}  // namespace lumivo
