#include "readers/png_filters.h"

#include <cstdlib>

namespace lumivo {

namespace {

inline std::uint8_t Paeth(int a, int b, int c) {
  const int pa = std::abs(b - c);  // |p - a| with p = a + b - c
  const int pb = std::abs(a - c);  // |p - b|
  const int pc = std::abs(a + b - 2 * c);
  if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(a);
  return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// The loops are written per pixel width so that the compiler keeps the
// left pixel in registers for the common widths.
template <std::size_t Bpp>
void Sub(std::uint8_t* row, std::size_t size, std::size_t bpp) {
  const std::size_t step = Bpp ? Bpp : bpp;
  for (std::size_t i = step; i < size; ++i) row[i] = static_cast<std::uint8_t>(row[i] + row[i - step]);
}

template <std::size_t Bpp>
void Average(std::uint8_t* row, const std::uint8_t* prior, std::size_t size, std::size_t bpp) {
  const std::size_t step = Bpp ? Bpp : bpp;
  for (std::size_t i = 0; i < step && i < size; ++i) row[i] = static_cast<std::uint8_t>(row[i] + (prior[i] >> 1));
  for (std::size_t i = step; i < size; ++i)
    row[i] = static_cast<std::uint8_t>(row[i] + ((row[i - step] + prior[i]) >> 1));
}

template <std::size_t Bpp>
void PaethRow(std::uint8_t* row, const std::uint8_t* prior, std::size_t size, std::size_t bpp) {
  const std::size_t step = Bpp ? Bpp : bpp;
  for (std::size_t i = 0; i < step && i < size; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
  for (std::size_t i = step; i < size; ++i)
    row[i] = static_cast<std::uint8_t>(row[i] + Paeth(row[i - step], prior[i], prior[i - step]));
}

template <std::size_t Bpp>
void Unfilter(std::uint8_t filter, std::uint8_t* row, const std::uint8_t* prior, std::size_t size, std::size_t bpp) {
  switch (filter) {
    case 1: Sub<Bpp>(row, size, bpp); break;
    case 2:
      if (prior)
        for (std::size_t i = 0; i < size; ++i) row[i] = static_cast<std::uint8_t>(row[i] + prior[i]);
      break;
    case 3:
      if (prior) {
        Average<Bpp>(row, prior, size, bpp);
      } else {  // above is zero: half the left byte
        const std::size_t step = Bpp ? Bpp : bpp;
        for (std::size_t i = step; i < size; ++i) row[i] = static_cast<std::uint8_t>(row[i] + (row[i - step] >> 1));
      }
      break;
    case 4:
      if (prior)
        PaethRow<Bpp>(row, prior, size, bpp);
      else  // with above and upper-left zero Paeth predicts left
        Sub<Bpp>(row, size, bpp);
      break;
    default: break;
  }
}

}  // namespace

void UnfilterPngRow(std::uint8_t filter, std::span<std::uint8_t> row, std::span<const std::uint8_t> prior,
                    std::size_t bpp) {
  const std::uint8_t* above = prior.size() >= row.size() ? prior.data() : nullptr;
  switch (bpp) {
    case 1: Unfilter<1>(filter, row.data(), above, row.size(), 1); break;
    case 3: Unfilter<3>(filter, row.data(), above, row.size(), 3); break;
    case 4: Unfilter<4>(filter, row.data(), above, row.size(), 4); break;
    default: Unfilter<0>(filter, row.data(), above, row.size(), bpp < 1 ? 1 : bpp); break;
  }
}

}  // namespace lumivo
