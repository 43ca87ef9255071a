#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "batch/conversion_run.h"
#include "core/builtin_pictures.h"
#include "imaging/jpeg_output.h"
#include "support/gui_application.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

[[maybe_unused]] const bool kGui = test::RegisterGuiApplication();

using test::Bgr;

class FixedSettings : public SettingsSource {
 public:
  ConversionSettings conversion;
  ProgramOptions options;
  int conversionReads = 0;
  ConversionSettings Conversion() override {
    ++conversionReads;
    return conversion;
  }
  ProgramOptions Options() override { return options; }
  std::shared_ptr<const Bitmap> WatermarkPicture() override {
    return std::make_shared<const Bitmap>(ProgramLogoBitmap());
  }
  void SetLastOutputFolder(const std::string& folder) override { options.LastOutputFolder = folder; }
};

class Recorder : public RunObserver {
 public:
  std::vector<std::string> messages, report, progress, timeLines;
  std::vector<int> shown;
  int reportShown = 0;
  std::function<void(int)> afterEntry;
  void Message(std::string_view text) override { messages.emplace_back(text); }
  void EntryShown(int index, int, std::string_view) override { shown.push_back(index); }
  void ReportLine(std::string_view line) override { report.emplace_back(line); }
  void Progress(int done, int, std::string_view text, std::string_view timeLine) override {
    progress.emplace_back(text);
    timeLines.emplace_back(timeLine);
    if (afterEntry) afterEntry(done);
  }
  void ShowReport() override { ++reportShown; }
};

class Run : public ::testing::Test {
 protected:
  std::string Picture(std::string_view name, int width = 40, int height = 30) {
    const Bitmap b = test::MakeBitmap(width, height, [](int x, int y) { return Bgr{x * 5, y * 7, 90}; });
    return dir.Write(name, test::MakeBmp(b)).string();
  }
  std::string Folder(std::string_view name) {
    std::filesystem::create_directories(dir / name);
    return (dir / name).string() + "/";
  }
  std::map<std::string, std::vector<std::uint8_t>> FilesBelow(const std::string& folder) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
      if (entry.is_regular_file())
        files[std::filesystem::relative(entry.path(), folder).string()] = test::ReadFile(entry.path());
    return files;
  }

  test::TempDir dir;
  FixedSettings settings;
  Recorder observer;
  ConversionRun run;
};

TEST_F(Run, ReportsConvertedEntriesAndListsFailuresAtTheEnd) {
  const std::string out = Folder("out");
  settings.options.KeepFolderStructure = false;
  settings.options.AlwaysNumber = false;
  const std::vector<std::string> entries = {Picture("one.bmp"), (dir / "missing.bmp").string(), Picture("three.bmp")};
  const RunResult result = run.ConvertList(entries, DestinationMode::ChosenFolder, out, settings, observer);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.converted, 2);
  EXPECT_EQ(result.failures, 1);
  const std::vector<std::string> expected = {
      entries[0] + " -> " + out + "one.jpg",
      entries[2] + " -> " + out + "three.jpg",
      "\n\n",
      "1 Datei konnte nicht verarbeitet werden.",
      "\n",
      "\n! " + entries[1] + " -> " + out,
  };
  EXPECT_EQ(observer.report, expected);
  EXPECT_EQ(observer.reportShown, 1);
  EXPECT_EQ(observer.shown, (std::vector<int>{0, 2}));
  EXPECT_EQ(observer.progress, (std::vector<std::string>{"Fertig 33,33 %", "Fertig 66,67 %", "Fertig 100,00 %"}));
  EXPECT_EQ(settings.options.LastOutputFolder, out);
  EXPECT_EQ(FilesBelow(out).size(), 2u);
}

TEST_F(Run, EmptyLockedAndUnreadableSourcesFail) {
  const std::string out = Folder("out");
  const std::string empty = dir.Write("empty.jpg", std::vector<std::uint8_t>{}).string();
  const std::string text = dir.Write("text.jpg", std::string_view("not a picture")).string();
  const std::string locked = Picture("locked.bmp");

  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {  // another process holds a write lock on the source
    const int fd = open(locked.c_str(), O_RDWR);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fd < 0 || fcntl(fd, F_SETLK, &lock) != 0) _exit(1);
    (void)!write(ready[1], "x", 1);
    pause();
    _exit(0);
  }
  char signal = 0;
  ASSERT_EQ(read(ready[0], &signal, 1), 1);
  const RunResult result =
      run.ConvertList({empty, text, locked}, DestinationMode::ChosenFolder, out, settings, observer);
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  close(ready[0]);
  close(ready[1]);

  EXPECT_EQ(result.failures, 3);
  EXPECT_EQ(result.converted, 0);
  EXPECT_TRUE(FilesBelow(out).empty()) << "nothing is written for a failed entry";
  EXPECT_EQ(observer.report.at(1), "3 Dateien konnten nicht verarbeitet werden.");
}

TEST_F(Run, ControlCharactersInNamesNeverSplitAReportLine) {
  const std::string out = Folder("out");
  settings.options.KeepFolderStructure = false;
  settings.options.AlwaysNumber = false;
  const std::string good = Picture("zwei\nZeilen.bmp");
  const std::string missing = (dir / "fehlt\x1b.bmp").string();
  run.ConvertList({good, missing}, DestinationMode::ChosenFolder, out, settings, observer);
  ASSERT_EQ(observer.report.size(), 5u);
  EXPECT_EQ(observer.report[0], (dir / "zwei\\nZeilen.bmp").string() + " -> " + out + "zwei\\nZeilen.jpg");
  EXPECT_EQ(observer.report[4], "\n! " + (dir / "fehlt\\x1b.bmp").string() + " -> " + out);
  EXPECT_TRUE(std::filesystem::exists(out + "zwei\nZeilen.jpg")) << "the file keeps its real name";
}

TEST_F(Run, StopsAfterTheEntryInProgressAndDiscardsAnEarlierRequest) {
  const std::string out = Folder("out");
  std::vector<std::string> entries;
  for (int i = 0; i < 5; ++i) entries.push_back(Picture("p" + std::to_string(i) + ".bmp"));
  run.RequestStop();  // outside a run: discarded when the next one starts
  observer.afterEntry = [&](int done) {
    if (done == 2) run.RequestStop();
  };
  RunResult result = run.ConvertList(entries, DestinationMode::ChosenFolder, out, settings, observer);
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(result.converted, 2);
  EXPECT_EQ(observer.report.size(), 2u);

  // A second run appends below the first, and numbers around its outputs.
  observer.afterEntry = nullptr;
  result = run.ConvertList({entries[0]}, DestinationMode::ChosenFolder, out, settings, observer);
  EXPECT_TRUE(result.ok());
  ASSERT_EQ(observer.report.size(), 3u);
  EXPECT_NE(observer.report[2].find("[0002]_p0.jpg"), std::string::npos) << observer.report[2];
}

TEST_F(Run, ARefusedSecondRunKeepsThePendingStop) {
  const std::string out = Folder("out");
  std::vector<std::string> entries = {Picture("a.bmp"), Picture("b.bmp"), Picture("c.bmp")};
  RunResult nested;
  observer.afterEntry = [&](int done) {
    if (done != 1) return;
    run.RequestStop();
    nested = run.ConvertList(entries, DestinationMode::ChosenFolder, out, settings, observer);
  };
  const RunResult result = run.ConvertList(entries, DestinationMode::ChosenFolder, out, settings, observer);
  EXPECT_FALSE(nested.started) << "never two runs at once";
  EXPECT_TRUE(result.stopped);
  EXPECT_EQ(result.converted, 1);
}

TEST_F(Run, BesideRelativeSourcesFindsTheirFolder) {
  const std::string source = Picture("rel.bmp");
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const RunResult result = run.ConvertList({"rel.bmp"}, DestinationMode::BesideSource, "", settings, observer);
  std::filesystem::current_path(previous);
  EXPECT_TRUE(result.ok());
  EXPECT_TRUE(std::filesystem::exists(dir / "[0001]_rel.jpg"));
}

TEST_F(Run, BesideTheSourcesKeepsTheRememberedFolder) {
  settings.options.LastOutputFolder = "/somewhere/";
  const std::string source = Picture("b.png.bmp");
  const RunResult result = run.ConvertList({source}, DestinationMode::BesideSource, "", settings, observer);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(settings.options.LastOutputFolder, "/somewhere/");
  EXPECT_TRUE(std::filesystem::exists(dir / "[0001]_b.png.jpg"));
}

TEST_F(Run, RefusesToStartWithoutEntriesFolderOrAValidOwnSize) {
  EXPECT_FALSE(run.ConvertList({}, DestinationMode::ChosenFolder, dir.path().string(), settings, observer).started);
  EXPECT_EQ(observer.messages.back(), "Es sind keine Dateien vorhanden.");

  const std::string source = Picture("a.bmp");
  EXPECT_FALSE(
      run.ConvertList({source}, DestinationMode::ChosenFolder, (dir / "nowhere").string(), settings, observer).started);
  EXPECT_EQ(settings.options.LastOutputFolder, (dir / "nowhere").string()) << "remembered as picked, before the check";

  settings.conversion.SizeMode = SizeMode::OwnSize;
  settings.conversion.OwnWidth = "12a";
  EXPECT_FALSE(run.ConvertList({source}, DestinationMode::ChosenFolder, Folder("o"), settings, observer).started);
  EXPECT_EQ(observer.messages.back(), "'12a' ist kein gültiger Integerwert");
  EXPECT_TRUE(observer.report.empty());
}

TEST_F(Run, AWriteErrorUnderShowErrorsEndsTheRunAfterTheEntry) {
  std::vector<std::string> entries = {Picture("a.bmp", 40, 30), Picture("b.bmp")};
  settings.options.ShowErrors = true;
  // Not even root can create folders below /proc.
  const RunResult written = run.ConvertList(entries, DestinationMode::ChosenFolder, "/proc/", settings, observer);
  EXPECT_TRUE(written.stopped);
  EXPECT_EQ(written.converted, 0);
  ASSERT_FALSE(observer.messages.empty());
  EXPECT_NE(observer.messages.back().find("Breite: 40 Höhe: 30 Name: " + entries[0]), std::string::npos)
      << observer.messages.back();
  EXPECT_EQ(observer.progress.size(), 1u);
}

TEST_F(Run, OneAndTwoJobsGiveIdenticalFilesNamesAndReport) {
  // Collisions (two "a" sources into one flat folder), failures and every
  // adjustment that touches pixels.
  std::vector<std::string> entries = {Picture("x/a.bmp", 64, 48), Picture("y/a.bmp", 50, 20),
                                      (dir / "gone.bmp").string(), dir.Write("z/bad.jpg", std::string_view("??")).string(),
                                      Picture("x/c.bmp", 33, 17), Picture("x/a.bmp.bmp", 20, 30)};
  for (int i = 0; i < 6; ++i) entries.push_back(Picture("many/" + std::to_string(i) + ".bmp", 30 + i, 20 + i));
  settings.options.KeepFolderStructure = false;
  settings.options.AlwaysNumber = false;
  settings.conversion.SizeMode = SizeMode::Percent;
  settings.conversion.SizePercent = 150;
  settings.conversion.ColouringMode = ColouringMode::Sepia;
  settings.conversion.WatermarkMode = WatermarkMode::Text;
  settings.conversion.WatermarkText = "Lumivo";
  settings.conversion.WatermarkFont.face = "DejaVu Sans";

  std::vector<std::string> reports[2];
  std::map<std::string, std::vector<std::uint8_t>> files[2];
  for (int jobs : {1, 2}) {
    const std::string out = Folder("out" + std::to_string(jobs));
    Recorder recorder;
    RunOptions options;
    options.jobs = jobs;
    options.transferMetadata = {};
    const RunResult result = run.ConvertList(entries, DestinationMode::ChosenFolder, out, settings, recorder, options);
    EXPECT_EQ(result.failures, 2);
    for (std::string line : recorder.report) {
      for (std::size_t at; (at = line.find(out)) != std::string::npos;) line.replace(at, out.size(), "OUT/");
      reports[jobs - 1].push_back(line);
    }
    files[jobs - 1] = FilesBelow(out);
  }
  EXPECT_EQ(reports[0], reports[1]);
  EXPECT_EQ(files[0], files[1]);
  EXPECT_EQ(files[0].size(), 10u);
  EXPECT_TRUE(files[0].contains("[0001]_a.jpg")) << "the second a.* is numbered";
}

TEST_F(Run, ReadsSizeOncePerRunAndEverythingElsePerEntry) {
  const std::string out = Folder("out");
  std::vector<std::string> entries = {Picture("a.bmp"), Picture("b.bmp"), Picture("c.bmp")};
  run.ConvertList(entries, DestinationMode::ChosenFolder, out, settings, observer);
  EXPECT_EQ(settings.conversionReads, 1 + 3);
}

TEST_F(Run, KeepExifCarriesAJpegSourcesMetadata) {
  settings.options.AlwaysNumber = false;
  settings.options.KeepFolderStructure = false;
  Bitmap picture = test::MakeBitmap(16, 16, [](int x, int y) { return Bgr{x * 9, y * 9, 60}; });
  JpegImage jpeg;
  ASSERT_TRUE(CompressOutput(picture, jpeg, 80).ok());
  const std::vector<std::uint8_t> comment{0xFF, 0xFE, 0x00, 0x08, 'K', 'a', 'm', 'e', 'r', 'a'};
  std::vector<std::uint8_t> source = jpeg.stream();
  source.insert(source.begin() + 2, comment.begin(), comment.end());
  const std::string photo = dir.Write("photo.jpg", source).string();
  const auto carries = [&](const std::vector<std::uint8_t>& bytes) {
    return std::search(bytes.begin(), bytes.end(), comment.begin(), comment.end()) != bytes.end();
  };
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep);
    settings.options.KeepExif = keep;
    const std::string out = Folder(keep ? "kept" : "plain");
    ASSERT_TRUE(run.ConvertList({photo}, DestinationMode::ChosenFolder, out, settings, observer).ok());
    EXPECT_EQ(carries(test::ReadFile(out + "photo.jpg")), keep);
  }
}

}  // namespace
}  // namespace lumivo
