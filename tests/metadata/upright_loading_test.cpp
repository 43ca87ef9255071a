#include <gtest/gtest.h>

#include <cstdlib>

#include "imaging/jpeg_output.h"
#include "jpeg_fixtures.h"
#include "metadata/upright_loading.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

using namespace test;

const Bgr kRed{0, 0, 255}, kGreen{0, 255, 0}, kBlue{255, 0, 0}, kWhite{255, 255, 255};

// Stored 32 x 16: red, green over blue, white.
Bytes StoredJpeg(const std::vector<Segment>& head) {
  Bitmap picture = MakeBitmap(32, 16, [](int x, int y) { return y < 8 ? (x < 16 ? kRed : kGreen) : (x < 16 ? kBlue : kWhite); });
  JpegImage jpeg;
  EXPECT_TRUE(CompressOutput(picture, jpeg, 95).ok());
  Bytes file = JpegHead(head);
  file.insert(file.end(), jpeg.stream().begin() + 2, jpeg.stream().end());
  return file;
}

void ExpectNear(const Bgr& actual, const Bgr& expected) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 40) << i;
}

TEST(LoadUprightPicture, TurnsByTheExifOrientation) {
  TempDir temp;
  const auto orientation = [](int value) {
    return ExifSegment({.bigEndian = true, .ifd0 = {ShortEntry(0x112, static_cast<std::uint16_t>(value), true)}});
  };
  struct Case {
    const char* name;
    std::vector<Segment> head;
    int width, height;
    Bgr topLeft, topRight, bottomLeft, bottomRight;
  } cases[] = {
      {"no EXIF", {}, 32, 16, kRed, kGreen, kBlue, kWhite},
      {"orientation 1", {orientation(1)}, 32, 16, kRed, kGreen, kBlue, kWhite},
      {"orientation 6: a quarter turn clockwise", {orientation(6)}, 16, 32, kBlue, kRed, kWhite, kGreen},
      {"orientation 3: a half turn", {Jfif(72), orientation(3)}, 32, 16, kWhite, kBlue, kGreen, kRed},
      {"an EXIF block beyond the fifth section is not read",
       {Jfif(72), Quantisation(), Quantisation(), Huffman(), orientation(6)}, 32, 16, kRed, kGreen, kBlue, kWhite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto file = temp.Write("a.jpg", StoredJpeg(c.head));
    Bitmap picture, scratch;
    ASSERT_TRUE(LoadUprightPicture(file, picture, scratch).ok());
    ASSERT_EQ(picture.width(), c.width);
    ASSERT_EQ(picture.height(), c.height);
    ExpectNear(PixelAt(picture, 2, 2), c.topLeft);
    ExpectNear(PixelAt(picture, c.width - 3, 2), c.topRight);
    ExpectNear(PixelAt(picture, 2, c.height - 3), c.bottomLeft);
    ExpectNear(PixelAt(picture, c.width - 3, c.height - 3), c.bottomRight);
  }
}

}  // namespace
}  // namespace lumivo
