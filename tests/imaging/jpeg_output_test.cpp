#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "core/builtin_pictures.h"
#include "readers/jpeg_decoding.h"
#include "imaging/jpeg_output.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

using test::MakeBitmap;
using test::Bgr;

Bitmap Decode(const JpegImage& jpeg) {
  Bitmap decoded;
  EXPECT_TRUE(DecodeJpeg(jpeg.stream(), decoded));
  return decoded;
}

TEST(CompressOutput, CompressesAtQualityZeroAndHundred) {
  const Bitmap picture = TestPictureBitmap();
  std::size_t sizes[2] = {};
  int i = 0;
  for (int quality : {0, 100}) {
    Bitmap working = picture;
    JpegImage jpeg;
    ASSERT_TRUE(CompressOutput(working, jpeg, quality)) << quality;
    EXPECT_EQ(jpeg.width(), 123);
    EXPECT_EQ(jpeg.height(), 105);
    ASSERT_GE(jpeg.stream().size(), 2u);
    EXPECT_EQ(jpeg.stream()[0], 0xFF);
    EXPECT_EQ(jpeg.stream()[1], 0xD8);
    const Bitmap decoded = Decode(jpeg);
    EXPECT_EQ(decoded.width(), 123);
    sizes[i++] = jpeg.stream().size();
  }
  EXPECT_LT(sizes[0], sizes[1]);
}

TEST(CompressOutput, KeepsTheChannelsInTheirRoles) {
  Bitmap blue = MakeBitmap(16, 16, [](int, int) { return Bgr{255, 0, 0}; });
  JpegImage jpeg;
  ASSERT_TRUE(CompressOutput(blue, jpeg, 100));
  const Bitmap decoded = Decode(jpeg);
  const std::uint8_t* p = decoded.Row(8) + 3 * 8;
  EXPECT_GE(p[0], 250);
  EXPECT_LE(p[2], 5);
}

TEST(CompressOutput, AOneRowPictureGainsAWhiteSecondRow) {
  Bitmap row = MakeBitmap(32, 1, [](int, int) { return Bgr{0, 0, 0}; });
  JpegImage jpeg;
  ASSERT_TRUE(CompressOutput(row, jpeg, 100));
  EXPECT_EQ(jpeg.height(), 2);
  const Bitmap decoded = Decode(jpeg);
  ASSERT_EQ(decoded.height(), 2);
  // Chroma and blocks blur the two rows into each other a little.
  EXPECT_LT(decoded.Row(0)[3 * 16], 64);
  EXPECT_GT(decoded.Row(1)[3 * 16], 192);
}

TEST(CompressOutput, AnEmptyPictureCompressesToNothingAndHugeOnesFail) {
  Bitmap empty;
  JpegImage jpeg;
  ASSERT_TRUE(CompressOutput(empty, jpeg, 50));
  EXPECT_TRUE(jpeg.empty());
  Bitmap wide;
  ASSERT_TRUE(wide.Create(65501, 2, PixelFormat::Bgr24));
  const Status refused = CompressOutput(wide, jpeg, 50);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.kind(), ErrorKind::TooLarge);
}

TEST(CompressOutput, ConvertsOtherFormatsFirst) {
  Bitmap logo = ProgramLogoBitmap();  // 32-bit with alpha: the corners turn white
  JpegImage jpeg;
  ASSERT_TRUE(CompressOutput(logo, jpeg, 100));
  const Bitmap decoded = Decode(jpeg);
  EXPECT_GE(decoded.Row(0)[0], 245);
}

TEST(RenderAtQuality, ShowsTheLossOfTheQuality) {
  const Bitmap source = TestPictureBitmap();
  Bitmap low, high;
  ASSERT_TRUE(RenderAtQuality(source, low, 1));
  ASSERT_TRUE(RenderAtQuality(source, high, 100));
  ASSERT_EQ(low.width(), 123);
  ASSERT_EQ(high.height(), 105);
  long differenceLow = 0, differenceHigh = 0;
  for (int y = 0; y < 105; ++y)
    for (std::size_t i = 0; i < 123 * 3; ++i) {
      differenceLow += std::abs(low.Row(y)[i] - source.Row(y)[i]);
      differenceHigh += std::abs(high.Row(y)[i] - source.Row(y)[i]);
    }
  EXPECT_GT(differenceHigh, 0) << "never the uncompressed picture";
  EXPECT_GT(differenceLow, 4 * differenceHigh);
}

TEST(SaveJpeg, WritesAFileThatDjpegDecodesAtTheSize) {
  test::TempDir dir;
  Bitmap picture = MakeBitmap(77, 31, [](int x, int y) { return Bgr{x * 3, y * 8, 128}; });
  JpegImage jpeg;
  ASSERT_TRUE(CompressOutput(picture, jpeg, 80));
  const auto file = dir / "out.jpg";
  ASSERT_TRUE(SaveJpeg(jpeg, file));
  EXPECT_EQ(test::ReadFile(file), jpeg.stream());

  const std::string command = "djpeg -pnm '" + file.string() + "' 2>/dev/null | head -c 32";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char header[64] = {};
  const std::size_t read = fread(header, 1, sizeof header - 1, pipe);
  pclose(pipe);
  std::istringstream in(std::string(header, read));
  std::string magic;
  int width = 0, height = 0;
  in >> magic >> width >> height;
  EXPECT_EQ(magic, "P6");
  EXPECT_EQ(width, 77);
  EXPECT_EQ(height, 31);

  const Status missing = SaveJpeg(jpeg, dir / "missing" / "out.jpg");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.kind(), ErrorKind::Io);
  EXPECT_EQ(missing.message(), "Die Datei '" + (dir / "missing" / "out.jpg").string() +
                                   "' kann nicht geschrieben werden: ein Teil des Pfades ist nicht vorhanden.");
}

}  // namespace
}  // namespace lumivo
