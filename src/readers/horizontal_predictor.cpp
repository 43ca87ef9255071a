#include "readers/horizontal_predictor.h"

#include <cstddef>

namespace lumivo {

namespace {

template <std::size_t kStride>
void UndoBytes(std::uint8_t* row, std::size_t count) {
  for (std::size_t i = kStride; i < count; ++i) row[i] = static_cast<std::uint8_t>(row[i] + row[i - kStride]);
}

}  // namespace

void UndoHorizontalPredictor(std::uint8_t* row, std::uint32_t width, std::uint32_t samplesPerPixel,
                             std::uint32_t bitsPerSample, bool bigEndian) {
  if (width < 2 || samplesPerPixel == 0) return;
  const std::size_t count = std::size_t{width} * samplesPerPixel;
  if (bitsPerSample == 8) {
    // Fixed strides let the compiler keep the running sums in registers.
    switch (samplesPerPixel) {
      case 1: UndoBytes<1>(row, count); return;
      case 3: UndoBytes<3>(row, count); return;
      case 4: UndoBytes<4>(row, count); return;
      default:
        for (std::size_t i = samplesPerPixel; i < count; ++i)
          row[i] = static_cast<std::uint8_t>(row[i] + row[i - samplesPerPixel]);
        return;
    }
  }
  if (bitsPerSample == 16) {
    const std::size_t stride = std::size_t{samplesPerPixel} * 2;
    const int high = bigEndian ? 0 : 1, low = 1 - high;
    for (std::size_t i = stride; i < count * 2; i += 2) {
      const unsigned sum = (row[i + high] << 8 | row[i + low]) + (row[i - stride + high] << 8 | row[i - stride + low]);
      row[i + high] = static_cast<std::uint8_t>(sum >> 8);
      row[i + low] = static_cast<std::uint8_t>(sum);
    }
  }
}

}  // namespace lumivo
