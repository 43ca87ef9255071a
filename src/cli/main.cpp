// lumivo-batch: the run of the window's "Speichern" commands, from the
// command line and without a display.

#include <unistd.h>

#include <QGuiApplication>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <climits>
#include <memory>
#include <thread>

#include "batch/conversion_run.h"
#include "cli/command_line.h"
#include "cli/console_observer.h"
#include "cli/json_report.h"
#include "cli/run_setup.h"
#include "core/failure_reason.h"
#include "core/text_format.h"
#include "platform/settings_folder.h"
#include "resources/texts.h"
#include "settings/settings_overview.h"

namespace {

using namespace lumivo;
using namespace lumivo::cli;

volatile std::sig_atomic_t interrupted = 0;
bool outputFailureShown = false;

// The first Ctrl+C asks for a stop; SA_RESETHAND gives the second one the
// default action, which ends the process at once.
void OnInterrupt(int) { interrupted = 1; }

void InstallInterruptHandler() {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

void PrintError(const std::string& text) {
  std::fprintf(stderr, "%s\n", FormatText(texts::kCliPrefix, text).c_str());
}

// Text for standard output. A write that fails is told at once with its
// reason, which a later flush no longer knows.
int PrintOut(std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size()) return kExitOk;
  PrintError(FormatText(texts::kCliOutputFailed, FailureReason(errno != 0 ? errno : EIO)));
  outputFailureShown = true;
  return kExitFailures;
}

int UsageError(const std::string& text) {
  PrintError(text);
  std::fprintf(stderr, "%s\n", std::string(texts::kCliHelpHint).c_str());
  return kExitUsage;
}

// The settings of a run that has no window: fixed for its whole length.
class FixedSettings final : public SettingsSource {
 public:
  FixedSettings(SettingsState state, std::shared_ptr<const Bitmap> picture)
      : state_(std::move(state)), picture_(std::move(picture)) {}
  ConversionSettings Conversion() override { return state_.Conversion; }
  ProgramOptions Options() override { return state_.Options; }
  std::shared_ptr<const Bitmap> WatermarkPicture() override { return picture_; }
  // The command line never changes the user's settings file.
  void SetLastOutputFolder(const std::string&) override {}

 private:
  SettingsState state_;
  std::shared_ptr<const Bitmap> picture_;
};

int DefaultJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

// Qt's notes about its own environment (no XDG_RUNTIME_DIR, a substituted
// font) mean nothing to someone converting pictures; only its errors pass.
void FilterQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) PrintError(message.toStdString());
}

// Text drawing needs a QGuiApplication; offscreen, since there may be no display.
std::unique_ptr<QGuiApplication> StartGui(char* programName) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(FilterQtMessages);
  static int argc = 1;
  static char* argv[] = {programName, nullptr};
  auto application = std::make_unique<QGuiApplication>(argc, argv);
  // Qt takes the user's locale for the C library too; our numbers stay plain.
  std::setlocale(LC_NUMERIC, "C");
  return application;
}

// Closes the report file on every way out.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

int Run(const CommandLine& line, char* programName) {
  auto state = LoadRunSettings(line);
  if (!state) return UsageError(state.message());
  auto picture = LoadWatermarkPicture(line, state->Conversion);
  if (!picture) return UsageError(picture.message());

  const CollectedEntries collected = CollectEntries(line.paths, ScannedTypeRows(line, state->Options));
  for (const std::string& missing : collected.missing) PrintError(FormatText(texts::kCliPathMissing, missing));
  if (collected.entries.empty()) {
    PrintError(std::string(texts::kNoFiles));
    return kExitFailures;
  }
  FileHandle report;
  if (line.reportFile) {
    report.reset(std::fopen(line.reportFile->c_str(), "we"));
    if (!report) {
      PrintError(FormatText(texts::kCliReportFailed, *line.reportFile, FailureReason(errno)));
      return kExitFailures;
    }
  }
  std::string destination;
  if (line.destination) {
    auto prepared = PrepareDestination(*line.destination, line.dryRun);
    if (!prepared) {
      PrintError(prepared.message());
      return kExitFailures;
    }
    destination = *prepared;
  }
  if (interrupted) return kExitInterrupted;

  const auto gui = StartGui(programName);
  RunOptions options;
  options.jobs = line.jobs.value_or(DefaultJobs());
  options.sync = line.sync;
  options.decimalSeparator = QLocale::system().decimalPoint().toStdString();
  if (line.fit) options.size = SizeRequest{line.fit->width, line.fit->height, 0, /*fit=*/true, line.enlarge};
  if (line.relative) options.structureRoots = collected.roots;
  options.dryRun = line.dryRun;

  ConversionRun run;
  bool stopNoticed = false;
  // The poll runs only once the observer exists, so it may name it.
  ConsoleObserver observer(stdout, stderr, !line.quiet && ::isatty(STDERR_FILENO) == 1, [&] {
    if (!interrupted || stopNoticed) return;
    stopNoticed = true;
    run.RequestStop();
    observer.PrintError(texts::kCliStopRequested);
  });
  JsonLinesReport jsonReport(report.get());
  if (report) observer.SetJsonReport(&jsonReport);
  observer.SetVerbose(line.verbose);
  FixedSettings settings(std::move(*state), std::move(*picture));
  const RunResult result =
      run.ConvertList(collected.entries, line.destination ? DestinationMode::ChosenFolder : DestinationMode::BesideSource,
                      destination, settings, observer, options);
  observer.Finish();
  if (observer.outputError() != 0) {
    PrintError(FormatText(texts::kCliOutputFailed, FailureReason(observer.outputError())));
    outputFailureShown = true;
    return kExitFailures;
  }
  if (report && (jsonReport.error() != 0 || std::fclose(report.release()) != 0)) {
    PrintError(FormatText(texts::kCliReportFailed, *line.reportFile,
                          FailureReason(jsonReport.error() != 0 ? jsonReport.error() : errno)));
    return kExitFailures;
  }
  const int count = static_cast<int>(collected.entries.size());
  if (stopNoticed && observer.done() < count) {
    PrintError(FormatText(texts::kCliStopped, observer.done(), count));
    return kExitInterrupted;
  }
  if (!result.started) return kExitUsage;  // the own size is no number; the message is out
  return result.ok() && collected.missing.empty() ? kExitOk : kExitFailures;
}

// A report that could not be written (a full disk, a closed pipe) is a
// failure, whatever the conversion did.
int CheckedOutput(int status) {
  errno = 0;
  if (outputFailureShown || (std::fflush(stdout) == 0 && !std::ferror(stdout))) return status;
  PrintError(FormatText(texts::kCliOutputFailed, FailureReason(errno != 0 ? errno : EIO)));
  return status == kExitOk ? kExitFailures : status;
}

// The stored profiles, as the profile page lists them.
int ListProfiles() {
  auto folder = platform::SettingsFolder(platform::FolderUse::ReadOnly);
  if (!folder) return UsageError(folder.message());
  SettingsState state;
  if (!LoadSettings(*folder, kSettingsFileName, state))
    return UsageError(FormatText(texts::kCliSettingsUnreadable, *folder + std::string(kSettingsFileName)));
  std::string names;
  for (const std::string& name : state.Profiles) names += name + "\n";
  return PrintOut(names);
}

// The profile page's overview of what a run would use, with the fit's rows
// after the size rows. Paths are not needed and not looked at.
int ShowSettings(const CommandLine& line) {
  const auto state = LoadRunSettings(line);
  if (!state) return UsageError(state.message());
  const TextMeasure unmeasured = [](std::string_view) { return 0; };  // a terminal shortens nothing
  std::vector<std::string> rows = DescribeCurrentSettings(state->Conversion, line.profile, unmeasured, INT_MAX);
  if (line.fit) {
    const std::string heightLabel(texts::kOverviewHeight);
    auto after = std::find_if(rows.begin(), rows.end(), [&](const std::string& row) { return row.starts_with(heightLabel); });
    after = after == rows.end() ? rows.end() : after + 1;
    const std::string onOff(line.enlarge ? texts::kOverviewOn : texts::kOverviewOff);
    rows.insert(after, {std::string(texts::kCliOverviewKeepAspect) + ": " + std::string(texts::kOverviewOn),
                        std::string(texts::kCliOverviewEnlarge) + ": " + onOff});
  }
  std::string text;
  for (const std::string& row : rows) text += row + "\n";
  return PrintOut(text);
}

int Dispatch(int argc, char** argv) {
  const auto line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!line) return UsageError(line.message());
  switch (line->action) {
    case Action::Help:
      return PrintOut(texts::kCliHelp);
    case Action::Version:
      return PrintOut(FormatText(texts::kCliVersion, LUMIVO_VERSION) + "\n");
    case Action::ListProfiles:
      return ListProfiles();
    case Action::ShowSettings:
      return ShowSettings(*line);
    case Action::Run:
      break;
  }
  return Run(*line, argv[0]);
}

}  // namespace

int main(int argc, char** argv) {
  InstallInterruptHandler();
  return CheckedOutput(Dispatch(argc, argv));
}
