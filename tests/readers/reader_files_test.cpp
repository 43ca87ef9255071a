// Files written by ImageMagick and netpbm load with the pixels ImageMagick
// itself decodes from them (tests/data/make-reader-fixtures.sh made both).
#include <gtest/gtest.h>

#include <filesystem>

#include "readers/reader_test_support.h"

namespace lumivo::test {
namespace {

const std::filesystem::path kData = LUMIVO_TEST_DATA;

// Where our rounding may differ from ImageMagick's: alpha laid over white,
// 5-bit channels widened and 16-bit samples narrowed, CMYK turned into RGB.
int Tolerance(const std::string& name) {
  if (name.starts_with("rgba") || name.starts_with("rgb16")) return 1;
  return name.starts_with("cmyk") ? 2 : 0;
}

TEST(ReaderFiles, LoadWithThePixelsImageMagickDecodes) {
  int files = 0;
  for (const char* format : {"targa", "pcx", "pnm", "sgi", "psd"}) {
    for (const auto& entry : std::filesystem::directory_iterator(kData / format)) {
      const std::filesystem::path& file = entry.path();
      if (file.string().find(".expected.") != std::string::npos) continue;
      SCOPED_TRACE(file.filename().string());
      ++files;
      std::filesystem::path expectedFile = file;
      expectedFile.replace_extension(".expected.ppm");
      const RgbPicture expected = ReadPpm(expectedFile);
      ASSERT_GT(expected.width, 0) << "no expected pixels";
      try {
        const Bitmap picture = LoadAsBgr(FileBytes(file));
        const int difference = LargestDifference(picture, expected);
        EXPECT_GE(difference, 0) << picture.width() << " x " << picture.height();
        EXPECT_LE(difference, Tolerance(file.filename().string()));
      } catch (const Failure& failure) {
        ADD_FAILURE() << failure.what();
      }
    }
  }
  EXPECT_GE(files, 33);
}

}  // namespace
}  // namespace lumivo::test
