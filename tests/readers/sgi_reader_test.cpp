#include <gtest/gtest.h>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"
#include "support/picture_files.h"

namespace lumivo::test {
namespace {

// A 512-byte header; verbatim data or run-length tables and rows follow.
Bytes SgiHeader(int storage, int sampleBytes, int width, int height, int channels) {
  Bytes b(512, 0);
  b[0] = 0x01, b[1] = 0xDA, b[2] = static_cast<std::uint8_t>(storage), b[3] = static_cast<std::uint8_t>(sampleBytes);
  b[5] = channels == 1 ? 2 : 3;
  b[7] = static_cast<std::uint8_t>(width), b[9] = static_cast<std::uint8_t>(height), b[11] = static_cast<std::uint8_t>(channels);
  return b;
}

Bytes Verbatim(int sampleBytes, int width, int height, int channels, const Bytes& data) {
  Bytes b = SgiHeader(0, sampleBytes, width, height, channels);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

void PutU32(Bytes& b, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(v >> s));
}

// One row per channel, each given as its packed bytes.
Bytes RunLength(int width, const std::vector<Bytes>& channelRows) {
  const int channels = static_cast<int>(channelRows.size());
  Bytes b = SgiHeader(1, 1, width, 1, channels);
  std::uint32_t at = 512 + 8 * static_cast<std::uint32_t>(channels);
  for (const Bytes& row : channelRows) PutU32(b, at), at += static_cast<std::uint32_t>(row.size());
  for (const Bytes& row : channelRows) PutU32(b, static_cast<std::uint32_t>(row.size()));
  for (const Bytes& row : channelRows) b.insert(b.end(), row.begin(), row.end());
  return b;
}

TEST(SgiReader, ReadsChannelsBottomRowFirst) {
  // 2 x 2 RGB: the red plane's first two bytes are the bottom row's red.
  const Bitmap rgb = LoadBytes(Verbatim(1, 2, 2, 3, {10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33}));
  ASSERT_EQ(rgb.format(), PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(rgb, 0, 1), (Bgr{30, 20, 10}));
  EXPECT_EQ(PixelAt(rgb, 1, 0), (Bgr{33, 23, 13}));

  const Bitmap rgba = LoadBytes(RunLength(2, {{0x82, 1, 2, 0}, {0x02, 3, 0}, {0x02, 4, 0}, {0x82, 0, 255, 0}}));
  ASSERT_EQ(rgba.format(), PixelFormat::Bgra32);
  EXPECT_EQ(Bytes(rgba.Row(0), rgba.Row(0) + 8), (Bytes{4, 3, 1, 0, 4, 3, 2, 255}));
  EXPECT_TRUE(rgba.transparent());

  const Bitmap wide = LoadBytes(Verbatim(2, 1, 1, 3, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}));
  EXPECT_EQ(PixelAt(wide, 0, 0), (Bgr{0x9A, 0x56, 0x12})) << "16-bit samples keep their high byte";

  const Bitmap bw = LoadBytes(Verbatim(1, 2, 1, 1, {0, 200}));
  ASSERT_EQ(bw.format(), PixelFormat::Indexed8);
  EXPECT_EQ(bw.palette().size(), 256u);
  EXPECT_EQ(bw.Row(0)[1], 200);

  const Bitmap greyAlpha = LoadAsBgr(Verbatim(1, 2, 1, 2, {100, 100, 0, 255}));
  EXPECT_EQ(PixelAt(greyAlpha, 0, 0), (Bgr{255, 255, 255})) << "grey with alpha over white";
  EXPECT_EQ(PixelAt(greyAlpha, 1, 0), (Bgr{100, 100, 100}));
}

TEST(SgiReader, DataOutsideTheFileFails) {
  Bytes farRow = RunLength(2, {{0x02, 1, 0}});
  farRow[515] = 0xFF;  // the row starts beyond the end
  const Bytes cases[] = {Verbatim(1, 2, 2, 3, Bytes(11, 0)), farRow, SgiHeader(1, 1, 255, 255, 4)};
  for (const Bytes& c : cases) {
    Bitmap picture;
    EXPECT_THROW(kSGIGraphic.load(c, picture), Failure);
  }
}

}  // namespace
}  // namespace lumivo::test
