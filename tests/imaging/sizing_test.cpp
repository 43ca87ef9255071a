#include <gtest/gtest.h>

#include "imaging/sizing.h"
#include "support/picture_files.h"

namespace lumivo {
namespace {

using test::MakeBitmap;
using test::Bgr;

TEST(SizeWorkingPicture, FollowsTheSizeRules) {
  struct Case {
    const char* what;
    int width, height;
    SizeRequest request;
    int expectedWidth, expectedHeight;
  };
  const Case cases[] = {
      {"unchanged", 640, 480, {}, 640, 480},
      {"100 %", 640, 480, {-1, -1, 100}, 640, 480},
      {"50 %, ties to even", 1001, 1003, {-1, -1, 50}, 500, 502},
      {"50 % of 59 is 29, not 30", 59, 59, {-1, -1, 50}, 29, 29},
      {"50 % of 1 is 0: the side stays", 1, 4, {-1, -1, 50}, 1, 2},
      {"500 %", 3, 2, {-1, -1, 500}, 15, 10},
      {"own size on a portrait picture", 300, 400, {800, 600, 0}, 800, 600},
      {"a 0 in one own-size field keeps that side", 300, 400, {0, 600, 0}, 300, 600},
      {"own size of one pixel", 30, 40, {1, 1, 0}, 1, 1},
      {"fit: landscape, width decides", 4000, 3000, {1600, 1600, 0, true}, 1600, 1200},
      {"fit: portrait, height decides", 3000, 4000, {1600, 1600, 0, true}, 1200, 1600},
      {"fit: a wide box, height decides", 1000, 1000, {800, 600, 0, true}, 600, 600},
      {"fit: the shorter side rounds ties to even", 40, 20, {5, 5, 0, true}, 5, 2},
      {"fit: 22/30 of 5 rounds up", 30, 22, {5, 5, 0, true}, 5, 4},
      {"fit: a small picture stays", 300, 200, {1600, 1600, 0, true}, 300, 200},
      {"fit: a picture that fits exactly stays", 1600, 900, {1600, 1600, 0, true}, 1600, 900},
      {"fit: enlarged when asked", 300, 200, {1600, 1600, 0, true, true}, 1600, 1067},
      {"fit: one side beyond the box", 2000, 100, {1600, 1600, 0, true}, 1600, 80},
      {"fit: no side becomes 0", 5000, 2, {100, 100, 0, true}, 100, 1},
  };
  for (const Case& c : cases) {
    Bitmap picture = MakeBitmap(c.width, c.height, [](int x, int y) { return Bgr{x % 256, y % 256, 7}; });
    ASSERT_TRUE(SizeWorkingPicture(picture, c.request)) << c.what;
    EXPECT_EQ(picture.width(), c.expectedWidth) << c.what;
    EXPECT_EQ(picture.height(), c.expectedHeight) << c.what;
  }
}

TEST(SizeWorkingPicture, DropsAndRepeatsWholePixels) {
  // Columns 0..3 hold 0, 10, 20, 30 in blue; rows 0..3 hold 0, 10, 20, 30 in green.
  Bitmap picture = MakeBitmap(4, 4, [](int x, int y) { return Bgr{10 * x, 10 * y, 0}; });
  ASSERT_TRUE(SizeWorkingPicture(picture, {2, 2, 0}));
  const std::uint8_t* top = picture.Row(0);
  const std::uint8_t* bottom = picture.Row(1);
  EXPECT_EQ((Bgr{top[0], top[1], top[2]}), (Bgr{10, 10, 0}));
  EXPECT_EQ((Bgr{bottom[3], bottom[4], bottom[5]}), (Bgr{30, 30, 0}));

  Bitmap small = MakeBitmap(2, 1, [](int x, int) { return Bgr{100 * x, 0, 0}; });
  ASSERT_TRUE(SizeWorkingPicture(small, {4, 2, 0}));
  const int expected[] = {0, 0, 100, 100};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(small.Row(y)[3 * x], expected[x]) << x << "," << y;
}

TEST(SizeWorkingPicture, KeepsIndexedPicturesIndexed) {
  Bitmap picture;
  ASSERT_TRUE(picture.Create(4, 2, PixelFormat::Indexed8, 1));
  picture.palette() = {{0, 0, 0}, {9, 8, 7}};
  ASSERT_TRUE(SizeWorkingPicture(picture, {-1, -1, 200}));
  EXPECT_EQ(picture.format(), PixelFormat::Indexed8);
  EXPECT_EQ(picture.width(), 8);
  EXPECT_EQ(picture.Row(3)[7], 1);
  EXPECT_EQ(picture.palette().size(), 2u);
}

TEST(SizeWorkingPicture, RefusesSizesBeyondTheLimit) {
  Bitmap picture = MakeBitmap(2, 2, [](int, int) { return Bgr{0, 0, 0}; });
  EXPECT_FALSE(SizeWorkingPicture(picture, {100000, 100000, 0}));
  EXPECT_EQ(picture.width(), 2) << "the picture stays usable";
}

}  // namespace
}  // namespace lumivo
