#include "imaging/halftone_stretch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "resources/texts.h"

namespace lumivo {

namespace {

// Which source pixels one target pixel covers along one axis, and how much
// of each. Coordinates are counted in 1 / target units of a source pixel, so
// that every overlap is a whole number: target pixel t covers
// [t * source, (t + 1) * source), source pixel s covers [s * target,
// (s + 1) * target), and the weights of one target pixel add up to `source`.
struct AxisSpan {
  int first = 0;   // first source pixel
  int count = 0;   // number of source pixels
  int weights = 0; // index of the first weight in AxisWeights::weights
};

struct AxisWeights {
  std::vector<AxisSpan> spans;        // one per target pixel of the window
  std::vector<std::uint32_t> weights;
};

AxisWeights WeightsFor(int source, int target, int windowStart, int windowLength) {
  AxisWeights axis;
  axis.spans.reserve(static_cast<std::size_t>(windowLength));
  const std::int64_t s = source, t = target;
  for (int i = 0; i < windowLength; ++i) {
    const std::int64_t begin = (windowStart + i) * s;
    const std::int64_t end = begin + s;
    AxisSpan span;
    span.first = static_cast<int>(begin / t);
    span.weights = static_cast<int>(axis.weights.size());
    for (std::int64_t k = span.first; k < source && k * t < end; ++k) {
      const std::int64_t overlap = std::min(end, (k + 1) * t) - std::max(begin, k * t);
      axis.weights.push_back(static_cast<std::uint32_t>(overlap));
      ++span.count;
    }
    axis.spans.push_back(span);
  }
  return axis;
}

}  // namespace

Status StretchBoxAverage(const Bitmap& source, int targetWidth, int targetHeight, const PixelRect& window,
                         Bitmap& target) {
  if (source.format() != PixelFormat::Bgr24 || source.empty() || targetWidth <= 0 || targetHeight <= 0 ||
      window.x < 0 || window.y < 0 || window.width <= 0 || window.height <= 0 ||
      window.x > targetWidth - window.width || window.y > targetHeight - window.height)
    return Error{std::string(texts::kStretchInvalid)};
  if (Status made = target.Allocate(window.width, window.height, PixelFormat::Bgr24); !made) return made;

  const AxisWeights columns = WeightsFor(source.width(), targetWidth, window.x, window.width);
  const AxisWeights rows = WeightsFor(source.height(), targetHeight, window.y, window.height);
  // Every target pixel's weights add up to source width x source height,
  // at most the pixel limit, so 255 times it fits easily.
  const std::uint64_t total = static_cast<std::uint64_t>(source.width()) * static_cast<std::uint64_t>(source.height());
  const std::size_t values = static_cast<std::size_t>(window.width) * 3;
  std::vector<std::uint64_t> sums(values);

  for (int ty = 0; ty < window.height; ++ty) {
    std::fill(sums.begin(), sums.end(), 0);
    const AxisSpan& rowSpan = rows.spans[static_cast<std::size_t>(ty)];
    for (int r = 0; r < rowSpan.count; ++r) {
      const std::uint8_t* in = source.Row(rowSpan.first + r);
      const std::uint64_t rowWeight = rows.weights[static_cast<std::size_t>(rowSpan.weights + r)];
      for (int tx = 0; tx < window.width; ++tx) {
        const AxisSpan& span = columns.spans[static_cast<std::size_t>(tx)];
        const std::uint32_t* w = columns.weights.data() + span.weights;
        const std::uint8_t* p = in + 3 * static_cast<std::size_t>(span.first);
        std::uint64_t b = 0, g = 0, red = 0;
        for (int c = 0; c < span.count; ++c, p += 3) {
          b += std::uint64_t{w[c]} * p[0];
          g += std::uint64_t{w[c]} * p[1];
          red += std::uint64_t{w[c]} * p[2];
        }
        std::uint64_t* sum = sums.data() + 3 * static_cast<std::size_t>(tx);
        sum[0] += rowWeight * b;
        sum[1] += rowWeight * g;
        sum[2] += rowWeight * red;
      }
    }
    std::uint8_t* out = target.Row(ty);
    for (std::size_t i = 0; i < values; ++i) out[i] = static_cast<std::uint8_t>((sums[i] + total / 2) / total);
  }
  return {};
}

Status StretchBoxAverage(const Bitmap& source, int targetWidth, int targetHeight, Bitmap& target) {
  return StretchBoxAverage(source, targetWidth, targetHeight, PixelRect{0, 0, targetWidth, targetHeight}, target);
}

}  // namespace lumivo
