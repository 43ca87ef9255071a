#include "imaging/grey_rows.h"

#include <algorithm>
#include <array>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define LUMIVO_GREY_SSSE3 1
#endif

namespace lumivo {

namespace {

// The extended-precision grey differs from the exact n / 100 (n = 30 r +
// 59 g + 11 b) by far less than the 0.01 between n / 100 and any rounding
// boundary, so every grey is (n + 50) / 100 except at exact ties (n ending
// in 50), which go either way and take the extended formula itself.
inline int WeightedSum(const std::uint8_t* pixel) { return 30 * pixel[2] + 59 * pixel[1] + 11 * pixel[0]; }

// The extended sum lies within a hair of below + 0.5; comparing with that
// half gives what rounding to nearest, ties to even, gives.
int TieGrey(const std::uint8_t* pixel, int n) {
  const int below = n / 100;
  const long double grey = 0.30L * pixel[2] + 0.59L * pixel[1] + 0.11L * pixel[0];
  const long double half = below + 0.5L;
  if (grey > half) return below + 1;
  if (grey < half) return below;
  return below + (below & 1);
}

inline int GreyOf(const std::uint8_t* pixel) {
  const int n = WeightedSum(pixel);
  return n % 100 == 50 ? TieGrey(pixel, n) : (n + 50) / 100;
}

void GreyTintScalar(std::uint8_t* p, int width, int tint) {
  for (int x = 0; x < width; ++x, p += 3) {
    const int grey = GreyOf(p);
    p[0] = static_cast<std::uint8_t>(grey);
    p[1] = static_cast<std::uint8_t>(std::clamp(grey + tint, 0, 255));
    p[2] = static_cast<std::uint8_t>(std::clamp(grey + 2 * tint, 0, 255));
  }
}

#ifdef LUMIVO_GREY_SSSE3

// Byte shuffles between 16 pixels as three 16-byte blocks of blue, green,
// red triples and three planes of 16 blues, greens and reds.
struct Shuffles {
  // gather[block][channel]: picks that channel's bytes out of the block.
  std::array<std::array<std::array<std::int8_t, 16>, 3>, 3> gather{};
  // scatter[block][channel]: puts that channel's bytes into the block.
  std::array<std::array<std::array<std::int8_t, 16>, 3>, 3> scatter{};
};

constexpr Shuffles MakeShuffles() {
  Shuffles s;
  for (int block = 0; block < 3; ++block)
    for (int channel = 0; channel < 3; ++channel)
      for (int i = 0; i < 16; ++i) {
        const int from = 3 * i + channel - 16 * block;
        s.gather[block][channel][i] = static_cast<std::int8_t>(from >= 0 && from < 16 ? from : -128);
        const int at = 16 * block + i;
        s.scatter[block][channel][i] = static_cast<std::int8_t>(at % 3 == channel ? at / 3 : -128);
      }
  return s;
}

constexpr Shuffles kShuffles = MakeShuffles();

__attribute__((target("ssse3"))) inline __m128i Mask(const std::array<std::int8_t, 16>& mask) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask.data()));
}

__attribute__((target("ssse3"))) inline __m128i Gather(const __m128i block[3], int channel) {
  return _mm_or_si128(
      _mm_or_si128(_mm_shuffle_epi8(block[0], Mask(kShuffles.gather[0][channel])),
                   _mm_shuffle_epi8(block[1], Mask(kShuffles.gather[1][channel]))),
      _mm_shuffle_epi8(block[2], Mask(kShuffles.gather[2][channel])));
}

__attribute__((target("ssse3"))) inline __m128i Scatter(const __m128i plane[3], int block) {
  return _mm_or_si128(
      _mm_or_si128(_mm_shuffle_epi8(plane[0], Mask(kShuffles.scatter[block][0])),
                   _mm_shuffle_epi8(plane[1], Mask(kShuffles.scatter[block][1]))),
      _mm_shuffle_epi8(plane[2], Mask(kShuffles.scatter[block][2])));
}

// Eight greys as 16-bit lanes: (n + 50) / 100 as (n + 50) * 5243 >> 19,
// exact for every n up to 25500; `ties` marks the lanes where n ends in 50.
__attribute__((target("ssse3"))) inline __m128i Greys(__m128i blue, __m128i green, __m128i red, __m128i& ties) {
  const __m128i n = _mm_add_epi16(
      _mm_add_epi16(_mm_mullo_epi16(red, _mm_set1_epi16(30)), _mm_mullo_epi16(green, _mm_set1_epi16(59))),
      _mm_mullo_epi16(blue, _mm_set1_epi16(11)));
  const __m128i up = _mm_add_epi16(n, _mm_set1_epi16(50));
  const __m128i grey = _mm_srli_epi16(_mm_mulhi_epu16(up, _mm_set1_epi16(5243)), 3);
  ties = _mm_cmpeq_epi16(_mm_mullo_epi16(grey, _mm_set1_epi16(100)), up);
  return grey;
}

__attribute__((target("ssse3"))) int GreyTintSsse3(std::uint8_t* row, int width, int tint) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i once = _mm_set1_epi16(static_cast<short>(tint));
  const __m128i twice = _mm_set1_epi16(static_cast<short>(2 * tint));
  int x = 0;
  for (; x + 16 <= width; x += 16) {
    std::uint8_t* p = row + 3 * x;
    const __m128i block[3] = {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32))};
    const __m128i blue = Gather(block, 0), green = Gather(block, 1), red = Gather(block, 2);
    __m128i tiesLow, tiesHigh;
    __m128i low = Greys(_mm_unpacklo_epi8(blue, zero), _mm_unpacklo_epi8(green, zero),
                        _mm_unpacklo_epi8(red, zero), tiesLow);
    __m128i high = Greys(_mm_unpackhi_epi8(blue, zero), _mm_unpackhi_epi8(green, zero),
                         _mm_unpackhi_epi8(red, zero), tiesHigh);
    if (const int tied = _mm_movemask_epi8(_mm_packs_epi16(tiesLow, tiesHigh)); tied != 0) {
      alignas(16) std::uint16_t greys[16];
      _mm_store_si128(reinterpret_cast<__m128i*>(greys), low);
      _mm_store_si128(reinterpret_cast<__m128i*>(greys + 8), high);
      for (int bits = tied; bits != 0; bits &= bits - 1) {
        const std::uint8_t* pixel = p + 3 * __builtin_ctz(static_cast<unsigned>(bits));
        greys[__builtin_ctz(static_cast<unsigned>(bits))] = static_cast<std::uint16_t>(TieGrey(pixel, WeightedSum(pixel)));
      }
      low = _mm_load_si128(reinterpret_cast<const __m128i*>(greys));
      high = _mm_load_si128(reinterpret_cast<const __m128i*>(greys + 8));
    }
    const __m128i plane[3] = {_mm_packus_epi16(low, high),
                              _mm_packus_epi16(_mm_add_epi16(low, once), _mm_add_epi16(high, once)),
                              _mm_packus_epi16(_mm_add_epi16(low, twice), _mm_add_epi16(high, twice))};
    for (int b = 0; b < 3; ++b) _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16 * b), Scatter(plane, b));
  }
  return x;
}

bool HaveSsse3() {
  static const bool have = __builtin_cpu_supports("ssse3");
  return have;
}

#endif

}  // namespace

void GreyTintRow(std::uint8_t* row, int width, int tint) {
  tint = std::clamp(tint, -255, 255);
  int done = 0;
#ifdef LUMIVO_GREY_SSSE3
  if (HaveSsse3()) done = GreyTintSsse3(row, width, tint);
#endif
  GreyTintScalar(row + 3 * done, width - done, tint);
}

}  // namespace lumivo
