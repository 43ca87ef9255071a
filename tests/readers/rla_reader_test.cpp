#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"
#include "support/picture_files.h"

namespace lumivo::test {
namespace {

void PutU16(Bytes& b, std::size_t at, int v) {
  b[at] = static_cast<std::uint8_t>(v >> 8), b[at + 1] = static_cast<std::uint8_t>(v);
}

struct Rla {
  int width = 2, height = 2;
  bool bottomUp = true, matte = false;
  std::string gamma = "2.2", space = "rgb";

  // Row n, channel c, pixel x holds 10 n + 40 c + x, stored as one literal.
  Bytes Build() const {
    Bytes b(740, 0);
    const int bottom = bottomUp ? 0 : height - 1, top = bottomUp ? height - 1 : 0;
    PutU16(b, 10, width - 1), PutU16(b, 12, bottom), PutU16(b, 14, top);
    PutU16(b, 20, 3), PutU16(b, 22, matte ? 1 : 0), PutU16(b, 26, 0xFFFE), PutU16(b, 658, 8);
    std::memcpy(&b[28], gamma.data(), gamma.size());
    std::memcpy(&b[580], space.data(), space.size());
    const int channels = matte ? 4 : 3;
    const std::size_t rowSize = static_cast<std::size_t>(channels * (2 + width + (width + 127) / 128));
    for (int n = 0; n < height; ++n) {
      const auto offset = static_cast<std::uint32_t>(740 + 4 * height + n * static_cast<int>(rowSize));
      for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(offset >> s));
    }
    for (int n = 0; n < height; ++n)
      for (int c = 0; c < channels; ++c) {
        const int packets = (width + 127) / 128;
        const int length = width + packets;
        b.insert(b.end(), {static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
        for (int x = 0; x < width; ++x) {
          if (x % 128 == 0) b.push_back(static_cast<std::uint8_t>(-std::min(128, width - x)));
          b.push_back(static_cast<std::uint8_t>(10 * n + 40 * c + x));
        }
      }
    return b;
  }
};

TEST(RlaReader, PlacesRowsByTheActiveWindow) {
  const Bitmap up = LoadBytes(Rla{}.Build());
  ASSERT_EQ(up.format(), PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(up, 1, 1), (Bgr{81, 41, 1})) << "the first stored row is the bottom one";
  const Bitmap down = LoadBytes(Rla{.bottomUp = false}.Build());
  EXPECT_EQ(PixelAt(down, 1, 0), (Bgr{81, 41, 1}));
  const Bitmap wide = LoadBytes(Rla{.width = 640, .height = 1}.Build());
  EXPECT_EQ(wide.width(), 640);
}

TEST(RlaReader, MatteAndGamma) {
  const Bitmap matte = LoadBytes(Rla{.matte = true}.Build());
  ASSERT_EQ(matte.format(), PixelFormat::Bgra32);
  EXPECT_EQ(matte.Row(1)[3], 120) << "the matte is the fourth byte";
  EXPECT_TRUE(matte.transparent());

  // Samples made for a 2.2 display, or for an unknown one, show unchanged;
  // linear ones are lifted.
  EXPECT_EQ(PixelAt(LoadBytes(Rla{.gamma = "no number"}.Build()), 1, 1), (Bgr{81, 41, 1}));
  EXPECT_EQ(PixelAt(LoadBytes(Rla{.gamma = "1.0"}.Build()), 1, 1)[0], 151) << "81 linear is 151 on the display";
}

TEST(RlaReader, RefusesOtherSpacesAndShortFiles) {
  Bitmap picture;
  EXPECT_THROW(kRLAGraphic.load(Rla{.space = "xyz"}.Build(), picture), Failure);
  Bytes shortFile = Rla{}.Build();
  shortFile.resize(shortFile.size() - 3);
  EXPECT_THROW(kRLAGraphic.load(shortFile, picture), Failure);
}

}  // namespace
}  // namespace lumivo::test
