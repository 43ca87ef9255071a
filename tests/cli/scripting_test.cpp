// lumivo-batch end to end for the people who script it: fitting, relative
// trees, dry runs, the JSON Lines report, verbose output, sources given
// twice, the stored profiles and the settings overview.

#include <QJsonDocument>
#include <QJsonObject>

#include <fstream>

#include "cli_fixture.h"
#include "core/text_basics.h"
#include "resources/texts.h"
#include "settings/profiles.h"
#include "settings/settings_file.h"

namespace lumivo::test {
namespace {

using Args = std::vector<std::string>;

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// Files and folders below `folder`, as relative paths, sorted.
std::vector<std::string> EverythingBelow(const fs::path& folder) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    entries.push_back(fs::relative(entry.path(), folder).string());
  std::sort(entries.begin(), entries.end());
  return entries;
}

class ScriptingTest : public CliTest {
 protected:
  Outcome RunFlat(const fs::path& destination, const Args& arguments) const {
    Args all = {"--quiet", "--defaults", "--flat", "--number-on-collision", "--dest", destination.string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return Run(all);
  }
  fs::path Broken(std::string_view name) const { return temp().Write(name, "BM kein Bild"); }
};

TEST_F(ScriptingTest, FitKeepsTheProportionsAndEnlargesOnlyWhenAsked) {
  const std::string landscape = WriteBmp("quer.bmp", Grainy(200, 100)).string();
  const std::string portrait = WriteBmp("hoch.bmp", Grainy(90, 200)).string();
  const std::string small = WriteBmp("klein.bmp", Grainy(40, 30)).string();
  const std::string photo = WriteJpeg("foto.jpg", Grainy(200, 100)).string();
  const struct {
    std::string source;
    Args args;
    int width, height;
  } cases[] = {
      {landscape, {"--fit", "80"}, 80, 40},
      {portrait, {"--fit", "80"}, 36, 80},
      {small, {"--fit", "80"}, 40, 30},
      {small, {"--fit", "80", "--enlarge"}, 80, 60},
      {landscape, {"--fit", "80", "--enlarge"}, 80, 40},
      {landscape, {"--fit", "50x40"}, 50, 25},
      {portrait, {"--fit=100x50"}, 22, 50},  // 90 / 200 x 50 = 22.5: ties to even
      {small, {"--fit", "40x30"}, 40, 30},
      {photo, {"--fit", "80"}, 80, 40},
      {landscape, {"--fit", "80", "--size", "50%"}, 100, 50},
      {landscape, {"--size", "50%", "--fit", "80"}, 80, 40},
      {landscape, {"--size", "30x30", "--fit", "80"}, 80, 40},
  };
  int index = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source + " " + testing::PrintToString(c.args));
    const fs::path destination = temp() / ("aus" + std::to_string(index++));
    Args args = c.args;
    args.push_back(c.source);
    const Outcome outcome = RunFlat(destination, args);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const auto files = FilesBelow(destination);
    ASSERT_EQ(files.size(), 1u);
    const Bitmap picture = Decode(destination / files[0]);
    EXPECT_EQ(picture.width(), c.width);
    EXPECT_EQ(picture.height(), c.height);
  }
}

TEST_F(ScriptingTest, RelativeRebuildsEachFolderArgumentFromItself) {
  const fs::path year = WriteBmp("Fotos/2024/a.bmp", Uniform(6, 4, 90)).parent_path();
  WriteBmp("Fotos/2024/Mai/b.bmp", Uniform(6, 4, 90));
  WriteBmp("Fotos/2023/nicht.bmp", Uniform(6, 4, 90));
  const fs::path other = WriteBmp("Andere/c.bmp", Uniform(6, 4, 90)).parent_path();
  const fs::path single = WriteBmp("einzeln/d.bmp", Uniform(6, 4, 90));
  const fs::path destination = temp() / "web";
  const std::vector<std::string> expected = {"2024/Mai/b.jpg", "2024/a.jpg", "Andere/c.jpg", "d.jpg"};
  for (const char* structure : {"--keep-structure", "--flat"}) {
    fs::remove_all(destination);
    const Outcome outcome = Run({"--quiet", "--defaults", "--number-on-collision", structure, "--relative", "-o",
                                 destination.string(), year.string(), other.string() + "/", single.string()});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(FilesBelow(destination), expected) << structure;
    EXPECT_EQ(Lines(outcome.out)[0], (year / "a.bmp").string() + " -> " + (destination / "2024/a.jpg").string());
  }
  const Outcome withoutDestination = Run({"--relative", year.string()});
  EXPECT_EQ(withoutDestination.status, 2);
  EXPECT_TRUE(Contains(withoutDestination.err, texts::kCliRelativeWithoutDest)) << withoutDestination.err;
}

TEST_F(ScriptingTest, DryRunListsWhatTheRunThenDoesAndTouchesNothing) {
  // Collisions inside the run, a taken name on disk, a broken source, folders still to be made.
  WriteBmp("flach/x/a.bmp", Uniform(8, 4, 60));
  WriteBmp("flach/y/a.bmp", Uniform(8, 4, 60));
  Broken("flach/kaputt.bmp");
  WriteBmp("daneben/a.bmp", Uniform(8, 4, 60));
  WriteJpeg("daneben/a.jpg", Uniform(8, 4, 60));
  WriteBmp("baum/a/b.bmp", Uniform(8, 4, 60));
  const fs::path taken = temp().Write("ziel3/" + Rebuilt("", temp() / "baum/a").string() + "/[0001]_b.jpg", "belegt");
  const struct {
    const char* what;
    Args args;
  } cases[] = {
      {"flat into a folder not yet there",
       {"--flat", "--number-on-collision", "-o", (temp() / "neu/ziel").string(), (temp() / "flach").string()}},
      {"beside the sources", {"--number-on-collision", (temp() / "daneben").string()}},
      {"structure kept, always numbered", {"--keep-structure", "--always-number", "-o", (temp() / "ziel3").string(),
                                           (temp() / "baum").string()}},
      {"relative, several jobs", {"--relative", "-j", "3", "-o", (temp() / "ziel4").string(),
                                  (temp() / "flach").string(), (temp() / "baum").string()}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Args args = {"--quiet", "--defaults"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto before = EverythingBelow(temp().path());
    Args dry = args;
    dry.push_back("--dry-run");
    const Outcome planned = Run(dry);
    EXPECT_EQ(EverythingBelow(temp().path()), before);
    const Outcome done = Run(args);
    EXPECT_EQ(planned.status, done.status);
    EXPECT_EQ(planned.out, done.out);
    EXPECT_NE(EverythingBelow(temp().path()), before);
  }
  ASSERT_TRUE(fs::exists(taken));
}

TEST_F(ScriptingTest, JsonLinesReportParsesAndMatchesTheReport) {
  const fs::path sources = temp() / "src";
  fs::create_directories(sources);
  const std::vector<std::string> names = {"a.bmp", "Zitat \" und \\ drin.bmp", "Zeile\numbruch.bmp", "kaputt.bmp",
                                          "ungültig \xFF.bmp"};
  for (const std::string& name : names) {
    const std::string path = sources.string() + "/" + name;
    const auto bytes = name == "kaputt.bmp" ? std::vector<std::uint8_t>{'B', 'M'} : MakeBmp(Uniform(8 + name.size() % 3, 4, 99));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  const fs::path destination = temp() / "ziel";
  const fs::path report = temp() / "bericht.jsonl";
  Args args = {"--report", report.string(), "-j", "2"};
  for (const std::string& name : names) args.push_back(sources.string() + "/" + name);
  const Outcome outcome = RunFlat(destination, args);
  EXPECT_EQ(outcome.status, 1) << outcome.err;

  const auto reportBytes = ReadFile(report);
  const auto json = Lines(std::string(reportBytes.begin(), reportBytes.end()));
  ASSERT_EQ(json.size(), names.size());
  const auto reportLines = Lines(outcome.out);
  std::size_t written = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(json[i]);
    QJsonParseError error;
    const QJsonObject entry = QJsonDocument::fromJson(QByteArray::fromStdString(json[i]), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    const std::string source = sources.string() + "/" + names[i];
    const std::string shownSource = names[i].starts_with("ungültig") ? sources.string() + "/ungültig \uFFFD.bmp" : source;
    EXPECT_EQ(entry["source"].toString().toStdString(), shownSource);
    EXPECT_EQ(entry.keys(), (QStringList{"bytes", "height", "milliseconds", "ok", "output", "reason", "source", "width"}));
    EXPECT_GE(entry["milliseconds"].toDouble(), 0.0);
    if (names[i] == "kaputt.bmp") {
      EXPECT_FALSE(entry["ok"].toBool());
      EXPECT_FALSE(entry["reason"].toString().isEmpty());
      EXPECT_TRUE(entry["width"].isNull() && entry["height"].isNull() && entry["bytes"].isNull());
      continue;
    }
    EXPECT_TRUE(entry["ok"].toBool());
    EXPECT_TRUE(entry["reason"].isNull());
    const std::string output = destination.string() + "/" + fs::path(names[i]).replace_extension(".jpg").string();
    if (!names[i].starts_with("ungültig")) {
      EXPECT_EQ(entry["output"].toString().toStdString(), output);
    }
    // The plain report names the same files, in the same order, with control characters escaped.
    ASSERT_LT(written, reportLines.size());
    EXPECT_EQ(reportLines[written++], EscapeControlCharacters(source) + " -> " + EscapeControlCharacters(output));
    EXPECT_EQ(entry["bytes"].toInteger(), static_cast<qint64>(fs::file_size(output)));
    const Bitmap picture = Decode(output);
    EXPECT_EQ(entry["width"].toInt(), picture.width());
    EXPECT_EQ(entry["height"].toInt(), picture.height());
  }
}

TEST_F(ScriptingTest, ADryRunReportsWhatItWouldWrite) {
  const std::string source = WriteBmp("a.bmp", Uniform(8, 4, 99)).string();
  const fs::path report = temp() / "bericht.jsonl";
  const Outcome outcome = RunFlat(temp() / "ziel", {"-n", "--report", report.string(), source});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_FALSE(fs::exists(temp() / "ziel"));
  const auto bytes = ReadFile(report);
  const QJsonObject entry = QJsonDocument::fromJson(QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                               static_cast<qsizetype>(bytes.size()))).object();
  EXPECT_EQ(entry["output"].toString().toStdString(), (temp() / "ziel/a.jpg").string());
  EXPECT_EQ(entry["width"].toInt(), 8);
  EXPECT_GT(entry["bytes"].toInteger(), 100);
}

TEST_F(ScriptingTest, AReportThatCannotBeWrittenIsAFailure) {
  const std::string source = WriteBmp("a.bmp", Uniform(8, 4, 99)).string();
  const Outcome missingFolder = RunFlat(temp() / "ziel", {"--report", (temp() / "fehlt/b.jsonl").string(), source});
  EXPECT_EQ(missingFolder.status, 1);
  EXPECT_TRUE(Contains(missingFolder.err, "b.jsonl")) << missingFolder.err;
  EXPECT_FALSE(fs::exists(temp() / "ziel"));  // refused before anything was converted
  if (fs::exists("/dev/full")) {
    const Outcome full = RunFlat(temp() / "ziel2", {"--report", "/dev/full", source});
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(Contains(full.err, "/dev/full")) << full.err;
  }
}

TEST_F(ScriptingTest, VerboseGivesEveryEntryItsResultAndTime) {
  const std::string good = WriteBmp("gut.bmp", Uniform(8, 4, 99)).string();
  const std::string bad = Broken("kaputt.bmp").string();
  const fs::path destination = temp() / "ziel";
  const Outcome outcome = RunFlat(destination, {"-v", good, bad});
  EXPECT_EQ(outcome.status, 1);
  const auto lines = Lines(outcome.err);
  ASSERT_EQ(lines.size(), 2u) << outcome.err;
  const std::string writtenStart = "lumivo-batch: " + good + " -> " + (destination / "gut.jpg").string() + ": 8 x 4 Pixel, ";
  EXPECT_TRUE(lines[0].starts_with(writtenStart)) << lines[0];
  EXPECT_TRUE(lines[0].ends_with(" ms")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("lumivo-batch: " + bad + ": ")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with(" ms)")) << lines[1];
  // Without -v only the failure is told.
  const Outcome quiet = RunFlat(temp() / "ziel2", {good, bad});
  EXPECT_EQ(Lines(quiet.err).size(), 1u) << quiet.err;
}

TEST_F(ScriptingTest, ASourceGivenTwiceIsConvertedOnce) {
  const fs::path a = WriteBmp("src/a.bmp", Uniform(8, 4, 99));
  WriteBmp("src/b.bmp", Uniform(8, 4, 99));
  const fs::path folder = a.parent_path();
  fs::create_symlink(a, temp() / "verweis.bmp");
  const std::string link = (temp() / "verweis.bmp").string();
  const struct {
    Args args;
    std::vector<std::string> sources;  // as reported, in order
  } cases[] = {
      {{a.string(), a.string()}, {a.string()}},
      {{(folder / "../src/./a.bmp").string(), a.string()}, {a.string()}},
      {{a.string(), folder.string()}, {a.string(), (folder / "b.bmp").string()}},
      {{folder.string(), a.string()}, {a.string(), (folder / "b.bmp").string()}},
      {{folder.string(), folder.string() + "/"}, {a.string(), (folder / "b.bmp").string()}},
      {{link, a.string()}, {link}},
  };
  int index = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const fs::path destination = temp() / ("ziel" + std::to_string(index++));
    const Outcome outcome = RunFlat(destination, c.args);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::vector<std::string> reported;
    for (const std::string& line : Lines(outcome.out)) reported.push_back(line.substr(0, line.find(" -> ")));
    EXPECT_EQ(reported, c.sources);
    EXPECT_EQ(FilesBelow(destination).size(), c.sources.size());
  }
}

TEST_F(ScriptingTest, PictureLogoStampsTheProgramLogo) {
  const std::string source = WriteBmp("grau.bmp", Uniform(160, 120, 128)).string();
  const auto marked = [](const Bitmap& b, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (const Bgr p = PixelAt(b, x, y); std::abs(p[0] - 128) > 30 || std::abs(p[2] - 128) > 30) ++count;
    return count;
  };
  ASSERT_EQ(RunFlat(temp() / "logo", {"--picture", "logo", "--position", "tl", "--margin", "0,0", source}).status, 0);
  const Bitmap stamped = Decode(temp() / "logo/grau.jpg");
  EXPECT_GT(marked(stamped, 0, 0, 64, 64), 200);
  EXPECT_EQ(marked(stamped, 72, 72, 160, 120), 0);
}

class StoredSettingsTest : public ScriptingTest {
 protected:
  void SetUp() override {
    const std::string folder = config().string() + "/";
    fs::create_directories(config());
    ConversionSettings small;
    small.SizeMode = SizeMode::Percent;
    small.SizePercent = 10;
    ASSERT_TRUE(SaveProfile(folder, "Web klein", small));
    ASSERT_TRUE(SaveProfile(folder, "Archiv", ConversionSettings{}));
    SettingsState state;
    state.Profiles = {"Web klein", "Archiv", "Gelöscht"};  // the last one's file is gone
    ASSERT_TRUE(SaveSettings(folder, kSettingsFileName, state));
  }
};

TEST_F(StoredSettingsTest, ListProfilesPrintsTheStoredOnes) {
  const Outcome outcome = Run({"--list-profiles"});
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, "Web klein\nArchiv\n");
  fs::remove(config() / std::string(kSettingsFileName));
  EXPECT_EQ(Run({"--list-profiles"}).out, "");  // a first start has none
}

TEST_F(StoredSettingsTest, ShowSettingsPrintsTheOverviewOfTheRun) {
  using namespace texts;
  const auto row = [](std::string_view label, std::string_view value) {
    return std::string(label) + ": " + std::string(value) + "\n";
  };
  const std::string header = std::string(kOverviewNoProfile) + "\n\n" + row(kOverviewQuality, "50");
  const std::string placement = row(kOverviewMarginX, "20") + row(kOverviewMarginY, "20") +
                                row(kOverviewPosition, kWatermarkPositionItems[0]);
  const struct {
    Args args;
    std::string out;
  } cases[] = {
      {{"--defaults"}, header + row(kOverviewOriginalSize, kOverviewOn) + row(kOverviewNoColouring, kOverviewOn) +
                           row(kOverviewNoWatermark, kOverviewOn)},
      {{"--defaults", "--fit", "800", "--picture", "logo", "a.jpg"},
       header + row(kOverviewOwnSize, kOverviewOn) + row(kOverviewWidth, "800") + row(kOverviewHeight, "800") +
           row(kCliOverviewKeepAspect, kOverviewOn) + row(kCliOverviewEnlarge, kOverviewOff) +
           row(kOverviewNoColouring, kOverviewOn) + row(kOverviewPictureWatermark, kOverviewOn) +
           row(kOverviewWatermarkFile, kOverviewBuiltinPicture) + row(kOverviewWatermarkScale, kWatermarkScaleItems[3]) +
           row(kOverviewTransparency, kOverviewOn) + placement},
      {{"--defaults", "-p", "Web klein", "-q", "80"},
       row(kOverviewSelectedProfile, "Web klein") + "\n" + row(kOverviewQuality, "80") +
           row(kOverviewPercentSize, kOverviewOn) + row(kOverviewSizePercent, "10") +
           row(kOverviewNoColouring, kOverviewOn) + row(kOverviewNoWatermark, kOverviewOn)},
  };
  for (const auto& c : cases) {
    Args args = c.args;
    args.push_back("--show-settings");
    const Outcome outcome = Run(args);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, c.out) << testing::PrintToString(c.args);
  }
  EXPECT_EQ(Run({"-p", "Fehlt", "--show-settings"}).status, 2);
}

}  // namespace
}  // namespace lumivo::test
