// Photo-CD files are large (the base image alone is 576 KiB): ImageMagick
// writes them here at test time, and its decode is the reference.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "readers/reader_test_support.h"
#include "readers/registered_classes.h"
#include "support/reader_data.h"
#include "support/temp_dir.h"

namespace lumivo::test {
namespace {

const std::filesystem::path kData = LUMIVO_TEST_DATA;

int Shell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()); }

TEST(PcdReader, ReadsTheBaseImageAsImageMagickDoes) {
  TempDir dir;
  const auto pcd = dir / "x.pcd";
  // Smooth colours: ImageMagick interpolates the half-size chroma where we repeat it.
  ASSERT_EQ(Shell("convert -size 512x768 gradient:yellow-blue -rotate 90 " + pcd.string()), 0);
  Bytes file = FileBytes(pcd);
  const PictureLoader load = [](const std::filesystem::path& path, Bitmap& target) -> Status {
    try {
      target = LoadAsBgr(FileBytes(path));
      return {};
    } catch (const Failure& failure) {
      return Error{failure.what()};
    }
  };
  // ImageMagick leaves the half turn (2) alone.
  for (int rotation : {0, 1, 3}) {
    SCOPED_TRACE(rotation);
    file[0x0E02] = static_cast<std::uint8_t>(rotation);
    // ImageMagick's PhotoYCC transfer differs from ours by up to 14 near saturated colours.
    ReaderDataCase entry;
    entry.file = dir.Write("turned.pcd", file), entry.expected = dir / "turned.png", entry.tolerance = 16;
    ASSERT_EQ(Shell("convert " + entry.file.string() + " -depth 8 png24:" + entry.expected.string()), 0);
    EXPECT_TRUE(MeetsExpectation(entry, load));
    Bitmap picture;
    ASSERT_TRUE(load(entry.file, picture));
    EXPECT_EQ(picture.width(), rotation % 2 ? 512 : 768);
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
