#include "readers/colour_manager.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace lumivo {
namespace {

using Side = TColorManager::Side;
using Bytes = std::vector<std::uint8_t>;

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EColorConversionError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ColourManager, RefusesImpossibleSettings) {
  TColorManager manager;
  const std::string depth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
  const std::string samples = "Sample count per pixel does not correspond to the given color scheme.";
  EXPECT_EQ(ErrorOf([&] { manager.SetBitsPerSample(Side::Source, 0); }), depth);
  EXPECT_EQ(ErrorOf([&] { manager.SetBitsPerSample(Side::Target, 17); }), depth);
  EXPECT_EQ(ErrorOf([&] { manager.SetSamplesPerPixel(Side::Source, 0); }), samples);
  EXPECT_EQ(ErrorOf([&] { manager.SetSamplesPerPixel(Side::Target, 5); }), samples);
  EXPECT_EQ(ErrorOf([&] { manager.SetBitsPerSample(Side::Source, 12); }), "no error");

  const std::string invalid = "Subsampling value is invalid. Allowed are 1, 2 and 4.";
  EXPECT_EQ(ErrorOf([&] { manager.SetYCbCrParameters({}, 2, 1); }),
            "Vertical subsampling value must be <= horizontal subsampling value.");
  EXPECT_EQ(ErrorOf([&] { manager.SetYCbCrParameters({}, 1, 3); }), invalid);
  EXPECT_EQ(ErrorOf([&] { manager.SetYCbCrParameters({}, 0, 4); }), invalid);
  EXPECT_EQ(ErrorOf([&] { manager.SetYCbCrParameters({}, 2, 4); }), "no error");
}

TEST(ColourManager, RefusesConversionsWithoutARoutine) {
  struct Case {
    ColorLayout from, to;
    std::string message;
  };
  const std::string indexed = "Conversion between indexed and non-indexed pixel formats is not supported.";
  const std::string none = "Color conversion failed. Could not find a proper method.";
  const Case cases[] = {
      {ColorLayout::Grey, ColorLayout::Indexed, indexed},
      {ColorLayout::Indexed, ColorLayout::BGR, indexed},
      {ColorLayout::RGB, ColorLayout::Indexed, indexed},
      {ColorLayout::CMY, ColorLayout::BGR, none},
      {ColorLayout::RGB, ColorLayout::Grey, none},
      {ColorLayout::RGB, ColorLayout::CMYK, none},
  };
  for (const Case& c : cases) {
    TColorManager manager;
    manager.SetSource(c.from, 8);
    manager.SetTarget(c.to, 8);
    Bytes row(8), target(8);
    EXPECT_EQ(ErrorOf([&] { manager.ConvertRow(row, target, 1); }), c.message)
        << static_cast<int>(c.from) << " to " << static_cast<int>(c.to);
  }
}

TEST(ColourManager, FileGammaOfAPngWithDisplayGammaIsTheIdentity) {
  TColorManager manager;
  manager.SetGamma(2.2, 45455 / 100000.0);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(manager.gammaTable()[i], i);

  manager.SetGamma(2.2, 1.0);  // a linear file brightens
  EXPECT_GT(manager.gammaTable()[64], 64 + 50);
  EXPECT_EQ(manager.gammaTable()[255], 255);
}

TEST(ColourManager, ChoosesThePixelFormatFromBitsAndSamples) {
  struct Case {
    int samples, bits;
    std::optional<PixelFormat> format;
  };
  const Case cases[] = {
      {1, 1, PixelFormat::Indexed1}, {1, 2, PixelFormat::Indexed4}, {1, 4, PixelFormat::Indexed4},
      {1, 8, PixelFormat::Indexed8}, {1, 16, PixelFormat::Indexed8}, {3, 5, PixelFormat::Rgb15},
      {3, 1, PixelFormat::Rgb15},    {3, 8, PixelFormat::Bgr24},    {3, 16, PixelFormat::Bgr24},
      {4, 8, PixelFormat::Bgra32},   {4, 4, std::nullopt},          {2, 8, std::nullopt},
  };
  for (const Case& c : cases) {
    TColorManager manager;
    manager.SetSamplesPerPixel(Side::Target, c.samples);
    manager.SetBitsPerSample(Side::Target, c.bits);
    EXPECT_EQ(manager.PixelFormatFor(Side::Target), c.format) << c.samples << " x " << c.bits;
  }
}

struct RowCase {
  const char* what;
  ColorLayout from;
  int fromBits;
  ColorLayout to;
  int toBits;
  Bytes source;
  std::size_t count;
  Bytes expected;
  bool byteSwap = false;
  bool labByteRange = false;
};

TEST(ColourManager, ConvertsRowsOfEveryKind) {
  const RowCase cases[] = {
      {"rgb to bgr", ColorLayout::RGB, 8, ColorLayout::BGR, 8, {10, 20, 30, 1, 2, 3}, 2, {30, 20, 10, 3, 2, 1}},
      {"bgr to bgr", ColorLayout::BGR, 8, ColorLayout::BGR, 8, {10, 20, 30}, 1, {10, 20, 30}},
      {"rgb to rgb", ColorLayout::RGB, 8, ColorLayout::RGB, 8, {10, 20, 30}, 1, {10, 20, 30}},
      {"big-endian 16-bit rgb", ColorLayout::RGB, 16, ColorLayout::BGR, 8,
       {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, 1, {0x9A, 0x56, 0x12}, true},
      {"little-endian 16-bit rgb", ColorLayout::RGB, 16, ColorLayout::BGR, 8,
       {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, 1, {0xBC, 0x78, 0x34}},
      {"rgba to bgra", ColorLayout::RGBA, 8, ColorLayout::BGRA, 8, {1, 2, 3, 4}, 1, {3, 2, 1, 4}},
      {"rgb gains an opaque alpha", ColorLayout::RGB, 8, ColorLayout::BGRA, 8, {1, 2, 3}, 1, {3, 2, 1, 255}},
      {"bgra loses its alpha", ColorLayout::BGRA, 8, ColorLayout::RGB, 8, {1, 2, 3, 4}, 1, {3, 2, 1}},
      {"grey with alpha keeps it", ColorLayout::GreyAlpha, 8, ColorLayout::BGRA, 8, {40, 80}, 1, {40, 40, 40, 80}},
      {"16-bit grey with alpha", ColorLayout::GreyAlpha, 16, ColorLayout::BGRA, 8, {0x40, 1, 0x80, 2}, 1,
       {0x40, 0x40, 0x40, 0x80}, true},
      {"grey to bgr", ColorLayout::Grey, 8, ColorLayout::BGR, 8, {7}, 1, {7, 7, 7}},
      {"2-bit grey spreads over 4 bits", ColorLayout::Grey, 2, ColorLayout::Grey, 4, {0x1B}, 4, {0x05, 0xAF}},
      {"2-bit indices stay indices", ColorLayout::Indexed, 2, ColorLayout::Indexed, 4, {0x1B}, 4, {0x01, 0x23}},
      {"1-bit indices", ColorLayout::Indexed, 1, ColorLayout::Indexed, 1, {0xA5}, 8, {0xA5}},
      {"16-bit grey takes the high byte", ColorLayout::Grey, 16, ColorLayout::Grey, 8, {0xAB, 0xCD}, 1, {0xAB}, true},
      {"12-bit grey", ColorLayout::Grey, 12, ColorLayout::Grey, 8, {0xAB, 0xC0}, 1, {0xAB}},
      {"grey with alpha to grey drops alpha", ColorLayout::GreyAlpha, 8, ColorLayout::Grey, 8, {9, 1, 8, 2}, 2, {9, 8}},
      {"5-bit samples give 15-bit words", ColorLayout::RGB, 5, ColorLayout::BGR, 5, {0xF8, 0x20}, 1, {0x10, 0x7C}},
      {"3-bit samples reach full scale", ColorLayout::RGB, 3, ColorLayout::BGR, 8, {0xE0, 0x00}, 1, {0, 0, 255}},
      {"cmyk cyan", ColorLayout::CMYK, 8, ColorLayout::BGR, 8, {255, 0, 0, 0, 0, 0, 0, 255}, 2, {255, 255, 0, 0, 0, 0}},
      {"lab white and black", ColorLayout::CIELab, 8, ColorLayout::BGR, 8, {255, 0, 0, 0, 0, 0}, 2,
       {255, 255, 255, 0, 0, 0}},
      {"lab byte range red", ColorLayout::CIELab, 8, ColorLayout::RGB, 8, {136, 208, 195}, 1, {255, 2, 1}, false, true},
      {"ycbcr grey and red", ColorLayout::YCbCr, 8, ColorLayout::RGB, 8, {128, 128, 128, 76, 85, 255}, 2,
       {128, 128, 128, 254, 0, 0}},
  };
  for (const RowCase& c : cases) {
    TColorManager manager;
    manager.SetSource(c.from, c.fromBits);
    manager.SetTarget(c.to, c.toBits);
    manager.SetSourceByteSwap(c.byteSwap);
    manager.SetSourceLabByteRange(c.labByteRange);
    Bytes target(c.expected.size(), 0);
    manager.ConvertRow(c.source, target, c.count);
    EXPECT_EQ(target, c.expected) << c.what;
  }
}

TEST(ColourManager, SubsampledYCbCrSharesChromaAcrossItsUnit) {
  TColorManager manager;
  manager.SetSource(ColorLayout::YCbCr, 8);
  manager.SetTarget(ColorLayout::RGB, 8);
  manager.SetYCbCrParameters({}, 1, 2);
  const Bytes source = {50, 200, 128, 128, 90, 91, 128, 255};  // two units of two luma samples
  Bytes target(12, 0);
  manager.ConvertRow(source, target, 4);
  EXPECT_EQ(Bytes(target.begin(), target.begin() + 6), (Bytes{50, 50, 50, 200, 200, 200}));
  EXPECT_EQ(target[6], 255) << "red beyond the scale is clamped";
  EXPECT_EQ(target[9], 255);
}

TEST(ColourManager, MaskedRowsWriteOnlyTheirPixels) {
  TColorManager manager;
  manager.SetSource(ColorLayout::Grey, 8);
  manager.SetTarget(ColorLayout::Grey, 8);
  Bytes target(10, 0xEE);
  manager.ConvertRow(Bytes{1, 2}, target, 10, 0x08);  // Adam7 pass 2: columns 4 and 12...
  EXPECT_EQ(target, (Bytes{0xEE, 0xEE, 0xEE, 0xEE, 1, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
  EXPECT_EQ(TColorManager::MaskedPixels(10, 0x08), 1u);
  EXPECT_EQ(TColorManager::MaskedPixels(13, 0x08), 2u);
  EXPECT_EQ(TColorManager::MaskedPixels(5, 0x55), 2u);

  manager.SetSource(ColorLayout::Indexed, 1);  // 1-bit target pixels in a masked row
  manager.SetTarget(ColorLayout::Indexed, 1);
  Bytes bits{0xFF};
  manager.ConvertRow(Bytes{0x00}, bits, 8, 0x55);
  EXPECT_EQ(bits, Bytes{0xAA});
}

TEST(ColourManager, PlanarRowsTakeOnePlanePerSample) {
  TColorManager manager;
  manager.SetSource(ColorLayout::RGB, 8);
  manager.SetTarget(ColorLayout::BGR, 8);
  const Bytes red{1, 2}, green{3, 4}, blue{5, 6};
  const std::span<const std::uint8_t> planes[] = {red, green, blue};
  Bytes target(6);
  manager.ConvertRow(planes, target, 2);
  EXPECT_EQ(target, (Bytes{5, 3, 1, 6, 4, 2}));
}

TEST(ColourManager, RefusesRowsShorterThanTheirPixels) {
  TColorManager manager;
  manager.SetSource(ColorLayout::RGB, 16);
  manager.SetTarget(ColorLayout::BGR, 8);
  Bytes target(9);
  EXPECT_NE(ErrorOf([&] { manager.ConvertRow(Bytes(17), target, 3); }), "no error");
  Bytes shortTarget(8);
  EXPECT_NE(ErrorOf([&] { manager.ConvertRow(Bytes(18), shortTarget, 3); }), "no error");
  EXPECT_EQ(ErrorOf([&] { manager.ConvertRow(Bytes(18), target, 3); }), "no error");
}

TEST(ColourManager, BuildsGreyAndColourPalettes) {
  TColorManager manager;
  manager.SetTarget(ColorLayout::Grey, 4);
  const auto grey = manager.MakeGreyPalette(false);
  ASSERT_EQ(grey.size(), 16u);
  EXPECT_EQ(grey[1], (PaletteEntry{17, 17, 17, 255}));
  EXPECT_EQ(manager.MakeGreyPalette(true)[0], (PaletteEntry{255, 255, 255, 255}));

  // A planar 16-bit big-endian table of three colours: red, green, blue.
  const Bytes planar = {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF};
  const auto colours = manager.MakeColourPalette({planar, 3, 16, true, true});
  ASSERT_EQ(colours.size(), 3u);
  EXPECT_EQ(colours[0], (PaletteEntry{0, 0, 255, 255}));
  EXPECT_EQ(colours[2], (PaletteEntry{255, 0, 0, 255}));
  EXPECT_EQ(manager.MakeColourPalette({Bytes{1, 2, 3, 4}, 5}).size(), 1u) << "no entry beyond the data";
}

}  // namespace
}  // namespace lumivo
