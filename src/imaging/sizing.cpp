#include "imaging/sizing.h"

#include <cstring>
#include <vector>

#include "core/nearest_sampling.h"
#include "core/rounding.h"

namespace lumivo {

namespace {

int Scaled(int side, int percent) {
  return static_cast<int>(RoundTiesEven(static_cast<long double>(side) / 100.0L * percent));
}

// side x (to / from), rounded as percent sizing rounds, at least 1.
int ScaledBy(int side, int to, int from) {
  const auto scaled = RoundTiesEven(static_cast<long double>(side) / from * to);
  return scaled < 1 ? 1 : static_cast<int>(scaled);
}

PictureSize Fitted(const SizeRequest& box, PictureSize source) {
  const auto [width, height] = source;
  if (width <= 0 || height <= 0 || box.width <= 0 || box.height <= 0) return source;
  if (!box.enlarge && width <= box.width && height <= box.height) return source;
  // Whichever side meets its edge of the box first decides; exact in integers.
  const bool widthDecides =
      static_cast<long long>(box.width) * height <= static_cast<long long>(box.height) * width;
  if (widthDecides) return {box.width, ScaledBy(height, box.width, width)};
  return {ScaledBy(width, box.height, height), box.height};
}

}  // namespace

void StretchNearest(const Bitmap& source, Bitmap& target) {
  const int bytes = BitsPerPixel(source.format()) / 8;
  const auto columns = NearestSampleTable(target.width(), source.width(), static_cast<std::uint32_t>(bytes));
  const auto rows = NearestSampleTable(target.height(), source.height(), 1);
  for (int y = 0; y < target.height(); ++y) {
    std::uint8_t* out = target.Row(y);
    if (y > 0 && rows[static_cast<std::size_t>(y)] == rows[static_cast<std::size_t>(y) - 1]) {
      std::memcpy(out, target.Row(y - 1), target.rowBytes());
      continue;
    }
    const std::uint8_t* in = source.Row(static_cast<int>(rows[static_cast<std::size_t>(y)]));
    switch (bytes) {
      case 1: GatherColumns<1>(in, out, columns); break;
      case 2: GatherColumns<2>(in, out, columns); break;
      case 3: GatherColumns<3>(in, out, columns); break;
      default: GatherColumns<4>(in, out, columns); break;
    }
  }
}

PictureSize TargetSize(const SizeRequest& request, PictureSize source) {
  if (request.fit) return Fitted(request, source);
  int width = request.width, height = request.height;
  if (request.percent > 0) {
    width = Scaled(source.width, request.percent);
    height = Scaled(source.height, request.percent);
  }
  return {width > 0 ? width : source.width, height > 0 ? height : source.height};
}

Status SizeWorkingPicture(Bitmap& working, const SizeRequest& request, Bitmap& source) {
  const auto [targetWidth, targetHeight] = TargetSize(request, {working.width(), working.height()});
  if (working.empty() || (targetWidth == working.width() && targetHeight == working.height())) return {};
  if (BitsPerPixel(working.format()) < 8) {
    if (Status converted = working.ConvertToBgr24(); !converted) return converted;
  }
  working.Swap(source);
  if (Status made = working.Allocate(targetWidth, targetHeight, source.format()); !made) {
    working.Swap(source);  // the picture stays usable
    return made;
  }
  working.palette() = source.palette();
  working.setTransparent(source.transparent());
  StretchNearest(source, working);
  return {};
}

Status SizeWorkingPicture(Bitmap& working, const SizeRequest& request) {
  Bitmap source;
  return SizeWorkingPicture(working, request, source);
}

}  // namespace lumivo
