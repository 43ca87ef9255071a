#include "platform/metafile_picture.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <string>
#include <utility>

#include "platform/gui_presence.h"
#include "platform/metafile_svg.h"
#include "platform/platform_picture.h"
#include "resources/texts.h"

namespace lumivo::platform {

namespace {

Error Damaged() { return Error{std::string(texts::kNotAPictureData)}; }

Status CheckNaturalSize(const PixelSize& size) {
  if (Status allowed = CheckPictureSize(size.width, size.height); !allowed) return allowed;
  // A few hundred bytes can describe a frame of a million pixels across:
  // one no JPEG can hold is not drawn.
  if (Status sides = CheckJpegSides(size.width, size.height); !sides) return sides;
  if (size.width < 1 || size.height < 2) return Error{std::string(texts::kPictureTooSmall)};
  return {};
}

Status DrawSvg(const std::string& svg, const PixelSize& size, Bitmap& target) {
  QSvgRenderer renderer(QByteArray::fromRawData(svg.data(), static_cast<qsizetype>(svg.size())));
  if (!renderer.isValid()) return Damaged();
  QImage canvas(static_cast<int>(size.width), static_cast<int>(size.height), QImage::Format_RGB32);
  if (canvas.isNull()) return Error{std::string(texts::kOutOfMemory), ErrorKind::TooLarge};
  canvas.fill(Qt::white);
  {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, static_cast<qreal>(size.width), static_cast<qreal>(size.height)));
  }
  return DrawPlatformPicture(std::move(canvas), target);
}

}  // namespace

bool IsMetafile(std::span<const std::uint8_t> bytes) { return MetafileKindOf(bytes) != MetafileKind::None; }

Status ReadMetafile(std::span<const std::uint8_t> bytes, Bitmap& target) {
  const MetafileKind kind = MetafileKindOf(bytes);
  if (!RecordsAreSound(bytes, kind)) return Damaged();
  if (!HaveGuiApplication()) return Error{std::string(texts::kMetafileNeedsGui)};

  if (kind == MetafileKind::Enhanced) {
    const auto size = EnhancedFrameSize(bytes);
    if (!size) return Damaged();
    if (Status fits = CheckNaturalSize(*size); !fits) return fits;
    const auto svg = EnhancedToSvg(bytes, *size);
    if (!svg) return Damaged();
    return DrawSvg(*svg, *size, target);
  }
  WindowsMetafile metafile(bytes);
  const auto size = metafile.size();
  if (!size) return Damaged();
  if (Status fits = CheckNaturalSize(*size); !fits) return fits;
  const auto svg = metafile.Svg();
  if (!svg) return Damaged();
  return DrawSvg(*svg, *size, target);
}

}  // namespace lumivo::platform
