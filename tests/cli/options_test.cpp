// lumivo-batch end to end: every option changes the output as it says.

#include <functional>

#include "cli_fixture.h"
#include "filelist/file_type_table.h"
#include "settings/profiles.h"
#include "settings/settings_file.h"

namespace lumivo::test {
namespace {

using Args = std::vector<std::string>;

bool Near(const Bgr& pixel, int grey, int tolerance = 4) {
  return std::all_of(pixel.begin(), pixel.end(), [&](int v) { return std::abs(v - grey) <= tolerance; });
}

// The sources of the report lines "source -> output", in order.
std::vector<std::string> ReportedSources(const std::string& out) {
  std::vector<std::string> sources;
  std::size_t start = 0;
  while (start < out.size()) {
    const std::size_t end = out.find('\n', start);
    const std::string line = out.substr(start, end - start);
    if (const auto arrow = line.find(" -> "); arrow != std::string::npos && !line.starts_with("! "))
      sources.push_back(fs::path(line.substr(0, arrow)).filename().string());
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return sources;
}

class OptionsTest : public CliTest {
 protected:
  // A run that writes every output directly into `destination` under its own name.
  Outcome RunFlat(const fs::path& destination, Args arguments) const {
    Args all = {"--quiet", "--flat", "--number-on-collision", "--dest", destination.string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return Run(all);
  }
};

TEST_F(OptionsTest, AdjustmentOptionsShowInThePixels) {
  const std::string source = WriteBmp("src/grau.bmp", Uniform(80, 40, 128)).string();
  const std::string mark = WriteBmp("zeichen.bmp", Uniform(16, 16, 0)).string();
  const auto redPixels = [](const Bitmap& b) {
    int count = 0;
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x)
        if (const auto p = PixelAt(b, x, y); p[2] > 170 && p[0] < 90 && p[1] < 90) ++count;
    return count;
  };
  const struct {
    Args args;
    std::function<void(const Bitmap&)> check;
  } cases[] = {
      {{}, [](const Bitmap& b) { EXPECT_EQ(b.width(), 80); EXPECT_EQ(b.height(), 40); EXPECT_TRUE(Near(PixelAt(b, 40, 20), 128)); }},
      {{"--size", "50%"}, [](const Bitmap& b) { EXPECT_EQ(b.width(), 40); EXPECT_EQ(b.height(), 20); }},
      {{"--size", "30x7"}, [](const Bitmap& b) { EXPECT_EQ(b.width(), 30); EXPECT_EQ(b.height(), 7); }},
      {{"--size", "50%", "--size", "original"}, [](const Bitmap& b) { EXPECT_EQ(b.width(), 80); }},
      {{"--quality", "100"}, [](const Bitmap& b) { EXPECT_TRUE(Near(PixelAt(b, 40, 20), 128, 1)); }},
      {{"--sepia", "100"}, [](const Bitmap& b) { EXPECT_GT(PixelAt(b, 40, 20)[2], PixelAt(b, 40, 20)[0] + 20); }},
      {{"--sepia", "100", "--no-colouring"}, [](const Bitmap& b) { EXPECT_TRUE(Near(PixelAt(b, 40, 20), 128)); }},
      {{"--tint", "0000FF:100"}, [](const Bitmap& b) { EXPECT_GT(PixelAt(b, 40, 20)[0], PixelAt(b, 40, 20)[2] + 40); }},
      {{"--tint", "0000FF:100:white"}, [](const Bitmap& b) { EXPECT_GT(PixelAt(b, 40, 20)[0], PixelAt(b, 40, 20)[2]); }},
      {{"--picture", mark, "--position", "tl", "--margin", "0,0"},
       [](const Bitmap& b) {
         EXPECT_TRUE(Near(PixelAt(b, 4, 4), 0, 40));
         EXPECT_TRUE(Near(PixelAt(b, 70, 30), 128));
       }},
      {{"--picture", mark, "--position", "br", "--margin", "0,0"},
       [](const Bitmap& b) {
         EXPECT_TRUE(Near(PixelAt(b, 75, 35), 0, 40));
         EXPECT_TRUE(Near(PixelAt(b, 4, 4), 128));
       }},
      {{"--picture", mark, "--margin", "0,0", "--scale", "2"},  // half size: 8 x 8
       [](const Bitmap& b) {
         EXPECT_TRUE(Near(PixelAt(b, 3, 3), 0, 40));
         EXPECT_TRUE(Near(PixelAt(b, 12, 12), 128));
       }},
      {{"--picture", mark, "--margin", "0,0", "--scale", "4"},  // double size: 32 x 32
       [](const Bitmap& b) { EXPECT_TRUE(Near(PixelAt(b, 24, 24), 0, 40)); }},
      {{"--picture", mark, "--margin", "0,0", "--transparency", "100"},
       [](const Bitmap& b) { EXPECT_TRUE(Near(PixelAt(b, 4, 4), 128)); }},
      {{"--picture", mark, "--margin", "0,0", "--no-watermark"},
       [](const Bitmap& b) { EXPECT_TRUE(Near(PixelAt(b, 4, 4), 128)); }},
      {{"--text", "XXXX", "--font", "DejaVu Sans,16,bold,#FF0000", "--position", "c", "--margin", "0,0"},
       [&](const Bitmap& b) { EXPECT_GT(redPixels(b), 10); }},
      {{"--text", "XXXX", "--font", "DejaVu Sans,16,bold,#FF0000", "--no-watermark"},
       [&](const Bitmap& b) { EXPECT_EQ(redPixels(b), 0); }},
      {{"--exif"}, [](const Bitmap& b) { EXPECT_TRUE(Near(PixelAt(b, 40, 20), 128)); }},
      {{"--no-exif", "--jobs", "1"}, [](const Bitmap& b) { EXPECT_TRUE(Near(PixelAt(b, 40, 20), 128)); }},
  };
  int index = 0;
  for (const auto& c : cases) {
    const fs::path destination = temp() / ("aus" + std::to_string(index++));
    Args args = {"--defaults", source};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome outcome = RunFlat(destination, args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, source + " -> " + (destination / "grau.jpg").string() + "\n");
    c.check(Decode(destination / "grau.jpg"));
  }
}

TEST_F(OptionsTest, QualityChangesTheFileSize) {
  const std::string source = WriteBmp("rauschen.bmp", Grainy(64, 64)).string();
  ASSERT_EQ(RunFlat(temp() / "q5", {"--defaults", "-q", "5", source}).status, 0);
  ASSERT_EQ(RunFlat(temp() / "q95", {"--defaults", "--quality=95", source}).status, 0);
  EXPECT_GT(fs::file_size(temp() / "q95" / "rauschen.jpg"), 2 * fs::file_size(temp() / "q5" / "rauschen.jpg"));
}

TEST_F(OptionsTest, FolderAndNumberingOptionsPlaceTheOutputs) {
  const fs::path sources = WriteBmp("src/a.bmp", Uniform(4, 4, 99)).parent_path();
  WriteBmp("src/sub/b.bmp", Uniform(4, 4, 99));
  const std::string tree = Rebuilt("", sources).string();
  const struct {
    Args args;
    std::vector<std::string> files;
  } cases[] = {
      {{"--flat", "--number-on-collision"}, {"a.jpg", "b.jpg"}},
      {{"--flat", "--always-number"}, {"[0001]_a.jpg", "[0001]_b.jpg"}},
      {{"--keep-structure", "--number-on-collision"}, {tree + "/a.jpg", tree + "/sub/b.jpg"}},
      {{}, {tree + "/[0001]_a.jpg", tree + "/sub/[0001]_b.jpg"}},  // the first-start options
  };
  int index = 0;
  for (const auto& c : cases) {
    const fs::path destination = temp() / ("aus" + std::to_string(index++));
    Args args = {"--quiet", "--defaults", "-o", destination.string(), sources.string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome outcome = Run(args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(FilesBelow(destination), c.files);
    EXPECT_EQ(outcome.out, (sources / "a.bmp").string() + " -> " + (destination / c.files[0]).string() + "\n" +
                               (sources / "sub/b.bmp").string() + " -> " + (destination / c.files[1]).string() + "\n");
  }
}

TEST_F(OptionsTest, BesideTheSourceATakenNameGetsANumber) {
  const fs::path source = WriteBmp("src/a.bmp", Uniform(4, 4, 99));
  ASSERT_EQ(Run({"--defaults", "--number-on-collision", source.string()}).status, 0);
  ASSERT_EQ(Run({"--defaults", "--number-on-collision", source.string()}).status, 0);
  EXPECT_EQ(FilesBelow(source.parent_path()), (std::vector<std::string>{"[0001]_a.jpg", "a.bmp", "a.jpg"}));
}

TEST_F(OptionsTest, FolderScansTakeTheChosenTypes) {
  const fs::path sources = WriteBmp("src/a.bmp", Uniform(4, 4, 99)).parent_path();
  WriteJpeg("src/b.jpg", Uniform(4, 4, 99));
  temp().Write("src/c.txt", "kein Bild");
  WriteBmp("src/.versteckt/d.bmp", Uniform(4, 4, 99));
  WriteBmp("src/sub/e.JPG", Uniform(4, 4, 99));  // a BMP under a JPEG name is still loaded by content
  SettingsState settings;
  fs::create_directories(config());
  settings.Options.FileTypeChecked[13] = true;  // "*.jpg" only
  ASSERT_TRUE(SaveSettings(config().string() + "/", kSettingsFileName, settings));
  ASSERT_EQ(FileTypeTable[13].extension, "jpg");

  const struct {
    Args args;
    std::vector<std::string> sources;
  } cases[] = {
      {{}, {"a.bmp", "b.jpg", "e.JPG"}},  // all types, grouped by type in table order
      {{"--types", "jpg"}, {"b.jpg", "e.JPG"}},
      {{"--checked-types"}, {"b.jpg", "e.JPG"}},
      {{"--types", "jpg", "--types", "BMP"}, {"a.bmp"}},
      {{"--checked-types", "--types", ".bmp,*.jpg"}, {"a.bmp", "b.jpg", "e.JPG"}},
  };
  int index = 0;
  for (const auto& c : cases) {
    Args args = {sources.string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome outcome = RunFlat(temp() / ("aus" + std::to_string(index++)), args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(ReportedSources(outcome.out), c.sources);
  }
}

TEST_F(OptionsTest, SettingsFileThenProfileThenOptions) {
  const std::string source = WriteBmp("grau.bmp", Uniform(80, 40, 128)).string();
  const std::string folder = config().string() + "/";
  fs::create_directories(config());
  const auto percent = [](int value) {
    SettingsState state;
    state.Conversion.SizeMode = SizeMode::Percent;
    state.Conversion.SizePercent = value;
    return state;
  };
  ASSERT_TRUE(SaveSettings(folder, kSettingsFileName, percent(50)));
  ASSERT_TRUE(SaveSettings(temp().path().string() + "/", "andere.xml", percent(25)));
  ASSERT_TRUE(SaveProfile(folder, "Klein", percent(10).Conversion));
  const std::string other = (temp() / "andere.xml").string();

  const struct {
    Args args;
    int width;
  } cases[] = {
      {{}, 40},  // setup.xml of the settings folder
      {{"--defaults"}, 80},
      {{"--settings", other}, 20},
      {{"--settings", other, "--defaults"}, 80},
      {{"-p", "Klein"}, 8},
      {{"--defaults", "--profile=Klein"}, 8},
      {{"-p", "Klein", "--size", "50%"}, 40},
      {{"--size", "50%", "-p", "Klein"}, 40},  // options apply after the profile wherever they stand
  };
  int index = 0;
  for (const auto& c : cases) {
    const fs::path destination = temp() / ("aus" + std::to_string(index++));
    Args args = {source};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome outcome = RunFlat(destination, args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(Decode(destination / "grau.jpg").width(), c.width);
  }
}

TEST_F(OptionsTest, OneJobAndThreeJobsGiveTheSameFilesAndReport) {
  for (const char* name : {"src/a.bmp", "src/x/a.bmp", "src/x/c.bmp", "src/y/a.bmp"})
    WriteBmp(name, Grainy(48, 32));
  WriteJpeg("src/b.jpg", Grainy(40, 30));
  temp().Write("src/leer.jpg", "");
  temp().Write("src/x/kaputt.bmp", "BM kein Bild");
  const fs::path sources = temp() / "src";

  const auto run = [&](const char* jobs, const fs::path& destination) {
    Outcome outcome = RunFlat(destination, {"--defaults", "--size", "75%", "-j", jobs, sources.string()});
    EXPECT_EQ(outcome.status, 1) << outcome.err;
    // The same report but for the destination folder's name.
    for (std::size_t at; (at = outcome.out.find(destination.string())) != std::string::npos;)
      outcome.out.replace(at, destination.string().size(), "ZIEL");
    return outcome;
  };
  const Outcome one = run("1", temp() / "eins");
  const Outcome three = run("3", temp() / "drei");
  EXPECT_EQ(one.out, three.out);
  EXPECT_NE(one.out.find("2 Dateien konnten nicht verarbeitet werden."), std::string::npos) << one.out;
  const auto files = FilesBelow(temp() / "eins");
  EXPECT_EQ(files, (std::vector<std::string>{"[0001]_a.jpg", "[0002]_a.jpg", "a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(FilesBelow(temp() / "drei"), files);
  for (const std::string& file : files)
    EXPECT_EQ(ReadFile(temp() / "eins" / file), ReadFile(temp() / "drei" / file)) << file;
}

}  // namespace
}  // namespace lumivo::test
