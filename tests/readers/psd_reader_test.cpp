#include <gtest/gtest.h>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"
#include "support/picture_files.h"

namespace lumivo::test {
namespace {

void PutBE(Bytes& b, std::uint32_t v, int bytes) {
  for (int s = 8 * (bytes - 1); s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(v >> s));
}

struct Psd {
  int channels = 3, width = 1, height = 1, depth = 8, mode = 3, compression = 0;
  Bytes modeData = {}, data = {};

  Bytes Build() const {
    Bytes b = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0};
    PutBE(b, static_cast<std::uint32_t>(channels), 2);
    PutBE(b, static_cast<std::uint32_t>(height), 4);
    PutBE(b, static_cast<std::uint32_t>(width), 4);
    PutBE(b, static_cast<std::uint32_t>(depth), 2);
    PutBE(b, static_cast<std::uint32_t>(mode), 2);
    PutBE(b, static_cast<std::uint32_t>(modeData.size()), 4);
    b.insert(b.end(), modeData.begin(), modeData.end());
    PutBE(b, 4, 4);  // image resources
    b.insert(b.end(), {1, 2, 3, 4});
    PutBE(b, 0, 4);  // no layers
    PutBE(b, static_cast<std::uint32_t>(compression), 2);
    b.insert(b.end(), data.begin(), data.end());
    return b;
  }
};

TEST(PsdReader, ReadsTheMergedPictureOfEveryMode) {
  struct Case {
    const char* what;
    Psd file;
    Bgr pixel;  // the first pixel over white
  };
  Bytes indexedTable(768, 0);
  indexedTable[2] = 10, indexedTable[256 + 2] = 20, indexedTable[512 + 2] = 30;
  const Case cases[] = {
      {"RGB of 3 channels", {.data = {10, 20, 30}}, {30, 20, 10}},
      {"RGB of 4 channels, the fourth alpha", {.channels = 4, .width = 2, .data = {0, 0, 0, 0, 0, 0, 0, 255}},
       {255, 255, 255}},
      {"CMYK without ink is white", {.channels = 4, .mode = 4, .data = {255, 255, 255, 255}}, {255, 255, 255}},
      {"CMYK full black ink", {.channels = 4, .mode = 4, .data = {255, 255, 255, 0}}, {0, 0, 0}},
      {"indexed: the mode data is three planes", {.channels = 1, .mode = 2, .modeData = indexedTable, .data = {2}},
       {30, 20, 10}},
      {"bitmap mode: bit 1 is black", {.channels = 1, .width = 2, .depth = 1, .mode = 0, .data = {0x40}},
       {255, 255, 255}},
      {"duotone is grey, its mode data skipped", {.channels = 1, .mode = 8, .modeData = Bytes(10, 7), .data = {90}},
       {90, 90, 90}},
      {"16-bit grey keeps the high byte", {.channels = 1, .depth = 16, .mode = 1, .data = {0x80, 0x00}},
       {128, 128, 128}},
      {"extra channels are skipped", {.channels = 5, .mode = 3, .data = {1, 2, 3, 0, 9}}, {3, 2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PixelAt(LoadAsBgr(c.file.Build()), 0, 0), c.pixel);
  }
}

TEST(PsdReader, PackBitsRowsFollowTheirSizeTable) {
  // 2 channels (grey and a spot channel) of 4 rows: a table of 8 sizes.
  Psd file{.channels = 2, .width = 3, .height = 4, .mode = 1, .compression = 1};
  for (int i = 0; i < 8; ++i) PutBE(file.data, 2, 2);
  for (int i = 0; i < 8; ++i) file.data.insert(file.data.end(), {0xFE, static_cast<std::uint8_t>(10 * i)});
  const Bitmap picture = LoadBytes(file.Build());
  ASSERT_EQ(picture.format(), PixelFormat::Indexed8);
  EXPECT_EQ(Bytes(picture.Row(3), picture.Row(3) + 3), (Bytes{30, 30, 30}));
}

TEST(PsdReader, RefusesWhatItCannotShow) {
  const Psd cases[] = {
      {.mode = 5, .data = {1, 2, 3}},        // no layout for this mode
      {.depth = 32, .data = Bytes(12, 0)},   // samples of 32 bits
      {.channels = 3, .mode = 4, .data = {1, 2, 3}},  // CMYK needs four channels
      {.width = 2, .data = {1, 2, 3}},       // planes shorter than announced
  };
  for (const Psd& c : cases) {
    Bitmap picture;
    EXPECT_THROW(kPSDGraphic.load(c.Build(), picture), Failure);
  }
}

TEST(PsdReader, PlanesBeyondTheAllocationLimitAreTooLarge) {
  // 144 million pixels are within the pixel limit, but four planes of 16-bit
  // samples would take 1.15 GB at once.
  Psd file{.channels = 4, .width = 12000, .height = 12000, .depth = 16, .compression = 1};
  file.data.assign(12000 * 4 * 2 + 12000 * 2 * 12000 * 4 / 64, 0);
  Bitmap picture;
  EXPECT_THROW(kPSDGraphic.load(file.Build(), picture), TooLarge);
}

}  // namespace
}  // namespace lumivo::test
