#include "core/builtin_pictures.h"

#include <cstring>

#include "resources/pictures.h"

namespace lumivo {

namespace {

Bitmap FromRaw(const resources::RawPicture& raw) {
  Bitmap bitmap;
  const PixelFormat format = raw.bytesPerPixel == 4 ? PixelFormat::Bgra32 : PixelFormat::Bgr24;
  // The built-in pictures are small; allocating them cannot meet the limits.
  (void)bitmap.Allocate(raw.width, raw.height, format);
  const std::size_t rowBytes = static_cast<std::size_t>(raw.width) * raw.bytesPerPixel;
  for (int y = 0; y < raw.height; ++y) std::memcpy(bitmap.Row(y), raw.pixels.data() + y * rowBytes, rowBytes);
  bitmap.setTransparent(raw.bytesPerPixel == 4);
  return bitmap;
}

}  // namespace

Bitmap ProgramLogoBitmap() { return FromRaw(resources::ProgramLogo()); }
Bitmap FailurePictureBitmap() { return FromRaw(resources::FailurePicture()); }
Bitmap TestPictureBitmap() { return FromRaw(resources::TestPicture()); }

}  // namespace lumivo
