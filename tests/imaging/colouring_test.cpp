#include <gtest/gtest.h>

#include <vector>

#include "core/builtin_pictures.h"
#include "core/font_description.h"
#include "core/rounding.h"
#include "imaging/colouring.h"
#include "pixel_test_helpers.h"
#include "platform/system_colour.h"

namespace lumivo {
namespace {

using test::Bgr;
using test::PixelAt;

// One pixel per value, every byte of a pixel the same.
Bitmap GreyRow(const std::vector<int>& values) {
  Bitmap b;
  (void)b.Create(static_cast<int>(values.size()), 1, PixelFormat::Bgr24);
  for (std::size_t i = 0; i < values.size(); ++i)
    for (int c = 0; c < 3; ++c) b.Row(0)[3 * i + c] = static_cast<std::uint8_t>(values[i]);
  return b;
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y)
    if (!std::equal(a.Row(y), a.Row(y) + a.rowBytes(), b.Row(y))) return false;
  return true;
}

TEST(Sepia, WorkedValues) {
  struct Case {
    int strength, grey;
    Bgr expected;
  };
  const Case cases[] = {
      {25, 100, {100, 125, 150}}, {25, 60, {60, 85, 110}},  {25, 255, {255, 255, 255}}, {25, 0, {0, 25, 50}},
      {100, 100, {100, 200, 255}}, {100, 60, {60, 160, 255}}, {100, 255, {255, 255, 255}}, {100, 0, {0, 100, 200}},
  };
  for (const Case& c : cases) {
    Bitmap b = GreyRow({c.grey});
    ASSERT_TRUE(ApplySepia(b, c.strength));
    EXPECT_EQ(PixelAt(b, 0, 0), c.expected) << "strength " << c.strength << ", grey " << c.grey;
  }
}

// Every one of the 2^24 colours against the extended-precision formula, so
// the fast grey is proven equal, ties included.
TEST(Sepia, GreyEqualsTheExtendedFormulaForEveryColour) {
  Bitmap b;
  ASSERT_TRUE(b.Allocate(4096, 4096, PixelFormat::Bgr24));
  for (int y = 0; y < 4096; ++y)
    for (int x = 0; x < 4096; ++x) {
      const int colour = y * 4096 + x;
      std::uint8_t* p = b.Row(y) + 3 * x;
      p[0] = static_cast<std::uint8_t>(colour);
      p[1] = static_cast<std::uint8_t>(colour >> 8);
      p[2] = static_cast<std::uint8_t>(colour >> 16);
    }
  ASSERT_TRUE(ConvertToGrey(b));
  int wrong = 0;
  for (int y = 0; y < 4096; ++y)
    for (int x = 0; x < 4096; ++x) {
      const int colour = y * 4096 + x;
      const int blue = colour & 0xFF, green = (colour >> 8) & 0xFF, red = colour >> 16;
      const auto expected = static_cast<int>(RoundTiesEven(0.30L * red + 0.59L * green + 0.11L * blue));
      const std::uint8_t* p = b.Row(y) + 3 * x;
      if (p[0] != expected || p[1] != expected || p[2] != expected) ++wrong;
    }
  EXPECT_EQ(wrong, 0);
}

// Rows are worked 16 pixels at a time where the processor allows, the rest
// one by one: every width gives the exact greys and tints.
TEST(Sepia, EveryRowWidthGivesTheExactTint) {
  for (const int width : {1, 15, 16, 17, 37}) {
    Bitmap b;
    ASSERT_TRUE(b.Allocate(width, 64, PixelFormat::Bgr24));
    std::uint32_t seed = 12345;
    for (int y = 0; y < 64; ++y)
      for (std::size_t i = 0; i < b.rowBytes(); ++i) b.Row(y)[i] = static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    const Bitmap before = b;
    ASSERT_TRUE(ApplySepia(b, 70));
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < width; ++x) {
        const Bgr p = PixelAt(before, x, y);
        const auto g = static_cast<int>(RoundTiesEven(0.30L * p[2] + 0.59L * p[1] + 0.11L * p[0]));
        ASSERT_EQ(PixelAt(b, x, y), (Bgr{g, std::min(g + 70, 255), std::min(g + 140, 255)})) << width << ": " << x << "," << y;
      }
  }
}

TEST(Sepia, TintsTinyAndNon24BitPicturesAfterMakingThem24Bit) {
  Bitmap one = test::Filled(1, 1, 100);
  ASSERT_TRUE(ApplySepia(one, 25));
  EXPECT_EQ(PixelAt(one, 0, 0), (Bgr{100, 125, 150}));

  Bitmap indexed;
  ASSERT_TRUE(indexed.Create(2, 1, PixelFormat::Indexed8, 0));
  indexed.palette() = {{100, 100, 100, 255}};
  ASSERT_TRUE(ApplySepia(indexed, 25));
  EXPECT_EQ(indexed.format(), PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(indexed, 1, 0), (Bgr{100, 125, 150}));

  Bitmap withAlpha;
  ASSERT_TRUE(withAlpha.Create(1, 2, PixelFormat::Bgra32, 60));
  ASSERT_TRUE(ApplySepia(withAlpha, 100));
  EXPECT_EQ(withAlpha.format(), PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(withAlpha, 0, 1), (Bgr{60, 160, 255}));
}

TEST(OwnColour, WorkedValues) {
  struct Case {
    const char* what;
    std::uint32_t colour;
    int strength;
    bool whiteFilter;
    std::vector<int> bytes;
    std::vector<Bgr> expected;
  };
  const Case cases[] = {
      {"white at 25 %", 0x00FFFFFF, PercentToByte(25), false, {100, 200}, {{166, 166, 166}, {255, 255, 255}}},
      {"black leaves bytes", 0x00000000, PercentToByte(100), false, {0, 1, 100, 255},
       {{0, 0, 0}, {1, 1, 1}, {100, 100, 100}, {255, 255, 255}}},
      {"black at 25 %", 0x00000000, PercentToByte(25), false, {7, 200}, {{7, 7, 7}, {200, 200, 200}}},
      // Blue byte 255 at 100 %: that channel saturates from 2 on, the others stay.
      {"colour byte 255 at 100 %", 0x00FF0000, 255, false, {0, 1, 2, 3},
       {{0, 0, 0}, {128, 1, 1}, {255, 2, 2}, {255, 3, 3}}},
      // fr = 256, fg = fb = 1, o = 258 / 9: green and blue vanish.
      {"pure red, 100 %, white filter", 0x000000FF, 255, true, {0, 1, 2, 3, 200},
       {{0, 0, 0}, {0, 0, 114}, {0, 0, 228}, {0, 0, 255}, {0, 0, 255}}},
  };
  for (const Case& c : cases) {
    Bitmap b = GreyRow(c.bytes);
    ASSERT_TRUE(ApplyOwnColour(b, c.colour, c.strength, c.whiteFilter));
    for (std::size_t i = 0; i < c.bytes.size(); ++i)
      EXPECT_EQ(PixelAt(b, static_cast<int>(i), 0), c.expected[i]) << c.what << ", byte " << c.bytes[i];
  }
}

TEST(OwnColour, NoColourValueActsAsWhite) {
  for (const bool filter : {false, true})
    for (const int strength : {3, 64, 178, 255}) {
      Bitmap noColour = TestPictureBitmap();
      Bitmap white = TestPictureBitmap();
      ASSERT_TRUE(ApplyOwnColour(noColour, 0x1FFFFFFF, strength, filter));
      ASSERT_TRUE(ApplyOwnColour(white, 0x00FFFFFF, strength, filter));
      EXPECT_TRUE(SamePixels(noColour, white)) << "strength " << strength << ", filter " << filter;
    }
}

TEST(OwnColour, ColourBytesAreRedGreenBlueFromTheLowByte) {
  EXPECT_EQ(platform::ResolveColour(0x00332211), (platform::PlainColour{0x11, 0x22, 0x33}));
  // Window text is black (the offscreen palette, as without a GUI).
  EXPECT_EQ(platform::ResolveColour(kWindowTextColour), (platform::PlainColour{0, 0, 0}));

  Bitmap b = GreyRow({100});
  ASSERT_TRUE(ApplyOwnColour(b, 0x00FF0000, PercentToByte(25), false));  // blue only
  EXPECT_EQ(PixelAt(b, 0, 0), (Bgr{166, 100, 100}));

  Bitmap systemBlack = GreyRow({100});
  ASSERT_TRUE(ApplyOwnColour(systemBlack, kWindowTextColour, 255, false));
  EXPECT_EQ(PixelAt(systemBlack, 0, 0), (Bgr{100, 100, 100}));
}

TEST(OwnColour, MakesOtherFormats24Bit) {
  Bitmap indexed;
  ASSERT_TRUE(indexed.Create(3, 2, PixelFormat::Indexed8, 0));
  indexed.palette() = {{100, 100, 100, 255}};
  ASSERT_TRUE(ApplyOwnColour(indexed, 0x00FFFFFF, PercentToByte(25), false));
  EXPECT_EQ(indexed.format(), PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(indexed, 2, 1), (Bgr{166, 166, 166}));
}

}  // namespace
}  // namespace lumivo
