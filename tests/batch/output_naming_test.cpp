#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "batch/output_naming.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

// A folder whose files are only names: every name given out counts as
// written, as it does in a run.
class FakeFolder {
 public:
  explicit FakeFolder(std::vector<std::string> existing = {}) : taken_(existing.begin(), existing.end()) {}
  std::string Name(const std::string& source, const OutputPlacement& placement) {
    const auto out = BuildOutputName(source, placement, [this](const std::string& path) { return taken_.contains(path); });
    taken_.insert(out.path());
    return out.path();
  }

 private:
  std::set<std::string> taken_;
};

OutputPlacement Chosen(bool keep, bool always) {
  return {DestinationMode::ChosenFolder, "/out", keep, always, {}};
}

OutputPlacement Below(std::string root) {
  return {DestinationMode::ChosenFolder, "/out", true, false, std::move(root)};
}

struct NamingCase {
  const char* label;
  OutputPlacement placement;
  std::vector<std::string> sources;
  std::vector<std::string> expected;
  std::vector<std::string> existing = {};
};

const std::string kLong197(197, 'x');
const std::string kLong196(196, 'x');

std::string Repeat(std::string_view piece, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += piece;
  return result;
}

TEST(BuildOutputName, NamesAndPlacesEveryOutput) {
  const std::string umlautName = Repeat("ä", 130);  // 130 characters, 260 bytes
  const std::string odd = "Grüße aus Köln ß 😀 a\xCC\x88";  // the last umlaut decomposed
  const NamingCase cases[] = {
      {"flat, numbered on collision", Chosen(false, false), {"/x/a.png", "/y/a.bmp"}, {"/out/a.jpg", "/out/[0001]_a.jpg"}},
      {"flat, always numbered", Chosen(false, true), {"/x/a.png", "/y/a.bmp"}, {"/out/[0001]_a.jpg", "/out/[0002]_a.jpg"}},
      {"structure kept", Chosen(true, false), {"/x/a.png", "/y/a.bmp"}, {"/out/x/a.jpg", "/out/y/a.jpg"}},
      {"structure kept, always numbered", Chosen(true, true), {"/x/a.png", "/y/a.bmp"},
       {"/out/x/[0001]_a.jpg", "/out/y/[0001]_a.jpg"}},
      {"deep structure", Chosen(true, false), {"/home/me/Fotos/2011/Mai/a.png"}, {"/out/home/me/Fotos/2011/Mai/a.jpg"}},
      {"source in the root", Chosen(true, false), {"/a.png"}, {"/out/a.jpg"}},
      {"structure cannot climb out", Chosen(true, false), {"/x/../../../etc/a.png"}, {"/out/etc/a.jpg"}},
      {"beside a jpg source", {DestinationMode::BesideSource, "/out", true, false, {}}, {"/a/b.jpg"}, {"/a/[0001]_b.jpg"},
       {"/a/b.jpg"}},
      {"beside, always numbered", {DestinationMode::BesideSource, "", false, true, {}}, {"/a/b.png"}, {"/a/[0001]_b.jpg"}},
      {"no extension", Chosen(false, false), {"/x/README"}, {"/out/README.jpg"}},
      {"earlier prefixes dropped", Chosen(false, false), {"/x/[0007]_a.png"}, {"/out/a.jpg"}},
      {"earlier prefixes dropped, always numbered", Chosen(false, true), {"/x/[0007]_a.png"}, {"/out/[0001]_a.jpg"}},
      {"several earlier prefixes dropped", Chosen(false, false), {"/x/[0002]_[0001]_a.png"}, {"/out/a.jpg"}},
      {"a user's own brackets kept", Chosen(false, false), {"/x/Urlaub [2024]_Strand.png", "/x/[2024]_x_[5]_y.png"},
       {"/out/Urlaub [2024]_Strand.jpg", "/out/x_[5]_y.jpg"}},
      {"no digits, no prefix", Chosen(false, false), {"/x/[ab]_c.png"}, {"/out/_c.jpg"}},
      {"hidden source", Chosen(false, false), {"/x/.hidden", "/x/.hidden.png"}, {"/out/.hidden.jpg", "/out/[0001]_.hidden.jpg"}},
      {"bracket number counted on", Chosen(false, false), {"/x/[0041]a.png"}, {"/out/[0042]a.jpg"}},
      {"taken names skipped", Chosen(false, false), {"/x/a.png"}, {"/out/[0002]_a.jpg"},
       {"/out/a.jpg", "/out/[0001]_a.jpg"}},
      {"201 characters", Chosen(false, false), {"/x/" + kLong197 + ".png", "/y/" + kLong197 + ".bmp", "/z/" + kLong197},
       {"/out/[0001]__zuLang", "/out/[0002]_zuLang", "/out/[0003]_zuLang"}},
      {"200 characters stay", Chosen(false, false), {"/x/" + kLong196 + ".png"}, {"/out/" + kLong196 + ".jpg"}},
      {"201 characters after numbering", Chosen(false, true), {"/x/" + kLong196 + ".png"}, {"/out/[0001]__zuLang"}},
      {"more bytes than Linux allows", Chosen(false, false), {"/x/" + umlautName + ".png"}, {"/out/[0001]__zuLang"}},
      {"below a root", Below("/home/me/Fotos"), {"/home/me/Fotos/2024/a.png", "/home/me/Fotos/2024/Mai/b.png"},
       {"/out/2024/a.jpg", "/out/2024/Mai/b.jpg"}},
      {"below a root given with a slash", Below("/home/me/Fotos/"), {"/home/me/Fotos/2024/a.png"}, {"/out/2024/a.jpg"}},
      {"in the root itself", Below("/home/me"), {"/home/me/a.png"}, {"/out/a.jpg"}},
      {"below the system's root", Below("/"), {"/x/a.png"}, {"/out/x/a.jpg"}},
      {"outside its root", Below("/home/me/Fotos"), {"/home/other/a.png", "/home/me/Fotos/../x/b.png"},
       {"/out/a.jpg", "/out/b.jpg"}},
      {"unusual characters unchanged", Chosen(true, false), {"/Fotos ß/" + odd + "/" + odd + ".png"},
       {"/out/Fotos ß/" + odd + "/" + odd + ".jpg"}},
  };
  for (const auto& c : cases) {
    FakeFolder folder(c.existing);
    std::vector<std::string> names;
    for (const auto& source : c.sources) names.push_back(folder.Name(source, c.placement));
    EXPECT_EQ(names, c.expected) << c.label;
  }
}

TEST(BuildOutputName, NumberTenThousandHasFiveDigits) {
  std::vector<std::string> existing{"/out/a.jpg"};
  for (int k = 1; k <= 9999; ++k) existing.push_back("/out/" + NumberPrefix(k) + "_a.jpg");
  FakeFolder folder(existing);
  EXPECT_EQ(folder.Name("/x/a.png", Chosen(false, false)), "/out/[10000]_a.jpg");
}

TEST(BuildOutputName, LooksAtTheDiskByDefault) {
  test::TempDir dir;
  const auto source = dir.Write("b.jpg", "source").string();
  const auto out = BuildOutputName(source, {DestinationMode::BesideSource, "", true, false, {}});
  EXPECT_EQ(out.folder, dir.path().string() + "/");
  EXPECT_EQ(out.name, "[0001]_b.jpg");
}

TEST(ReplaceExtension, EndsEveryNameInTheExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"photo.PNG", "photo.jpg"},    {"archive.tar.gz", "archive.tar.jpg"}, {"README", "README.jpg"},
      {"photo.jpg", "photo.jpg"},    {"/a.b/c", "c.jpg"},                   {"photo.", "photo.jpg"},
      {"Grüße.tiff", "Grüße.jpg"},   {".hidden", ".hidden.jpg"},             {"/x/.a.png", ".a.jpg"},
  };
  for (auto [name, expected] : cases) EXPECT_EQ(ReplaceExtension(name, "jpg"), expected) << name;
  EXPECT_EQ(ReplaceExtension("x.png", ".jpg"), "x.jpg");
}

TEST(ApplyNumberPrefix, CountsOnOrAddsTheFirstNumber) {
  struct Case {
    const char* name;
    bool always;
    const char* expected;
  };
  const Case cases[] = {
      {"a.jpg", false, "a.jpg"},
      {"a.jpg", true, "[0001]_a.jpg"},
      {"[0041]a.jpg", false, "[0042]a.jpg"},
      {"[0041]a.jpg", true, "[0042]a.jpg"},
      {"[x]a.jpg", true, "a.jpg"},
      {"[1x2]a.jpg", false, "[0013]a.jpg"},
      {"[9999]a.jpg", false, "[10000]a.jpg"},
      {"[12345]a.jpg", false, "[12346]a.jpg"},
      {"[99999999999999999999999]a.jpg", false, "[100000000000000000000000]a.jpg"},
      {"[a.jpg", true, "[0001]_[a.jpg"},
      {"x[0001]a.jpg", false, "x[0001]a.jpg"},
  };
  for (const auto& c : cases) EXPECT_EQ(ApplyNumberPrefix(c.name, c.always), c.expected) << c.name;
}

}  // namespace
}  // namespace lumivo
