#include <gtest/gtest.h>

#include <string>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"
#include "support/picture_files.h"

namespace lumivo::test {
namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(PpmReader, ReadsHeadersAndSamplesOfEveryForm) {
  struct Case {
    const char* what;
    std::string file;
    Bgr first, last;  // the first and the last pixel, over white
  };
  const Case cases[] = {
      {"P1 of width 10: pixels 9 and 10 in the second byte", "P1\n10 1\n0 0 0 0 0 0 0 0 1 1\n", {255, 255, 255}, {0, 0, 0}},
      {"P1 digits need no separators", "P1 3 1\n101\n", {0, 0, 0}, {0, 0, 0}},
      {"a comment line before the width", "P2\n# made by a scanner\n2 1\n255\n10 20\n", {10, 10, 10}, {20, 20, 20}},
      {"two comment lines and a comment after a number", "P2\n#one 1 2\n#two 3 4\n2 # width\n1\n255\n7 8",
       {7, 7, 7}, {8, 8, 8}},
      {"maximum 15 spreads to 255", "P2 2 1 15 0 15", {0, 0, 0}, {255, 255, 255}},
      {"values above the maximum are the maximum", "P2 1 1 255 300", {255, 255, 255}, {255, 255, 255}},
      {"P3 red, green, blue", "P3 2 1 255 255 0 0 0 0 255", {0, 0, 255}, {255, 0, 0}},
      {"a one-line P6 header", std::string("P6 1 1 255\n") + '\xFF' + '\0' + '\0', {0, 0, 255}, {0, 0, 255}},
      {"16-bit binary samples", std::string("P5 1 1 65535\n") + '\x80' + '\x00', {128, 128, 128}, {128, 128, 128}},
      {"P4 bits, most significant first", std::string("P4 9 2\n") + '\x80' + '\0' + '\0' + '\x80', {0, 0, 0}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bitmap picture = LoadAsBgr(Text(c.file));
    ASSERT_FALSE(picture.empty());
    EXPECT_EQ(PixelAt(picture, 0, 0), c.first);
    EXPECT_EQ(PixelAt(picture, picture.width() - 1, picture.height() - 1), c.last);
  }
}

TEST(PpmReader, KeepsTheNativeFormats) {
  const Bitmap bits = LoadBytes(Text("P1\n10 1\n0 0 0 0 0 0 0 0 1 1\n"));
  ASSERT_EQ(bits.format(), PixelFormat::Indexed1);
  EXPECT_EQ(bits.Row(0)[1], 0xC0) << "pixels 9 and 10 in the top bits";
  EXPECT_EQ(bits.palette()[0], (PaletteEntry{255, 255, 255, 255})) << "0 is white";
  EXPECT_EQ(LoadBytes(Text("P5 1 1 255\n\x05")).format(), PixelFormat::Indexed8);
}

TEST(PpmReader, BrokenFilesFailWithTheirText) {
  struct Case {
    std::string file, message;
  };
  const Case cases[] = {
      {"P6 2 1 255\n\x01\x02\x03", "Stream read error in PPM file."},
      {"P3 1 1 255 1 2", "Stream read error in PPM file."},
      {"P2 1 1 255 x", "Cannot load image. Invalid or unexpected PBM, PGM or PPM image format."},
      {"P2 1 1 0 0", "Cannot load image. Invalid or unexpected PBM, PGM or PPM image format."},
  };
  for (const Case& c : cases) {
    Bitmap picture;
    try {
      kPPMGraphic.load(Text(c.file), picture);
      ADD_FAILURE() << c.file << " loaded";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure.what(), c.message) << c.file;
    }
  }
}

}  // namespace
}  // namespace lumivo::test
