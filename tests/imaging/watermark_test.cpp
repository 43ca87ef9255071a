#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/builtin_pictures.h"
#include "imaging/halftone_stretch.h"
#include "imaging/picture_loading.h"
#include "imaging/watermark.h"
#include "imaging/watermark_picture.h"
#include "pixel_test_helpers.h"
#include "resources/texts.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

using test::Bgr;
using test::Box;
using test::ChangedBox;
using test::Filled;
using test::PixelAt;

// A picture whose every pixel tells where it is.
Bitmap Numbered(int width, int height) {
  return test::MakeBitmap(width, height, [](int x, int y) { return std::array<int, 3>{x & 0xFF, y & 0xFF, 7}; });
}

TEST(PlaceWatermark, AnchorsAndMargins) {
  struct Case {
    int position, mx, my, W, H, w, h;
    PixelPoint expected;
  };
  const Case cases[] = {
      {kTopLeft, 20, 20, 800, 600, 100, 50, {20, 20}},
      {kBottomLeft, 20, 20, 800, 600, 100, 50, {20, 530}},
      {kTopRight, 20, 20, 800, 600, 100, 50, {680, 20}},
      {kBottomRight, 20, 20, 800, 600, 100, 50, {680, 530}},
      {kCentre, 20, 20, 800, 600, 100, 50, {370, 295}},
      {kCentre, 0, 0, 801, 600, 100, 50, {350, 275}},
      {kCentre, 0, 0, 1, 1, 3, 3, {-1, -1}},  // div cuts toward zero: 0 - 1
      {7, 20, 30, 800, 600, 100, 50, {20, 30}},
      {-1, -20, -20, 800, 600, 100, 50, {-20, -20}},
      {kBottomRight, -225, -225, 800, 600, 100, 50, {925, 775}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceWatermark(c.position, c.mx, c.my, c.W, c.H, c.w, c.h), c.expected) << "position " << c.position;
}

TEST(PictureWatermark, BottomRightCoversTheDocumentedPixels) {
  Bitmap working = Filled(800, 600, 255);
  const Bitmap before = working;
  ASSERT_TRUE(ApplyPictureWatermark(working, Filled(100, 50, 0), kBottomRight, 1, 25, false, 20, 20));
  EXPECT_EQ(ChangedBox(before, working), (Box{680, 530, 779, 579}));
}

TEST(PictureWatermark, NegativeMarginsCutOffTheFirstRowsAndColumns) {
  Bitmap working = Filled(200, 100, 255);
  const Bitmap before = working;
  const Bitmap mark = Numbered(100, 50);
  ASSERT_TRUE(ApplyPictureWatermark(working, mark, kTopLeft, 1, 0, false, -20, -20));
  EXPECT_EQ(ChangedBox(before, working), (Box{0, 0, 79, 29}));
  EXPECT_EQ(PixelAt(working, 0, 0), PixelAt(mark, 20, 20));
  EXPECT_EQ(PixelAt(working, 79, 29), PixelAt(mark, 99, 49));
}

TEST(PictureWatermark, Transparency) {
  struct Case {
    bool on;
    int percent;
    int markByte, pictureByte, expected;
  };
  const Case cases[] = {
      {false, 50, 255, 0, 255},  {false, 50, 0, 255, 0},  // off: the watermark replaces
      {true, 0, 255, 0, 255},    {true, 0, 0, 255, 0},
      {true, 50, 255, 0, 127},   {true, 50, 0, 255, 128},
      {true, 100, 255, 0, 0},    {true, 100, 0, 255, 255},  // 100 %: the picture is unchanged
  };
  for (const Case& c : cases) {
    Bitmap working = Filled(4, 4, static_cast<std::uint8_t>(c.pictureByte));
    const Bitmap mark = Filled(2, 2, static_cast<std::uint8_t>(c.markByte));
    ASSERT_TRUE(ApplyPictureWatermark(working, mark, kTopLeft, 1, c.percent, c.on, 1, 1));
    const int e = c.expected;
    EXPECT_EQ(PixelAt(working, 2, 2), (Bgr{e, e, e})) << "on " << c.on << ", " << c.percent << " %, "
                                                      << c.markByte << " over " << c.pictureByte;
    EXPECT_EQ(PixelAt(working, 3, 3), (Bgr{c.pictureByte, c.pictureByte, c.pictureByte}));
  }
}

TEST(PictureWatermark, OpaqueLogoIsLaidOverWhiteAtNaturalSize) {
  Bitmap working = Filled(100, 100, 0);
  const Bitmap logo = ProgramLogoBitmap();
  Bitmap overWhite = logo;
  ASSERT_TRUE(overWhite.ConvertToBgr24());
  ASSERT_TRUE(ApplyPictureWatermark(working, logo, kTopLeft, 1, 25, false, 20, 10));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(PixelAt(working, x + 20, y + 10), PixelAt(overWhite, x, y)) << x << "," << y;
  EXPECT_EQ(PixelAt(working, 84, 74), (Bgr{0, 0, 0}));
}

TEST(PictureWatermark, ScaleChoices) {
  const double expected[] = {0.125, 0.25, 0.5, 1, 2, 4, 8};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(WatermarkScaleFactor(i), expected[i]) << i;
  EXPECT_EQ(std::fabs(WatermarkScaleFactor(-1)), 8);
  EXPECT_EQ(WatermarkScaleFactor(7), 1);
  EXPECT_EQ(WatermarkScaleFactor(-2), 1);
  EXPECT_EQ(kWatermarkScaleChoices[6].text, "8 - fache Größe");
  EXPECT_EQ(kWatermarkScaleChoices[kDefaultWatermarkScaleIndex].text, "normale Größe");
}

TEST(PictureWatermark, ScaledSizesRoundTiesToEven) {
  struct Case {
    int w, h;
    double factor;
    PixelSize expected;
  };
  const Case cases[] = {
      {64, 64, 0.5, {32, 32}},  // the logo at one half
      {10, 14, 0.25, {2, 4}},   // 2.5 -> 2, 3.5 -> 4
      {5, 3, -8, {40, 24}},     // the magnitude counts
      {3, 3, 0.125, {0, 0}},
      {20, 4, 0.125, {2, 0}},   // 0.5 -> 0
  };
  for (const Case& c : cases) {
    const Result<PixelSize> size = ScaledWatermarkSize(c.w, c.h, c.factor);
    ASSERT_TRUE(size);
    EXPECT_EQ(*size, c.expected) << c.w << " x " << c.h << " at " << c.factor;
  }
  EXPECT_FALSE(ScaledWatermarkSize(1 << 26, 2, 8));
  EXPECT_FALSE(ScaledWatermarkSize(10, 10, std::numeric_limits<double>::quiet_NaN()));
}

TEST(PictureWatermark, LogoAtOneHalfIsBoxAveraged) {
  Bitmap working = Filled(100, 100, 0);
  const Bitmap before = working;
  Bitmap overWhite = ProgramLogoBitmap();
  ASSERT_TRUE(overWhite.ConvertToBgr24());
  ASSERT_TRUE(ApplyPictureWatermark(working, ProgramLogoBitmap(), kTopLeft, WatermarkScaleFactor(2), 0, false, 0, 0));
  const auto box = ChangedBox(before, working);
  ASSERT_TRUE(box);
  EXPECT_LE(box->right, 31);
  EXPECT_LE(box->bottom, 31);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      for (int c = 0; c < 3; ++c) {
        const int sum = PixelAt(overWhite, 2 * x, 2 * y)[c] + PixelAt(overWhite, 2 * x + 1, 2 * y)[c] +
                        PixelAt(overWhite, 2 * x, 2 * y + 1)[c] + PixelAt(overWhite, 2 * x + 1, 2 * y + 1)[c];
        ASSERT_EQ(PixelAt(working, x, y)[c], (sum + 2) / 4) << x << "," << y;
      }
}

TEST(BoxAverageStretch, AveragesByCoveredArea) {
  const Bitmap row = test::MakeBitmap(3, 1, [](int x, int) { return std::array<int, 3>{90 * x, 0, 255}; });
  Bitmap out;
  ASSERT_TRUE(StretchBoxAverage(row, 2, 1, out));
  EXPECT_EQ(PixelAt(out, 0, 0), (Bgr{30, 0, 255}));   // 0 and half of 90, over 1.5
  EXPECT_EQ(PixelAt(out, 1, 0), (Bgr{150, 0, 255}));  // half of 90 and 180, over 1.5
  ASSERT_TRUE(StretchBoxAverage(row, 9, 2, out));
  for (int x = 0; x < 9; ++x) EXPECT_EQ(PixelAt(out, x, 1), PixelAt(row, x / 3, 0)) << x;
}

TEST(BoxAverageStretch, AWindowIsThatPartOfTheWholeStretch) {
  const Bitmap source = Numbered(13, 7);
  for (const PixelSize target : {PixelSize{104, 56}, PixelSize{5, 3}, PixelSize{20, 9}}) {
    Bitmap whole, part;
    ASSERT_TRUE(StretchBoxAverage(source, target.width, target.height, whole));
    const PixelRect window{target.width / 3, target.height / 2, target.width - target.width / 3 - 1,
                           target.height - target.height / 2};
    ASSERT_TRUE(StretchBoxAverage(source, target.width, target.height, window, part));
    for (int y = 0; y < window.height; ++y)
      for (int x = 0; x < window.width; ++x)
        ASSERT_EQ(PixelAt(part, x, y), PixelAt(whole, x + window.x, y + window.y));
  }
  Bitmap out;
  EXPECT_FALSE(StretchBoxAverage(source, 10, 10, PixelRect{5, 5, 6, 1}, out));
}

TEST(PictureWatermark, OutsideOrVanishingWatermarksChangeNothing) {
  struct Case {
    const char* what;
    int position, mx, my;
    double factor;
    int markSize;
  };
  const Case cases[] = {
      {"beyond the right edge", kTopLeft, 225, 0, 1, 10},
      {"beyond the bottom-right corner", kBottomRight, -225, -225, 1, 10},
      {"above and left", kTopLeft, -60, -60, 1, 50},
      {"scaled to nothing", kTopLeft, 0, 0, 0.125, 3},
  };
  for (const Case& c : cases) {
    Bitmap working = Numbered(100, 80);
    const Bitmap before = working;
    EXPECT_TRUE(ApplyPictureWatermark(working, Filled(c.markSize, c.markSize, 0), c.position, c.factor, 0, false,
                                      c.mx, c.my))
        << c.what;
    EXPECT_FALSE(ChangedBox(before, working)) << c.what;
  }
}

TEST(PictureWatermark, LargerThanThePictureIsClipped) {
  for (const int position : {kTopLeft, kBottomLeft, kTopRight, kBottomRight, kCentre}) {
    Bitmap working = Filled(10, 6, 255);
    ASSERT_TRUE(ApplyPictureWatermark(working, Filled(64, 64, 0), position, 8, 0, false, 0, 0));
    EXPECT_EQ(PixelAt(working, 0, 0), (Bgr{0, 0, 0})) << position;
    EXPECT_EQ(PixelAt(working, 9, 5), (Bgr{0, 0, 0})) << position;

    Bitmap tiny = Filled(1, 1, 255);
    ASSERT_TRUE(ApplyPictureWatermark(tiny, ProgramLogoBitmap(), position, 1, 50, true, 0, 0));
  }
}

TEST(PictureWatermark, WithoutAPictureIsAnErrorAndChangesNothing) {
  Bitmap working = Numbered(10, 10);
  const Bitmap before = working;
  const Status status = ApplyPictureWatermark(working, Bitmap(), kTopLeft, 1, 0, false, 0, 0);
  ASSERT_FALSE(status);
  EXPECT_EQ(status.message(), texts::kWatermarkPictureMissing);
  EXPECT_FALSE(ChangedBox(before, working));
}

TEST(BlendWatermark, ClippedOnAllFourSides) {
  const Bitmap mark = Filled(6, 6, 0);
  for (const PixelPoint at : {PixelPoint{-3, -3}, PixelPoint{7, -3}, PixelPoint{-3, 7}, PixelPoint{7, 7}}) {
    Bitmap working = Filled(10, 10, 255);
    const Bitmap before = working;
    ASSERT_TRUE(BlendWatermark(mark, working, at.x, at.y, 0));
    const int left = std::max(at.x, 0), top = std::max(at.y, 0);
    EXPECT_EQ(ChangedBox(before, working), (Box{left, top, std::min(at.x + 5, 9), std::min(at.y + 5, 9)}));
  }
}

TEST(WatermarkPicture, RestoreGivesTheLogoWhenThereIsNoUsableFile) {
  const test::TempDir dir;
  const auto notAPicture = dir.Write("kein_bild.png", std::string_view("das ist kein Bild"));
  for (const std::filesystem::path& stored : {std::filesystem::path(), notAPicture, dir / "fehlt.bmp"}) {
    const WatermarkPicture restored = RestoreWatermarkPicture(stored);
    EXPECT_TRUE(restored.file.empty()) << stored;
    EXPECT_EQ(restored.picture.width(), 64);
    EXPECT_EQ(restored.picture.height(), 64);
  }
}

TEST(WatermarkPicture, AFailedChoiceKeepsTheFormerPicture) {
  const test::TempDir dir;
  const auto notAPicture = dir.Write("kein_bild.bmp", std::string_view("BM das ist kein Bild"));
  WatermarkPicture current = LogoWatermarkPicture();
  const Status status = ChooseWatermarkPicture(notAPicture, current);
  ASSERT_FALSE(status);
  EXPECT_NE(status.message().find("Das bisherige Wasserzeichen-Bild bleibt erhalten."), std::string::npos);
  EXPECT_TRUE(current.file.empty());
  EXPECT_EQ(current.picture.width(), 64);
}

TEST(WatermarkPicture, AChosenPictureFileLoads) {
  const test::TempDir dir;
  const Bitmap source = Numbered(5, 3);
  const auto file = dir.Write("zeichen.bmp", test::MakeBmp(source));
  Bitmap probe;
  if (!LoadPictureFile(file, probe)) GTEST_SKIP() << "the picture loader cannot read BMP files yet";

  WatermarkPicture current = LogoWatermarkPicture();
  ASSERT_TRUE(ChooseWatermarkPicture(file, current));
  EXPECT_EQ(current.file, file);
  ASSERT_TRUE(current.picture.ConvertToBgr24());
  ASSERT_EQ(current.picture.width(), 5);
  EXPECT_EQ(PixelAt(current.picture, 4, 2), PixelAt(source, 4, 2));

  const WatermarkPicture restored = RestoreWatermarkPicture(file);
  EXPECT_EQ(restored.file, file);
  EXPECT_EQ(restored.picture.width(), 5);
}

}  // namespace
}  // namespace lumivo
