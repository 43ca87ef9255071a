#include "imaging/platform_loader.h"

#include <string>

#include "core/text_format.h"
#include "readers/jpeg_decoding.h"
#include "platform/platform_picture.h"
#include "resources/texts.h"

namespace lumivo {

Result<Decoded> LoadPlatformPicture(std::span<const std::uint8_t> bytes, const std::filesystem::path& file,
                                    Bitmap& target, const JpegDecodeRequest& request) {
  if (!LooksLikeJpeg(bytes)) {
    if (Status read = platform::ReadPlatformPicture(bytes, target); !read) {
      if (read.kind() != ErrorKind::Broken) return read.error();
      return Error{FormatText(texts::kNotAPicture, file.string())};
    }
    return Decoded::Whole;
  }
  JpegDecodeRequest checked = request;
  if (request.sampleTo) {
    // A picture too small to keep is never sampled, so that the check below sees it.
    checked.sampleTo = [&request](PictureSize full) {
      return full.width < 1 || full.height < 2 ? full : request.sampleTo(full);
    };
  }
  const Result<Decoded> decoded = DecodeJpeg(bytes, target, checked);
  if (!decoded) return decoded.error();
  if (*decoded == Decoded::Whole && (target.width() < 1 || target.height() < 2))
    return Error{std::string(texts::kPictureTooSmall)};
  return decoded;
}

}  // namespace lumivo
