#include "imaging/platform_loader.h"

#include <string>

#include "core/text_format.h"
#include "readers/jpeg_decoding.h"
#include "platform/platform_picture.h"
#include "resources/texts.h"

namespace lumivo {

Status LoadPlatformPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, Bitmap& target) {
  bool sampled = false;
  return LoadPlatformPicture(bytes, file, target, {}, sampled);
}

Status LoadPlatformPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file, Bitmap& target,
                           const JpegDecodeRequest& request, bool& sampled) {
  sampled = false;
  if (!LooksLikeJpeg(bytes)) {
    if (Status read = platform::ReadPlatformPicture(bytes, target); !read) {
      if (read.kind() != ErrorKind::Broken) return read;
      return Error{FormatText(texts::kNotAPicture, file.string())};
    }
    return {};
  }
  JpegDecodeRequest checked = request;
  if (request.sampleTo) {
    // A picture too small to keep is never sampled, so that the check below sees it.
    checked.sampleTo = [&request](PictureSize full) {
      return full.width < 1 || full.height < 2 ? full : request.sampleTo(full);
    };
  }
  if (Status decoded = DecodeJpeg(bytes, target, checked, sampled); !decoded) return decoded;
  if (!sampled && (target.width() < 1 || target.height() < 2)) return Error{std::string(texts::kPictureTooSmall)};
  return {};
}

}  // namespace lumivo
