#include <gtest/gtest.h>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"

namespace lumivo::test {
namespace {

struct Pcx {
  int version = 5, encoding = 0, bits = 8, planes = 1, xmin = 0, xmax = 7, height = 1, planeBytes = 8, paletteInfo = 1;
  Bytes headerPalette = Bytes(48, 0);
  Bytes data;

  Bytes Build() const {
    Bytes b(128 + data.size(), 0);
    b[0] = 10, b[1] = static_cast<std::uint8_t>(version), b[2] = static_cast<std::uint8_t>(encoding);
    b[3] = static_cast<std::uint8_t>(bits);
    b[4] = static_cast<std::uint8_t>(xmin), b[8] = static_cast<std::uint8_t>(xmax);
    b[9] = static_cast<std::uint8_t>(xmax >> 8), b[10] = static_cast<std::uint8_t>(height - 1);
    b[11] = static_cast<std::uint8_t>((height - 1) >> 8);
    std::copy(headerPalette.begin(), headerPalette.end(), b.begin() + 16);
    b[65] = static_cast<std::uint8_t>(planes), b[66] = static_cast<std::uint8_t>(planeBytes);
    b[67] = static_cast<std::uint8_t>(planeBytes >> 8);
    b[68] = static_cast<std::uint8_t>(paletteInfo);
    std::copy(data.begin(), data.end(), b.begin() + 128);
    return b;
  }
};

TEST(PcxReader, ReadsEveryPlaneLayout) {
  struct Case {
    const char* what;
    Pcx file;
    PixelFormat format;
    Bytes firstRowBytes;
  };
  Bytes trailer = Bytes(769, 0);
  trailer[0] = 12;
  const Case cases[] = {
      {"four one-bit planes: 80 00 00 00 gives 10 hex", {.bits = 1, .planes = 4, .planeBytes = 1, .data = {0x80, 0, 0, 0}},
       PixelFormat::Indexed4, {0x10, 0, 0, 0}},
      {"planes give bits 0 to 3", {.bits = 1, .planes = 4, .planeBytes = 1, .data = {0x40, 0x40, 0xC0, 0x40}},
       PixelFormat::Indexed4, {0x4F, 0, 0, 0}},
      {"three planes of 8 bits", {.planes = 3, .xmax = 1, .planeBytes = 2, .data = {1, 2, 3, 4, 5, 6}},
       PixelFormat::Bgr24, {5, 3, 1, 6, 4, 2}},
      {"one plane of 2 bits becomes 4 bits", {.bits = 2, .xmax = 3, .planeBytes = 1, .data = {0b00011011}},
       PixelFormat::Indexed4, {0x01, 0x23}},
      {"run-length 256 colours beside their trailer",
       {.encoding = 1, .xmax = 3, .planeBytes = 4, .data = [&] { Bytes d = {0xC4, 0x07}; d.insert(d.end(), trailer.begin(), trailer.end()); return d; }()},
       PixelFormat::Indexed8, {7, 7, 7, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bitmap picture = LoadBytes(c.file.Build());
    ASSERT_EQ(picture.format(), c.format);
    EXPECT_EQ(Bytes(picture.Row(0), picture.Row(0) + c.firstRowBytes.size()), c.firstRowBytes);
  }
}

TEST(PcxReader, SizeAndPalettes) {
  Pcx wide{.xmin = 10, .xmax = 109, .planeBytes = 100, .data = Bytes(100, 1)};
  EXPECT_EQ(LoadBytes(wide.Build()).width(), 100);

  Bytes trailer(769, 0);
  trailer[0] = 12, trailer[1 + 3] = 200, trailer[1 + 4] = 100, trailer[1 + 5] = 50;  // entry 1: red, green, blue
  Pcx colours{.xmax = 0, .planeBytes = 1, .data = {1}};
  colours.data.insert(colours.data.end(), trailer.begin(), trailer.end());
  Bitmap picture = LoadBytes(colours.Build());
  EXPECT_EQ(picture.palette()[1], (PaletteEntry{50, 100, 200, 255}));

  Pcx version3{.version = 3, .bits = 4, .xmax = 1, .planeBytes = 1, .headerPalette = Bytes(48, 99), .data = {0x9F}};
  picture = LoadBytes(version3.Build());
  EXPECT_EQ(picture.palette()[9], (PaletteEntry{0, 0, 255, 255})) << "the standard colours, not the header's";
  version3.version = 5;
  picture = LoadBytes(version3.Build());
  EXPECT_EQ(picture.palette()[9], (PaletteEntry{99, 99, 99, 255}));
}

TEST(PcxReader, RefusesWhatItCannotShow) {
  const Pcx cases[] = {
      {.bits = 8, .planes = 2, .data = Bytes(16, 0)},   // no such layout
      {.xmax = 7, .planeBytes = 4, .data = Bytes(4, 0)},  // a plane line shorter than its pixels
      {.height = 2, .data = Bytes(8, 0)},                 // one row short
      {.encoding = 1, .height = 2, .data = {0xC8, 1}},   // run-length data one row short
  };
  for (const Pcx& c : cases) {
    Bitmap picture;
    EXPECT_THROW(kPCXGraphic.load(c.Build(), picture), Failure);
  }
  Bytes notPcx = Pcx{.data = Bytes(8, 0)}.Build();
  notPcx[0] = 12;
  Bitmap picture;
  EXPECT_THROW(kPCXGraphic.load(notPcx, picture), Failure) << "the content test lets byte 0 = 12 pass";
}

TEST(PcxReader, UnpackedPlanesBeyondTheAllocationLimitAreTooLarge) {
  // One pixel wide, but each row claims three planes of 65535 bytes: 1.08 GB
  // unpacked, from a run-length file just big enough to hold it.
  const Pcx file{.encoding = 1, .planes = 3, .xmax = 0, .height = 5500, .planeBytes = 65535,
                 .data = Bytes(65535 * 3 / 63 * 5500 + 5500, 0)};
  Bitmap picture;
  EXPECT_THROW(kPCXGraphic.load(file.Build(), picture), TooLarge);
}

}  // namespace
}  // namespace lumivo::test
