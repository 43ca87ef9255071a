#include "platform/qt_image.h"

namespace lumivo::platform {

namespace {

QImage::Format QtFormat(PixelFormat format) {
  switch (format) {
    case PixelFormat::Bgr24: return QImage::Format_BGR888;
    case PixelFormat::Bgra32: return QImage::Format_ARGB32;  // B, G, R, A in memory on little-endian
    case PixelFormat::Indexed8: return QImage::Format_Indexed8;
    case PixelFormat::Indexed1: return QImage::Format_Mono;
    case PixelFormat::Rgb15: return QImage::Format_RGB555;
    case PixelFormat::Indexed4: break;
  }
  return QImage::Format_Invalid;
}

}  // namespace

QImage WrapBitmap(Bitmap& bitmap) {
  if (bitmap.empty()) return {};
  return QImage(bitmap.data(), bitmap.width(), bitmap.height(), static_cast<qsizetype>(bitmap.stride()),
                QtFormat(bitmap.format()));
}

QImage WrapBitmap(const Bitmap& bitmap) {
  if (bitmap.empty()) return {};
  return QImage(bitmap.data(), bitmap.width(), bitmap.height(), static_cast<qsizetype>(bitmap.stride()),
                QtFormat(bitmap.format()));
}

}  // namespace lumivo::platform
