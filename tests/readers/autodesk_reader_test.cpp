#include <gtest/gtest.h>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"

namespace lumivo::test {
namespace {

Bytes Autodesk(int width, int height, std::size_t pixelBytes) {
  Bytes b(32, 0);
  b[0] = 0x19, b[1] = 0x91, b[2] = static_cast<std::uint8_t>(width), b[3] = static_cast<std::uint8_t>(width >> 8);
  b[4] = static_cast<std::uint8_t>(height), b[10] = 8;
  Bytes palette(768, 0);
  palette[3] = 63, palette[4] = 0, palette[5] = 32;  // entry 1
  b.insert(b.end(), palette.begin(), palette.end());
  for (std::size_t i = 0; i < pixelBytes; ++i) b.push_back(static_cast<std::uint8_t>(i / static_cast<std::size_t>(width)));
  return b;
}

TEST(AutodeskReader, ReadsItsPaletteAndRowsFromTheTop) {
  const Bytes file = Autodesk(320, 200, 64000);
  EXPECT_EQ(file.size(), 800u + 64000u);
  const Bitmap picture = LoadBytes(file);
  ASSERT_EQ(picture.format(), PixelFormat::Indexed8);
  ASSERT_EQ(picture.width(), 320);
  EXPECT_EQ(picture.Row(0)[0], 0) << "the first stored row is the top one";
  EXPECT_EQ(picture.Row(199)[319], 199);
  EXPECT_EQ(picture.palette()[1], (PaletteEntry{128, 0, 252, 255})) << "63, 0, 32 widen to 252, 0, 128";
}

TEST(AutodeskReader, AShortFileFails) {
  Bitmap picture;
  EXPECT_THROW(kAutodeskGraphic.load(Autodesk(320, 200, 63999), picture), Failure);
}

}  // namespace
}  // namespace lumivo::test
