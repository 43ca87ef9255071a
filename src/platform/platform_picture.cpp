#include "platform/platform_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>
#include <string>

#include "resources/texts.h"

namespace lumivo::platform {

namespace {

bool IsPlatformFormat(const QByteArray& format) {
  return format == "bmp" || format == "ico" || format == "cur" || format == "gif";
}

}  // namespace

Status ReadPlatformPicture(std::span<const std::uint8_t> bytes, Bitmap& target) {
  // Qt's own guard against huge pictures sits at our pixel limit.
  QImageReader::setAllocationLimit(static_cast<int>(Bitmap::kPixelLimit * 4 / (1024 * 1024)));
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  if (!IsPlatformFormat(reader.format())) return Error{std::string(texts::kNotAPictureData)};
  const QSize size = reader.size();
  if (size.isValid()) {
    if (Status allowed = CheckPictureSize(size.width(), size.height()); !allowed) return allowed;
  }
  QImage picture;
  if (!reader.read(&picture)) return Error{std::string(texts::kNotAPictureData)};
  return DrawPlatformPicture(picture, target);
}

Status DrawPlatformPicture(const QImage& picture, Bitmap& target) {
  if (picture.width() < 1 || picture.height() < 2) return Error{std::string(texts::kPictureTooSmall)};
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  if (argb.isNull()) return Error{std::string(texts::kOutOfMemory)};
  Bitmap drawn;
  if (Status made = drawn.Allocate(argb.width(), argb.height(), PixelFormat::Bgra32); !made) return made;
  const std::size_t rowBytes = static_cast<std::size_t>(argb.width()) * 4;
  for (int y = 0; y < argb.height(); ++y) std::memcpy(drawn.Row(y), argb.constScanLine(y), rowBytes);
  // Format_ARGB32 holds B, G, R, A in memory; transparent parts stay white.
  drawn.setTransparent(picture.hasAlphaChannel());
  if (Status converted = drawn.ConvertToBgr24(); !converted) return converted;
  target = std::move(drawn);
  return {};
}

}  // namespace lumivo::platform
