#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filelist/path_fitting.h"

namespace lumivo {
namespace {

// One pixel per byte.
int Bytes(std::string_view text) { return static_cast<int>(text.size()); }

TEST(FitPathToWidth, DropsFoldersUntilThePathFits) {
  const std::string path = "/home/me/Fotos/2011/a.jpg";
  const std::vector<std::string> steps{"/home/me/Fotos/2011/a.jpg", "/.../me/Fotos/2011/a.jpg", "/.../Fotos/2011/a.jpg",
                                       "/.../2011/a.jpg",           "/.../a.jpg",                 ".../a.jpg",
                                       "a.jpg"};
  std::vector<std::string> tried;
  const auto result = FitPathToWidth(path, [&](std::string_view text) {
    tried.emplace_back(text);
    return Bytes(text);
  }, 0);
  EXPECT_EQ(result, "a.jpg");
  EXPECT_EQ(tried, std::vector<std::string>(steps.begin(), steps.end() - 1));

  for (const auto& step : steps) EXPECT_EQ(FitPathToWidth(path, Bytes, Bytes(step)), step);
  EXPECT_EQ(FitPathToWidth(path, Bytes, 1000), path);
}

TEST(FitPathToWidth, HandlesOddPaths) {
  const std::pair<const char*, const char*> cases[] = {
      {"/.config/x/a.jpg", "/.../x/a.jpg"},
      {"/Grüße 😀/ß/b.jpg", "/.../ß/b.jpg"},
      {"relative/x/a.jpg", ".../x/a.jpg"},
      {"a.jpg", "a.jpg"},
  };
  for (auto [path, expected] : cases) EXPECT_EQ(FitPathToWidth(path, Bytes, Bytes(expected)), expected) << path;
}

TEST(DropFirstFolder, TakesOneFolderAtATime) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/me/", "/.../me/"}, {"/.../me/", "/.../"}, {"/.../", "/"}, {".../", ""},
      {"/", ""},                 {"/a/", "/.../"},      {"a/b/", ".../b/"}, {"/.config/x/", "/.../x/"},
  };
  for (auto [folder, expected] : cases) EXPECT_EQ(DropFirstFolder(folder), expected) << folder;
}

}  // namespace
}  // namespace lumivo
