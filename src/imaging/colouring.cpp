#include "imaging/colouring.h"

#include <algorithm>
#include <array>

#include "core/rounding.h"
#include "platform/system_colour.h"

namespace lumivo {

namespace {

using ByteTable = std::array<std::uint8_t, 256>;

// The grey of a pixel is round(0.30 r + 0.59 g + 0.11 b) worked out in
// extended precision. Its error is far below the 0.01 that separates the
// exact value n / 100 (n = 30 r + 59 g + 11 b) from any other rounding
// boundary, so only exact ties (n ending in 50) can go either way and need
// the extended formula; every other grey comes from an integer table.
constexpr int kTie = 0x100;

long double ExtendedGrey(int red, int green, int blue) {
  return 0.30L * red + 0.59L * green + 0.11L * blue;
}

struct GreyTables {
  std::array<std::uint16_t, 256> red, green, blue;  // 30 r, 59 g, 11 b
  std::array<std::uint16_t, 25501> grey;             // by n: the grey, or kTie
};

const GreyTables& Grey() {
  static const GreyTables tables = [] {
    GreyTables t{};
    for (int v = 0; v < 256; ++v) {
      t.red[v] = static_cast<std::uint16_t>(30 * v);
      t.green[v] = static_cast<std::uint16_t>(59 * v);
      t.blue[v] = static_cast<std::uint16_t>(11 * v);
    }
    for (int n = 0; n < static_cast<int>(t.grey.size()); ++n)
      t.grey[n] = static_cast<std::uint16_t>(n % 100 == 50 ? kTie : (n + 50) / 100);
    return t;
  }();
  return tables;
}

inline std::uint8_t GreyOf(const GreyTables& t, const std::uint8_t* pixel) {
  const int n = t.red[pixel[2]] + t.green[pixel[1]] + t.blue[pixel[0]];
  const int grey = t.grey[n];
  if (grey != kTie) return static_cast<std::uint8_t>(grey);
  return static_cast<std::uint8_t>(RoundTiesEven(ExtendedGrey(pixel[2], pixel[1], pixel[0])));
}

// Writes every pixel's grey through the three tables (blue, green, red).
void GreyPass(Bitmap& bitmap, const ByteTable& blue, const ByteTable& green, const ByteTable& red) {
  const GreyTables& t = Grey();
  const int width = bitmap.width();
  for (int y = 0; y < bitmap.height(); ++y) {
    std::uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      const std::uint8_t grey = GreyOf(t, p);
      p[0] = blue[grey];
      p[1] = green[grey];
      p[2] = red[grey];
    }
  }
}

ByteTable Identity() {
  ByteTable table{};
  for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(v);
  return table;
}

ByteTable Shifted(int offset) {
  ByteTable table{};
  for (int v = 0; v < 256; ++v) table[v] = static_cast<std::uint8_t>(std::clamp(v + offset, 0, 255));
  return table;
}

// v = ((f - o) p + p) / 2 in extended precision, cut toward zero, limited.
ByteTable OwnColourTable(double factor, double offset) {
  const long double step = static_cast<long double>(factor) - static_cast<long double>(offset);
  ByteTable table{};
  for (int p = 0; p < 256; ++p) {
    const long double v = (step * p + p) / 2;
    const long long cut = static_cast<long long>(v);
    table[p] = static_cast<std::uint8_t>(std::clamp<long long>(cut, 0, 255));
  }
  return table;
}

}  // namespace

bool ConvertToGrey(Bitmap& bitmap) {
  if (!bitmap.ConvertToBgr24()) return false;
  const ByteTable same = Identity();
  GreyPass(bitmap, same, same, same);
  return true;
}

bool ApplySepia(Bitmap& bitmap, int strength) {
  if (!bitmap.ConvertToBgr24()) return false;
  // Grey and tint in one walk: the tint depends on the grey alone.
  const int a = std::clamp(strength, -255, 255);
  GreyPass(bitmap, Identity(), Shifted(a), Shifted(2 * a));
  return true;
}

bool ApplyOwnColour(Bitmap& bitmap, std::uint32_t colour, int strength, bool whiteFilter) {
  if (!bitmap.ConvertToBgr24()) return false;
  const int s = std::clamp(strength, 0, 255);
  const int d = s == 255 ? 1 : 255 - s;
  const platform::PlainColour c = platform::ResolveColour(colour);
  const double fb = static_cast<double>(c.blue) / d + 1;
  const double fg = static_cast<double>(c.green) / d + 1;
  const double fr = static_cast<double>(c.red) / d + 1;
  const double o = whiteFilter ? (fb + fg + fr) / 9 : 0;
  const ByteTable blue = OwnColourTable(fb, o);
  const ByteTable green = OwnColourTable(fg, o);
  const ByteTable red = OwnColourTable(fr, o);
  const int width = bitmap.width();
  for (int y = 0; y < bitmap.height(); ++y) {
    std::uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      p[0] = blue[p[0]];
      p[1] = green[p[1]];
      p[2] = red[p[2]];
    }
  }
  return true;
}

}  // namespace lumivo
