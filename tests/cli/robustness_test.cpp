// lumivo-batch end to end: names beyond ASCII, destinations that cannot be
// written, runs that are killed or interrupted, exit codes and messages.

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "cli_fixture.h"
#include "core/text_format.h"
#include "resources/texts.h"
#include "settings/settings_file.h"
#include "settings/xml_config.h"

namespace lumivo::test {
namespace {

using Args = std::vector<std::string>;

std::string Usage(std::string_view message) {
  return "lumivo-batch: " + std::string(message) + "\n" + std::string(texts::kCliHelpHint) + "\n";
}

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

class RobustnessTest : public CliTest {
 protected:
  // Pictures big enough that a run of them lasts a while.
  std::vector<fs::path> ManyPictures(int count, int width = 1200, int height = 900) const {
    const fs::path first = WriteJpeg("viele/bild000.jpg", Grainy(width, height), 85);
    const auto bytes = ReadFile(first);
    std::vector<fs::path> files{first};
    for (int i = 1; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "viele/bild%03d.jpg", i);
      files.push_back(temp().Write(name, bytes));
    }
    return files;
  }

  // Every *.jpg below the folder decodes to its end.
  static int CompleteJpegs(const fs::path& folder) {
    int count = 0;
    for (const std::string& file : FilesBelow(folder)) {
      if (fs::path(file).extension() != ".jpg") continue;
      Bitmap picture;
      EXPECT_TRUE(DecodeJpeg(ReadFile(folder / file), picture).ok()) << file;
      ++count;
    }
    return count;
  }
};

TEST_F(RobustnessTest, NamesBeyondAsciiSurviveBothDestinations) {
  const std::string folder = "Fotos Ä ß 😀";
  const std::vector<std::string> names = {"Grüße 😀", "Mu\xCC\x88ller", "straße mit leer"};  // the middle one decomposed
  Args sources;
  for (const std::string& name : names) sources.push_back(WriteBmp(folder + "/" + name + ".bmp", Uniform(6, 4, 77)).string());
  const fs::path sourceFolder = temp() / folder;

  const fs::path destination = temp() / "Ziel ö";
  Args toFolder = {"--defaults", "--keep-structure", "--number-on-collision", "--dest", destination.string()};
  toFolder.insert(toFolder.end(), sources.begin(), sources.end());
  const Outcome chosen = Run(toFolder);
  ASSERT_EQ(chosen.status, 0) << chosen.err;

  Args beside = {"--defaults", "--number-on-collision", sourceFolder.string()};
  const Outcome besideOutcome = Run(beside);
  ASSERT_EQ(besideOutcome.status, 0) << besideOutcome.err;

  for (std::size_t i = 0; i < names.size(); ++i) {
    const fs::path below = Rebuilt(destination, sourceFolder) / (names[i] + ".jpg");
    const fs::path next = sourceFolder / (names[i] + ".jpg");
    EXPECT_EQ(Decode(below).width(), 6) << below;
    EXPECT_EQ(Decode(next).width(), 6) << next;
    EXPECT_TRUE(Contains(chosen.out, sources[i] + " -> " + below.string() + "\n")) << chosen.out;
    EXPECT_TRUE(Contains(besideOutcome.out, sources[i] + " -> " + next.string() + "\n")) << besideOutcome.out;
  }
}

TEST_F(RobustnessTest, DestinationBelowAFileIsRefusedAndNothingIsLost) {
  const fs::path source = WriteBmp("src/a.bmp", Uniform(6, 4, 77));
  const auto sourceBytes = ReadFile(source);
  temp().Write("datei.txt", "kein Ordner");
  const std::string destination = (temp() / "datei.txt" / "ziel").string();
  const auto before = FilesBelow(temp().path());

  const Outcome outcome = Run({"--defaults", "--dest", destination, source.string()});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "lumivo-batch: " + FormatText(texts::kCliDestinationNotFolder, destination) + "\n");
  EXPECT_EQ(FilesBelow(temp().path()), before);
  EXPECT_EQ(ReadFile(source), sourceBytes);
}

TEST_F(RobustnessTest, UnwritableDestinationFailsEveryEntryAndNothingIsLost) {
  const fs::path a = WriteBmp("src/a.bmp", Uniform(6, 4, 77));
  const fs::path b = WriteBmp("src/b.bmp", Uniform(6, 4, 88));
  const auto before = FilesBelow(temp().path());
  // /proc takes no new files, not even from root.
  for (const char* layout : {"--flat", "--keep-structure"}) {
    const Outcome outcome = Run({"--defaults", layout, "--dest", "/proc", a.string(), b.string()});
    SCOPED_TRACE(layout);
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(outcome.out.starts_with("\n\n\n2 Dateien konnten nicht verarbeitet werden.\n\n\n\n! " + a.string() +
                                        " -> /proc/"))
        << outcome.out;
    EXPECT_TRUE(Contains(outcome.out, "! " + b.string() + " -> /proc/")) << outcome.out;
    EXPECT_TRUE(Contains(outcome.err, "lumivo-batch: " + a.string() + ": ")) << outcome.err;
    EXPECT_TRUE(Contains(outcome.err, "lumivo-batch: " + b.string() + ": ")) << outcome.err;
  }
  EXPECT_EQ(FilesBelow(temp().path()), before);
}

TEST_F(RobustnessTest, KilledRunLeavesNoPartialJpegUnderAFinalName) {
  const auto pictures = ManyPictures(30);
  const fs::path destination = temp() / "ziel";
  BatchProcess process({"--defaults", "--flat", "--jobs", "1", "--dest", destination.string(), pictures[0].parent_path().string()},
                       Environment());
  ASSERT_TRUE(Contains(process.ReadLine(), " -> "));
  process.Signal(SIGKILL);
  EXPECT_EQ(process.Wait().status, 128 + SIGKILL);
  const int written = CompleteJpegs(destination);
  EXPECT_GE(written, 1);
  EXPECT_LT(written, 30);
}

TEST_F(RobustnessTest, InterruptStopsAfterTheEntryInProgress) {
  const auto pictures = ManyPictures(30);
  const fs::path destination = temp() / "ziel";
  BatchProcess process({"--defaults", "--flat", "--jobs", "2", "--dest", destination.string(), pictures[0].parent_path().string()},
                       Environment());
  ASSERT_TRUE(Contains(process.ReadLine(), " -> "));
  process.Signal(SIGINT);
  const Outcome outcome = process.Wait();
  EXPECT_EQ(outcome.status, 130);
  EXPECT_TRUE(Contains(outcome.err, texts::kCliStopRequested)) << outcome.err;
  EXPECT_TRUE(Contains(outcome.err, "lumivo-batch: Angehalten nach ")) << outcome.err;
  // Everything reported was written whole, and no temporary file is left.
  const auto files = FilesBelow(destination);
  EXPECT_EQ(CompleteJpegs(destination), static_cast<int>(files.size()));
  EXPECT_EQ(static_cast<std::size_t>(std::count(outcome.out.begin(), outcome.out.end(), '\n')), files.size());
  EXPECT_LT(files.size(), 30u);
}

TEST_F(RobustnessTest, SecondInterruptEndsAtOnce) {
  const auto pictures = ManyPictures(6, 4000, 3000);  // entries long enough to interrupt twice
  BatchProcess process({"--defaults", "--flat", "--jobs", "1", "--dest", (temp() / "ziel").string(),
                        pictures[0].parent_path().string()},
                       Environment());
  ASSERT_TRUE(Contains(process.ReadLine(), " -> "));
  // Both while the second entry is in progress; two signals at once would merge into one.
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  process.Signal(SIGINT);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  process.Signal(SIGINT);
  const Outcome outcome = process.Wait();
  EXPECT_EQ(outcome.status, 128 + SIGINT);
  EXPECT_FALSE(Contains(outcome.err, "Angehalten nach")) << outcome.err;
}

TEST_F(RobustnessTest, ExitCodesAndMessages) {
  const std::string good = WriteBmp("src/gut.bmp", Uniform(6, 4, 77)).string();
  const std::string text = temp().Write("notiz.txt", "kein Bild").string();
  const std::string broken = temp().Write("kaputt.xml", "<Configuration><nicht zu").string();
  SettingsState ownSize;
  ownSize.Conversion.SizeMode = SizeMode::OwnSize;
  ownSize.Conversion.OwnWidth = "99999999999";  // digits, but no integer
  ASSERT_TRUE(SaveSettings(temp().path().string() + "/", "eigen.xml", ownSize));
  const std::string ownSizeFile = (temp() / "eigen.xml").string();
  const std::string missing = (temp() / "fehlt.xml").string();
  const std::string destination = (temp() / "ziel").string();
  // A file or profile that does not read is named with its reason.
  const std::string brokenReason = TXMLConfig::Open(broken).message();
  const std::string noProfile = FormatText(texts::kFileNotReadable, config().string() + "/Gibt es nicht");

  const struct {
    Args args;
    int status;
    std::string err;  // the whole of standard error
  } usage[] = {
      {{}, 2, Usage(texts::kCliNoPaths)},
      {{"--quality", "101", good}, 2, Usage(FormatText(texts::kCliBadNumber, "101", "--quality", 0, 100))},
      {{"--jobs", "0", good}, 2, Usage(FormatText(texts::kCliBadNumber, "0", "--jobs", 1, 256))},
      {{"--bogus", good}, 2, Usage(FormatText(texts::kCliUnknownOption, "--bogus"))},
      {{"--size", "10y", good}, 2, Usage(FormatText(texts::kCliBadSize, "10y"))},
      {{"--settings", missing, good}, 2, Usage(FormatText(texts::kCliSettingsMissing, missing))},
      {{"--settings", broken, good}, 2, Usage(FormatText(texts::kCliSettingsUnreadable, broken, brokenReason))},
      {{"-p", "Gibt es nicht", good}, 2, Usage(FormatText(texts::kCliProfileMissing, "Gibt es nicht", noProfile))},
  };
  for (const auto& c : usage) {
    Args args = {"--dest", destination};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome outcome = Run(c.args.empty() ? Args{} : args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out, "");
    EXPECT_FALSE(fs::exists(destination));
  }

  // The own size is read when the run starts, after the destination was made.
  const Outcome ownSizeOutcome = Run({"--settings", ownSizeFile, good});
  EXPECT_EQ(ownSizeOutcome.status, 2);
  EXPECT_EQ(ownSizeOutcome.err, "lumivo-batch: '99999999999' ist kein gültiger Integerwert\n");

  const Outcome picture = Run({"--picture", text, good});
  EXPECT_EQ(picture.status, 2);
  EXPECT_TRUE(picture.err.starts_with("lumivo-batch: Das Wasserzeichenbild kann nicht verwendet werden. ")) << picture.err;

  const Outcome help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Aufruf: lumivo-batch [OPTION]... PFAD...\n"));
  const Outcome version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(version.out.starts_with("lumivo-batch ")) << version.out;
}

TEST_F(RobustnessTest, FailuresGiveExitOneWithReasonsAndTheSummary) {
  const std::string good = WriteBmp("src/gut.bmp", Uniform(6, 4, 77)).string();
  const std::string empty = temp().Write("src/leer.jpg", "").string();
  const std::string absent = (temp() / "src" / "fehlt.bmp").string();
  const fs::path destination = temp() / "ziel";

  const Outcome mixed = Run({"--defaults", "--flat", "--number-on-collision", "-o", destination.string(), good, empty});
  EXPECT_EQ(mixed.status, 1);
  // The summary is set off from the run's lines and from the failure lines.
  EXPECT_EQ(mixed.out, good + " -> " + (destination / "gut.jpg").string() +
                           "\n\n\n\n1 Datei konnte nicht verarbeitet werden.\n\n\n\n! " + empty + " -> " +
                           destination.string() + "/\n");
  EXPECT_EQ(mixed.err, "lumivo-batch: " + empty + ": " + FormatText(texts::kSourceEmpty, empty) + "\n");

  const Outcome withMissing = Run({"--defaults", "--flat", "-o", destination.string(), absent, good});
  EXPECT_EQ(withMissing.status, 1);
  EXPECT_EQ(withMissing.err, "lumivo-batch: " + FormatText(texts::kCliPathMissing, absent) + "\n");
  EXPECT_TRUE(withMissing.out.starts_with(good + " -> ")) << withMissing.out;

  const Outcome onlyMissing = Run({"--defaults", absent});
  EXPECT_EQ(onlyMissing.status, 1);
  EXPECT_EQ(onlyMissing.err, "lumivo-batch: " + FormatText(texts::kCliPathMissing, absent) + "\nlumivo-batch: " +
                                 std::string(texts::kNoFiles) + "\n");

  const Outcome allGood = Run({"--defaults", "-o", destination.string(), good});
  EXPECT_EQ(allGood.status, 0);
  EXPECT_EQ(allGood.err, "");
}

TEST_F(RobustnessTest, AReportThatCannotBeWrittenFailsWithItsReason) {
  const fs::path good = WriteBmp("src/gut.bmp", Uniform(6, 4, 77));
  const fs::path err = temp() / "err.txt";
  for (const std::string& arguments : {std::string("--help"), "--defaults --flat -o '" + (temp() / "ziel").string() + "' '" +
                                                    good.string() + "'"}) {
    const std::string command = "LUMIVO_CONFIG_DIR='" + config().string() + "' QT_QPA_PLATFORM=offscreen '" +
                                LUMIVO_BATCH + "' " + arguments + " >/dev/full 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << arguments;
    EXPECT_EQ(WEXITSTATUS(status), 1) << arguments;
    const auto bytes = ReadFile(err);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "lumivo-batch: " + FormatText(texts::kCliOutputFailed, texts::kReasonNoSpace) + "\n")
        << arguments;
  }
}

TEST_F(RobustnessTest, DestinationsWithDotDotAreReportedNormalised) {
  const fs::path good = WriteBmp("src/gut.bmp", Uniform(6, 4, 77));
  fs::create_directories(temp() / "sub");
  const fs::path before = fs::current_path();
  fs::current_path(temp() / "sub");
  const Outcome outcome =
      Run({"--defaults", "--flat", "--number-on-collision", "-o", "../ziel/./x/..", "../src/../src/gut.bmp"});
  fs::current_path(before);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, good.string() + " -> " + (temp() / "ziel" / "gut.jpg").string() + "\n");
  EXPECT_FALSE(fs::exists(config())) << "lumivo-batch only reads the settings folder";
}

TEST_F(RobustnessTest, ProgressLineOnlyOnATerminal) {
  const std::string source = WriteBmp("src/a.bmp", Uniform(6, 4, 77)).string();
  auto environment = Environment();
  environment["LC_ALL"] = "de_DE.UTF-8";
  const auto run = [&](Args extra, bool terminal) {
    Args args = {"--defaults", "-o", (temp() / "ziel").string(), source};
    args.insert(args.end(), extra.begin(), extra.end());
    BatchProcess process(args, environment, terminal);
    return process.Wait();
  };
  const Outcome shown = run({}, true);
  EXPECT_EQ(shown.status, 0);
  EXPECT_TRUE(Contains(shown.err, "\r")) << shown.err;
  EXPECT_TRUE(Contains(shown.err, "1 / 1  Fertig 100,00 %  Dauer: 00:00:0")) << shown.err;
  EXPECT_FALSE(Contains(shown.out, "Fertig"));

  EXPECT_FALSE(Contains(run({"--quiet"}, true).err, "Fertig"));
  EXPECT_EQ(run({}, false).err, "");
}

}  // namespace
}  // namespace lumivo::test
