#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "filelist/file_collection.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

namespace fs = std::filesystem;

TEST(CollectFiles, TakesFilesBeforeSubFoldersInAFixedOrder) {
  test::TempDir dir;
  for (const char* name : {"a.jpg", "sub/b.jpg", "sub/deeper/d.jpg", "aa/x.jpg", "B.JPG", "a10.jpg", "a2.jpg",
                           "A1.jpg", "a1.jpg", "z.png", ".hidden/c.jpg", ".dot.jpg", "sub/.x/e.jpg"})
    dir.Write(name, "x");
  fs::create_directory_symlink(dir.path(), dir / "loop");
  fs::create_directory_symlink(dir / "sub", dir / "sub/again");
  fs::create_symlink(dir / "a.jpg", dir / "link.jpg");
  fs::create_symlink(dir / "gone.jpg", dir / "dangling.jpg");
  fs::create_directory(dir / "folder.jpg");

  std::vector<std::string> list{"earlier entry"};
  CollectFiles(dir.path().string(), "*.jpg", list);
  const std::string root = dir.path().string() + "/";
  const std::vector<std::string> expected{
      "earlier entry",   root + ".dot.jpg", root + "a.jpg",     root + "A1.jpg",
      root + "a1.jpg",   root + "a10.jpg",  root + "a2.jpg",    root + "B.JPG",
      root + "link.jpg", root + "aa/x.jpg", root + "sub/b.jpg", root + "sub/deeper/d.jpg",
  };
  EXPECT_EQ(list, expected);
}

TEST(CollectFiles, KeepsUnusualNamesAndSkipsUnreadableFolders) {
  test::TempDir dir;
  const std::string folder = "Fotos ß/Grüße 😀 a\xCC\x88";
  const std::string file = "Bild Ä 😀 o\xCC\x88.jpg";
  dir.Write(folder + "/" + file, "x");

  std::vector<std::string> list;
  CollectFiles((dir / "Fotos ß").string() + "/", "*.JPG", list);
  EXPECT_EQ(list, std::vector<std::string>{dir.path().string() + "/" + folder + "/" + file});

  CollectFiles((dir / "missing").string(), "*.jpg", list);
  EXPECT_EQ(list.size(), 1u);
}

TEST(MatchesMarkedFileType, ComparesTheLastThreeCharacters) {
  const std::vector<std::string> marked{"JPG", "JPEG", "TIF"};
  const std::pair<const char*, bool> cases[] = {
      {"/x/a.jpg", true}, {"x.JPEG", true},   {"x.tiff", false}, {"photojpg", true},
      {"a.png", false},   {"pg", false},      {"", false},       {"/Grüße/ß.Jpg", true},
  };
  for (auto [name, expected] : cases) EXPECT_EQ(MatchesMarkedFileType(name, marked), expected) << name;
  EXPECT_FALSE(MatchesMarkedFileType("a.jpg", {}));
}

}  // namespace
}  // namespace lumivo
