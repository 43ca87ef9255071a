#include <gtest/gtest.h>

#include "batch/entry_preparation.h"
#include "imaging/jpeg_output.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

using test::Bgr;

// Reports keep their German texts; the kind tells a limit hit from a broken
// file and from a file system problem.
TEST(PrepareEntry, NamesTheKindOfEveryFailure) {
  test::TempDir dir;
  const Bitmap picture = test::MakeBitmap(40, 30, [](int x, int y) { return Bgr{x, y, 9}; });
  Bitmap copy = picture;
  JpegImage jpeg;
  ASSERT_TRUE(CompressOutput(copy, jpeg, 90));
  const auto& stream = jpeg.stream();
  const std::string vanished = dir.Write("vanished.bmp", test::MakeBmp(picture)).string();
  std::filesystem::remove(vanished);

  EntrySettings plain;
  EntrySettings tooWide;
  tooWide.size.width = 70000;
  tooWide.size.height = 4;
  struct Case {
    const char* what;
    std::string source;
    const EntrySettings& settings;
    ErrorKind kind;
  };
  const Case cases[] = {
      {"vanished source", vanished, plain, ErrorKind::Io},
      {"empty source", dir.Write("empty.jpg", std::string_view()).string(), plain, ErrorKind::Broken},
      {"truncated jpeg",
       dir.Write("cut.jpg", std::vector<std::uint8_t>(stream.begin(), stream.begin() + stream.size() / 2)).string(),
       plain, ErrorKind::Broken},
      {"output wider than a JPEG may be", dir.Write("a.bmp", test::MakeBmp(picture)).string(), tooWide,
       ErrorKind::TooLarge},
  };
  for (const Case& c : cases) {
    PreparationWorkspace workspace;
    const PreparedEntry prepared = PrepareEntry(c.source, c.settings, workspace);
    EXPECT_NE(prepared.outcome, PreparedEntry::Outcome::Ready) << c.what;
    EXPECT_FALSE(prepared.message.empty()) << c.what;
    EXPECT_EQ(prepared.kind, c.kind) << c.what << ": " << prepared.message;
  }
}

}  // namespace
}  // namespace lumivo
