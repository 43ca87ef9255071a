#include "imaging/watermark.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "core/rounding.h"
#include "core/text_format.h"
#include "imaging/halftone_stretch.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

int ToInt(std::int64_t value) {
  return static_cast<int>(
      std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The part of a w x h rectangle at (x, y) that lies on a W x H picture.
struct Clip {
  std::int64_t left, top, right, bottom;  // right and bottom exclusive
  bool empty() const { return left >= right || top >= bottom; }
};

Clip ClipToPicture(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h, int width, int height) {
  return {std::max<std::int64_t>(x, 0), std::max<std::int64_t>(y, 0), std::min<std::int64_t>(x + w, width),
          std::min<std::int64_t>(y + h, height)};
}

}  // namespace

double WatermarkScaleFactor(int index) {
  if (index == -1) return -8;
  if (index < 0 || index >= static_cast<int>(kWatermarkScaleChoices.size())) index = kDefaultWatermarkScaleIndex;
  return kWatermarkScaleChoices[static_cast<std::size_t>(index)].factor;
}

PixelPoint PlaceWatermark(int position, int marginX, int marginY, int width, int height, int watermarkWidth,
                          int watermarkHeight) {
  const std::int64_t mx = marginX, my = marginY, W = width, H = height, w = watermarkWidth, h = watermarkHeight;
  std::int64_t x = mx, y = my;
  switch (position) {
    case kBottomLeft: y = H - my - h; break;
    case kTopRight: x = W - mx - w; break;
    case kBottomRight:
      x = W - mx - w;
      y = H - my - h;
      break;
    case kCentre:
      x = mx + W / 2 - w / 2;
      y = my + H / 2 - h / 2;
      break;
    default: break;
  }
  return {ToInt(x), ToInt(y)};
}

Result<PixelSize> ScaledWatermarkSize(int width, int height, double factor) {
  const long double k = std::fabs(static_cast<long double>(factor));
  const long double w = static_cast<long double>(std::max(width, 0)) * k;
  const long double h = static_cast<long double>(std::max(height, 0)) * k;
  if (!std::isfinite(k)) return Error{std::string(texts::kStretchInvalid)};
  const auto limit = static_cast<long double>(Bitmap::kPixelLimit);
  if (w > limit || h > limit)
    return Error{FormatText(texts::kPictureTooLarge, static_cast<long long>(std::min(w, 1e15L)),
                            static_cast<long long>(std::min(h, 1e15L))),
                 ErrorKind::TooLarge};
  return PixelSize{static_cast<int>(RoundTiesEven(w)), static_cast<int>(RoundTiesEven(h))};
}

Status BlendWatermark(const Bitmap& watermark, Bitmap& working, int x, int y, int a) {
  if (Status made = working.ConvertToBgr24(); !made) return made;
  const Bitmap* mark = &watermark;
  Bitmap converted;
  if (watermark.format() != PixelFormat::Bgr24) {
    converted = watermark;
    if (Status made = converted.ConvertToBgr24(); !made) return made;
    mark = &converted;
  }
  const Clip clip = ClipToPicture(x, y, mark->width(), mark->height(), working.width(), working.height());
  if (clip.empty()) return {};
  const int weight = std::clamp(a, 0, 255);
  const std::size_t bytes = static_cast<std::size_t>(3 * (clip.right - clip.left));
  const std::size_t markOffset = static_cast<std::size_t>(3 * (clip.left - x));
  const std::size_t pictureOffset = static_cast<std::size_t>(3 * clip.left);
  for (std::int64_t row = clip.top; row < clip.bottom; ++row) {
    const std::uint8_t* s = mark->Row(static_cast<int>(row - y)) + markOffset;
    std::uint8_t* p = working.Row(static_cast<int>(row)) + pictureOffset;
    if (weight == 0) {
      std::memcpy(p, s, bytes);
      continue;
    }
    for (std::size_t i = 0; i < bytes; ++i)
      p[i] = static_cast<std::uint8_t>((s[i] * (255 - weight) + p[i] * weight) / 255);
  }
  return {};
}

Status ApplyPictureWatermark(Bitmap& working, const Bitmap& picture, int position, double factor,
                             int transparencyPercent, bool transparency, int marginX, int marginY) {
  if (Status made = working.ConvertToBgr24(); !made) return made;
  if (picture.empty()) return Error{std::string(texts::kWatermarkPictureMissing)};
  const int a = transparency ? PercentToByte(std::clamp(transparencyPercent, 0, 100)) : 0;
  const Result<PixelSize> size = ScaledWatermarkSize(picture.width(), picture.height(), factor);
  if (!size) return size.status();
  if (size->width == 0 || size->height == 0 || working.empty()) return {};

  const PixelPoint at =
      PlaceWatermark(position, marginX, marginY, working.width(), working.height(), size->width, size->height);
  const Clip clip = ClipToPicture(at.x, at.y, size->width, size->height, working.width(), working.height());
  if (clip.empty()) return {};

  Bitmap natural = picture;  // transparent parts come out white
  if (Status made = natural.ConvertToBgr24(); !made) return made;
  // Only the part that lands on the picture is stretched: an eightfold
  // watermark on a small picture costs no more than the picture.
  const PixelRect window{static_cast<int>(clip.left - at.x), static_cast<int>(clip.top - at.y),
                         static_cast<int>(clip.right - clip.left), static_cast<int>(clip.bottom - clip.top)};
  Bitmap part;
  if (Status stretched = StretchBoxAverage(natural, size->width, size->height, window, part); !stretched)
    return stretched;
  return BlendWatermark(part, working, static_cast<int>(clip.left), static_cast<int>(clip.top), a);
}

}  // namespace lumivo
