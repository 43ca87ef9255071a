// Photo-CD files are large (the base image alone is 576 KiB): ImageMagick
// writes them here at test time, and its decode is the reference.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "readers/reader_classes.h"
#include "readers/reader_test_support.h"
#include "support/temp_dir.h"

namespace lumivo::test {
namespace {

const std::filesystem::path kData = LUMIVO_TEST_DATA;

int Shell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()); }

TEST(PcdReader, ReadsTheBaseImageAsImageMagickDoes) {
  TempDir dir;
  const auto pcd = dir / "x.pcd";
  ASSERT_EQ(Shell("convert " + (kData / "pnm/rgb-binary.ppm").string() + " -resize 768x512! " + pcd.string()), 0);
  Bytes file = FileBytes(pcd);
  for (int rotation : {0, 1, 2, 3}) {
    SCOPED_TRACE(rotation);
    file[0x0E02] = static_cast<std::uint8_t>(rotation);
    dir.Write("turned.pcd", file);
    ASSERT_EQ(Shell("convert " + (dir / "turned.pcd").string() + "[0] -depth 8 " + (dir / "turned.ppm").string()), 0);
    const Bitmap picture = LoadAsBgr(file);
    EXPECT_EQ(picture.width(), rotation % 2 ? 512 : 768);
    EXPECT_LE(LargestDifference(picture, ReadPpm(dir / "turned.ppm")), 3);
  }
}

TEST(PcdReader, AShortFileFails) {
  Bytes file(0x30000 + 100, 0);
  std::copy_n("PCD_IPI", 7, file.begin() + 0x800);
  Bitmap picture;
  EXPECT_THROW(kPCDGraphic.load(file, picture), Failure);
}

}  // namespace
}  // namespace lumivo::test
