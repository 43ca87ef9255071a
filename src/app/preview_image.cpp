#include "app/preview_image.h"

#include "metadata/upright_loading.h"
#include "platform/qt_image.h"
#include "readers/jpeg_decoding.h"

namespace lumivo::app {

namespace {

JpegDecodeRequest Covering(QSize box) {
  JpegDecodeRequest request;
  request.coverBox = {box.width(), box.height()};
  return request;
}

}  // namespace

QImage FitImage(Bitmap picture, QSize box) {
  if (picture.format() != PixelFormat::Bgr24 && picture.format() != PixelFormat::Bgra32 && !picture.ConvertToBgr24())
    return {};
  const QImage wrapped = platform::WrapBitmap(picture);
  if (box.isEmpty() || (wrapped.width() <= box.width() && wrapped.height() <= box.height())) return wrapped.copy();
  return wrapped.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

Result<QImage> LoadPreview(const std::filesystem::path& file, QSize box) {
  Bitmap picture, scratch;
  if (const auto loaded = LoadUprightPicture(file, picture, scratch, Covering(box)); !loaded) return loaded.error();
  return FitImage(std::move(picture), box);
}

QImage DecodePreview(std::span<const std::uint8_t> jpeg, QSize box) {
  Bitmap picture;
  if (!DecodeJpeg(jpeg, picture, Covering(box))) return {};
  return FitImage(std::move(picture), box);
}

}  // namespace lumivo::app
