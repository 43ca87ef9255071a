#include <gtest/gtest.h>

#include "core/bitmap.h"
#include "core/builtin_pictures.h"
#include "support/picture_files.h"

namespace lumivo {
namespace {

using test::PixelAt;

TEST(Bitmap, RowsArePaddedToFourBytes) {
  Bitmap b;
  ASSERT_TRUE(b.Create(5, 3, PixelFormat::Bgr24));
  EXPECT_EQ(b.stride(), 16u);
  EXPECT_EQ(b.Row(1) - b.Row(0), 16);
  ASSERT_TRUE(b.Create(9, 1, PixelFormat::Indexed1));
  EXPECT_EQ(b.stride(), 4u);
}

TEST(Bitmap, RefusesPicturesBeyondTheLimit) {
  Bitmap b;
  const Status status = b.Allocate(60000, 60000, PixelFormat::Bgr24);
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("zu groß"), std::string::npos);
  EXPECT_FALSE(b.Allocate(-1, 5, PixelFormat::Bgr24));
}

TEST(Bitmap, ResizeKeepsTopLeftAndFillsWhite) {
  Bitmap b;
  ASSERT_TRUE(b.Create(2, 1, PixelFormat::Bgr24, 0));
  ASSERT_TRUE(b.Resize(3, 2));
  EXPECT_EQ(PixelAt(b, 1, 0), (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(PixelAt(b, 2, 0), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(PixelAt(b, 0, 1), (std::array<int, 3>{255, 255, 255}));
}

TEST(Bitmap, IndexedFormatsConvertThroughThePalette) {
  struct Case {
    PixelFormat format;
    std::uint8_t firstByte;
    int expectedIndexOfPixel1;
  };
  // Pixel 1 of the row: bit 6 for 1-bit, low nibble for 4-bit, byte 1 for 8-bit.
  const Case cases[] = {{PixelFormat::Indexed1, 0b0100'0000, 1}, {PixelFormat::Indexed4, 0x02, 2}};
  for (const Case& c : cases) {
    Bitmap b;
    ASSERT_TRUE(b.Create(2, 1, c.format, 0));
    b.Row(0)[0] = c.firstByte;
    b.palette() = {{0, 0, 0}, {10, 20, 30}, {40, 50, 60}};
    ASSERT_TRUE(b.ConvertToBgr24());
    EXPECT_EQ(b.format(), PixelFormat::Bgr24);
    const std::array<std::array<int, 3>, 3> colours{{{0, 0, 0}, {10, 20, 30}, {40, 50, 60}}};
    EXPECT_EQ(PixelAt(b, 1, 0), colours[c.expectedIndexOfPixel1]);
  }
  Bitmap eight;
  ASSERT_TRUE(eight.Create(2, 1, PixelFormat::Indexed8, 0));
  eight.Row(0)[1] = 255;  // no palette: grey levels
  ASSERT_TRUE(eight.ConvertToBgr24());
  EXPECT_EQ(PixelAt(eight, 1, 0), (std::array<int, 3>{255, 255, 255}));
}

TEST(Bitmap, FifteenBitExpandsEachChannel) {
  Bitmap b;
  ASSERT_TRUE(b.Create(1, 1, PixelFormat::Rgb15, 0));
  const int word = 31 << 10 | 16 << 5 | 0;  // red full, green half, blue none
  b.Row(0)[0] = word & 0xFF;
  b.Row(0)[1] = word >> 8;
  ASSERT_TRUE(b.ConvertToBgr24());
  EXPECT_EQ(PixelAt(b, 0, 0), (std::array<int, 3>{0, 132, 255}));
}

TEST(Bitmap, TransparentPicturesAreLaidOverWhite) {
  Bitmap b;
  ASSERT_TRUE(b.Create(3, 1, PixelFormat::Bgra32, 0));
  std::uint8_t* row = b.Row(0);
  const std::uint8_t pixels[] = {0, 0, 200, 255, /* opaque red */ 0, 0, 200, 0, /* hidden */ 0, 0, 0, 128};
  std::copy(std::begin(pixels), std::end(pixels), row);
  Bitmap plain = b;
  b.setTransparent(true);
  ASSERT_TRUE(b.ConvertToBgr24());
  EXPECT_EQ(PixelAt(b, 0, 0), (std::array<int, 3>{0, 0, 200}));
  EXPECT_EQ(PixelAt(b, 1, 0), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(PixelAt(b, 2, 0), (std::array<int, 3>{127, 127, 127}));
  // Not marked: the alpha bytes are ignored.
  ASSERT_TRUE(plain.ConvertToBgr24());
  EXPECT_EQ(PixelAt(plain, 1, 0), (std::array<int, 3>{0, 0, 200}));
}

TEST(Bitmap, AnAlphaChannelEmptyEverywhereIsNoTransparency) {
  Bitmap b;
  ASSERT_TRUE(b.Create(2, 2, PixelFormat::Bgra32, 0));
  b.Row(1)[4] = 90;
  b.setTransparent(true);
  ASSERT_TRUE(b.ConvertToBgr24());
  EXPECT_EQ(PixelAt(b, 1, 1), (std::array<int, 3>{90, 0, 0}));
}

TEST(BuiltinPictures, HaveTheirSizesAndFormats) {
  const Bitmap logo = ProgramLogoBitmap();
  EXPECT_EQ(logo.width(), 64);
  EXPECT_EQ(logo.height(), 64);
  EXPECT_EQ(logo.format(), PixelFormat::Bgra32);
  EXPECT_EQ(logo.Row(0)[3], 0) << "the corners of the logo are transparent";
  const Bitmap failure = FailurePictureBitmap();
  EXPECT_EQ(failure.width(), 225);
  EXPECT_EQ(failure.height(), 188);
  EXPECT_EQ(PixelAt(failure, 0, 0), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(PixelAt(failure, 112, 147), (std::array<int, 3>{0, 0, 0})) << "the exclamation mark";
  EXPECT_EQ(PixelAt(failure, 112, 50)[2], 220) << "the red triangle";
  const Bitmap test = TestPictureBitmap();
  EXPECT_EQ(test.width(), 123);
  EXPECT_EQ(test.height(), 105);
  EXPECT_EQ(test.format(), PixelFormat::Bgr24);
}

}  // namespace
}  // namespace lumivo

namespace lumivo {
namespace {

// A reader's row loop over a picture 0 pixels wide copies nothing, but from
// and to valid addresses.
TEST(Bitmap, AnEmptyPictureStillHasRowsToPointAt) {
  for (const auto& [width, height] : {std::pair{0, 3}, std::pair{5, 0}, std::pair{0, 0}}) {
    Bitmap picture;
    ASSERT_TRUE(picture.Allocate(width, height, PixelFormat::Bgr24).ok());
    EXPECT_TRUE(picture.empty());
    EXPECT_NE(picture.Row(0), nullptr) << width << " x " << height;
  }
}

}  // namespace
}  // namespace lumivo
