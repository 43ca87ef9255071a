#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/orientation.h"
#include "support/picture_files.h"

namespace lumivo {
namespace {

// A picture of letters, one pixel each, rows top to bottom.
Bitmap Letters(const std::vector<std::string>& rows) {
  return test::MakeBitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), [&](int x, int y) {
    return test::Bgr{rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)], 0, 0};
  });
}

std::vector<std::string> Read(const Bitmap& picture) {
  std::vector<std::string> rows;
  for (int y = 0; y < picture.height(); ++y) {
    std::string row;
    for (int x = 0; x < picture.width(); ++x) row += static_cast<char>(test::PixelAt(picture, x, y)[0]);
    rows.push_back(row);
  }
  return rows;
}

// The upright picture is "abc" over "def"; each orientation's stored picture
// as cameras write it.
TEST(TurnUpright, EveryOrientation) {
  const std::vector<std::string> upright{"abc", "def"};
  const struct {
    int orientation;
    std::vector<std::string> stored;
  } cases[] = {
      {1, {"abc", "def"}},       {2, {"cba", "fed"}},       {3, {"fed", "cba"}},       {4, {"def", "abc"}},
      {5, {"ad", "be", "cf"}},   {6, {"cf", "be", "ad"}},   {7, {"fc", "eb", "da"}},   {8, {"da", "eb", "fc"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.orientation);
    Bitmap picture = Letters(c.stored), scratch;
    ASSERT_TRUE(TurnUpright(picture, c.orientation, scratch).ok());
    EXPECT_EQ(Read(picture), upright);
  }
}

TEST(TurnUpright, OtherValuesLeaveThePicture) {
  for (const int orientation : {0, 9, -1, 65535}) {
    Bitmap picture = Letters({"ad", "be", "cf"}), scratch;
    ASSERT_TRUE(TurnUpright(picture, orientation, scratch).ok());
    EXPECT_EQ(Read(picture), (std::vector<std::string>{"ad", "be", "cf"}));
  }
}

TEST(TurnUpright, KeepsFormatAndPalette) {
  // 8-bit indexed, wider than a tile, so the tiled walk meets partial tiles.
  Bitmap picture, scratch;
  ASSERT_TRUE(picture.Create(70, 3, PixelFormat::Indexed8, 0).ok());
  picture.palette() = {{1, 2, 3}, {4, 5, 6}};
  picture.Row(0)[69] = 1;  // top right
  ASSERT_TRUE(TurnUpright(picture, 6, scratch).ok());
  EXPECT_EQ(picture.format(), PixelFormat::Indexed8);
  EXPECT_EQ(picture.width(), 3);
  EXPECT_EQ(picture.height(), 70);
  EXPECT_EQ(picture.palette().size(), 2u);
  EXPECT_EQ(picture.Row(69)[2], 1);  // a quarter turn clockwise takes it to the bottom right
}

}  // namespace
}  // namespace lumivo
