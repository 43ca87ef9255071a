#include <gtest/gtest.h>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"
#include "support/picture_files.h"

namespace lumivo::test {
namespace {

struct Targa {
  int type = 2, depth = 24, width = 2, height = 2, descriptor = 0, idLength = 0;
  int mapType = 0, mapFirst = 0, mapLength = 0, mapBits = 24;
  Bytes map = {}, pixels = {};

  Bytes Build() const {
    Bytes b = {static_cast<std::uint8_t>(idLength), static_cast<std::uint8_t>(mapType), static_cast<std::uint8_t>(type),
               static_cast<std::uint8_t>(mapFirst), static_cast<std::uint8_t>(mapFirst >> 8),
               static_cast<std::uint8_t>(mapLength), static_cast<std::uint8_t>(mapLength >> 8),
               static_cast<std::uint8_t>(mapBits), 0, 0, 0, 0, static_cast<std::uint8_t>(width), 0,
               static_cast<std::uint8_t>(height), 0, static_cast<std::uint8_t>(depth),
               static_cast<std::uint8_t>(descriptor)};
    b.insert(b.end(), static_cast<std::size_t>(idLength), 'i');
    b.insert(b.end(), map.begin(), map.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
  }
};

// Four 24-bit pixels, blue-green-red, in stored order.
const Bytes kFourPixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

TEST(TargaReader, PlacesRowsAndReadsEveryKind) {
  struct Case {
    const char* what;
    Targa file;
    PixelFormat format;
    int x, y;
    Bytes expected;  // the stored bytes of that bitmap pixel
  };
  const Case cases[] = {
      {"bottom-up: the first stored row is the bottom one", {.pixels = kFourPixels}, PixelFormat::Bgr24, 0, 1, {1, 2, 3}},
      {"top-first with descriptor bit 5", {.descriptor = 0x20, .pixels = kFourPixels}, PixelFormat::Bgr24, 0, 0,
       {1, 2, 3}},
      {"a 20-byte identification field is skipped", {.idLength = 20, .pixels = kFourPixels}, PixelFormat::Bgr24, 1, 1,
       {4, 5, 6}},
      {"type 3 is grey through a grey palette", {.type = 3, .depth = 8, .pixels = {0, 1, 2, 200}},
       PixelFormat::Indexed8, 1, 0, {200}},
      {"a 24-bit colour map", {.type = 1, .depth = 8, .mapType = 1, .mapLength = 2, .map = {10, 20, 30, 40, 50, 60},
                               .pixels = {1, 0, 0, 0}}, PixelFormat::Indexed8, 0, 1, {1}},
      {"16-bit pixels keep their 5-5-5 words", {.depth = 16, .pixels = {0x00, 0x7C, 0, 0, 0, 0, 0, 0}},
       PixelFormat::Rgb15, 0, 1, {0x00, 0x7C}},
      {"a run packet 82 10 20 30", {.type = 10, .width = 3, .height = 1, .pixels = {0x82, 0x10, 0x20, 0x30}},
       PixelFormat::Bgr24, 2, 0, {0x10, 0x20, 0x30}},
      {"32-bit pixels keep their fourth byte", {.depth = 32, .width = 1, .height = 1, .descriptor = 8,
                                                .pixels = {1, 2, 3, 77}}, PixelFormat::Bgra32, 0, 0, {1, 2, 3, 77}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bitmap picture = LoadBytes(c.file.Build());
    ASSERT_EQ(picture.format(), c.format);
    const std::size_t size = c.expected.size();
    const std::uint8_t* at = picture.Row(c.y) + c.x * size;
    EXPECT_EQ(Bytes(at, at + size), c.expected);
  }
}

TEST(TargaReader, BuildsPalettesFromTheColourMap) {
  Targa mapped{.type = 1, .depth = 8, .width = 1, .height = 1, .mapType = 1, .mapLength = 2,
               .map = {10, 20, 30, 40, 50, 60}, .pixels = {1}};
  Bitmap picture = LoadBytes(mapped.Build());
  ASSERT_EQ(picture.palette().size(), 2u);
  EXPECT_EQ(picture.palette()[1], (PaletteEntry{40, 50, 60, 255})) << "blue, green, red in the map";

  mapped.mapBits = 16;
  mapped.map = {0x00, 0x7C, 0xFF, 0x03};
  picture = LoadBytes(mapped.Build());
  EXPECT_EQ(picture.palette()[0], (PaletteEntry{0, 0, 248, 255})) << "7C00 is red 248";
  EXPECT_EQ(picture.palette()[1], (PaletteEntry{248, 248, 0, 255}));

  // Pixel values count from the map's first index.
  mapped.mapFirst = 4;
  mapped.pixels = {5};
  picture = LoadBytes(mapped.Build());
  ASSERT_EQ(picture.palette().size(), 6u);
  EXPECT_EQ(picture.palette()[4], (PaletteEntry{0, 0, 248, 255}));

  Targa grey{.type = 3, .depth = 8, .width = 1, .height = 1, .pixels = {9}};
  picture = LoadBytes(grey.Build());
  ASSERT_EQ(picture.palette().size(), 256u);
  EXPECT_EQ(picture.palette()[255], (PaletteEntry{255, 255, 255, 255}));
}

TEST(TargaReader, AlphaBitsMakeThePictureTransparentOverWhite) {
  Targa file{.depth = 32, .width = 2, .height = 1, .descriptor = 8, .pixels = {0, 0, 0, 0, 0, 0, 0, 255}};
  Bitmap picture = LoadAsBgr(file.Build());
  EXPECT_EQ(PixelAt(picture, 0, 0), (Bgr{255, 255, 255})) << "alpha 0 is white";
  EXPECT_EQ(PixelAt(picture, 1, 0), (Bgr{0, 0, 0}));

  file.descriptor = 0;  // no alpha bits: the fourth byte is no alpha
  picture = LoadAsBgr(file.Build());
  EXPECT_EQ(PixelAt(picture, 0, 0), (Bgr{0, 0, 0}));
}

TEST(TargaReader, ShortOrBrokenFilesFail) {
  const Targa cases[] = {
      {.pixels = Bytes(kFourPixels.begin(), kFourPixels.end() - 1)},
      {.type = 10, .pixels = {0x81, 1, 2, 3}},
      {.type = 1, .depth = 8, .mapType = 1, .mapLength = 300, .map = Bytes(30, 0)},
      {.depth = 12, .pixels = kFourPixels},
  };
  for (const Targa& c : cases) {
    Bitmap picture;
    EXPECT_THROW(kTargaGraphic.load(c.Build(), picture), Failure);
  }
}

}  // namespace
}  // namespace lumivo::test
