#include "platform/platform_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstdlib>
#include <optional>
#include <cstring>
#include <string>
#include <utility>

#include "core/byte_reader.h"
#include "core/checked_math.h"
#include "platform/metafile_picture.h"
#include "resources/texts.h"

namespace lumivo::platform {

namespace {

bool IsPlatformFormat(const QByteArray& format) {
  return format == "bmp" || format == "ico" || format == "cur" || format == "gif";
}

struct BitmapHeader {
  std::uint64_t width = 0, height = 0;
  bool truncated = false;
};

// Qt fills what a cut-off uncompressed bitmap lacks, so that 60 bytes can
// announce, and become, a picture of millions of pixels. Such a file is
// broken: its pixel rows cannot all be there.
std::optional<BitmapHeader> ReadBitmapHeader(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  // Neither can the rows of a file that ends inside its own header.
  constexpr BitmapHeader kCut{0, 0, true};
  if (bytes.size() < 26) return kCut;
  const std::uint64_t pixelsAt = LoadU32LE(&bytes[10]);
  const std::uint32_t headerSize = LoadU32LE(&bytes[14]);
  std::uint64_t width = 0, height = 0, bits = 0;
  if (headerSize == 12) {
    width = LoadU16LE(&bytes[18]);
    height = LoadU16LE(&bytes[20]);
    bits = LoadU16LE(&bytes[24]);
  } else {
    if (bytes.size() < 34) return kCut;
    width = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(static_cast<std::int32_t>(LoadU32LE(&bytes[18])))));
    height = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(static_cast<std::int32_t>(LoadU32LE(&bytes[22])))));
    bits = LoadU16LE(&bytes[28]);
    const std::uint32_t compression = LoadU32LE(&bytes[30]);
    // Run-length data packs tighter: only its size is known here.
    if (compression != 0 && compression != 3 && compression != 6) return BitmapHeader{width, height, false};
  }
  const std::uint64_t stride = (width * bits + 31) / 32 * 4;  // each factor below 2^32: no overflow
  const auto rows = CheckedMul(static_cast<std::size_t>(stride), static_cast<std::size_t>(height));
  return BitmapHeader{width, height, !rows || pixelsAt + *rows > bytes.size()};
}

}  // namespace

Status ReadPlatformPicture(std::span<const std::uint8_t> bytes, Bitmap& target) {
  if (IsMetafile(bytes)) return ReadMetafile(bytes, target);
  // Qt's own guard against huge pictures sits at our allocation limit.
  QImageReader::setAllocationLimit(static_cast<int>(kAllocationLimit / (1024 * 1024)));
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  if (!IsPlatformFormat(reader.format())) return Error{std::string(texts::kNotAPictureData)};
  // The limit first: a header over it is "too large" whether or not its data is all there.
  const auto bitmap = ReadBitmapHeader(bytes);
  if (bitmap) {
    const auto width = static_cast<std::int64_t>(bitmap->width), height = static_cast<std::int64_t>(bitmap->height);
    if (Status allowed = CheckPictureSize(width, height); !allowed) return allowed;
  }
  const QSize size = reader.size();
  if (size.isValid()) {
    if (Status allowed = CheckPictureSize(size.width(), size.height()); !allowed) return allowed;
  }
  if (bitmap && bitmap->truncated) return Error{std::string(texts::kNotAPictureData)};
  QImage picture;
  if (!reader.read(&picture)) return Error{std::string(texts::kNotAPictureData)};
  return DrawPlatformPicture(std::move(picture), target);
}

Status DrawPlatformPicture(QImage picture, Bitmap& target) {
  if (picture.width() < 1 || picture.height() < 2) return Error{std::string(texts::kPictureTooSmall)};
  // A picture near the limits is held twice at most: loaded and converted,
  // converted and copied, copied and turned to 24 bits.
  const bool alpha = picture.hasAlphaChannel();
  QImage argb = std::move(picture).convertToFormat(QImage::Format_ARGB32);
  picture = QImage();
  if (argb.isNull()) return Error{std::string(texts::kOutOfMemory), ErrorKind::TooLarge};
  Bitmap drawn;
  if (Status made = drawn.Allocate(argb.width(), argb.height(), PixelFormat::Bgra32); !made) return made;
  const std::size_t rowBytes = static_cast<std::size_t>(argb.width()) * 4;
  for (int y = 0; y < argb.height(); ++y) std::memcpy(drawn.Row(y), argb.constScanLine(y), rowBytes);
  argb = QImage();
  // Format_ARGB32 holds B, G, R, A in memory; transparent parts stay white.
  drawn.setTransparent(alpha);
  if (Status converted = drawn.ConvertToBgr24(); !converted) return converted;
  target = std::move(drawn);
  return {};
}

}  // namespace lumivo::platform
