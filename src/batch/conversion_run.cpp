#include "batch/conversion_run.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include "batch/entry_preparation.h"
#include "batch/file_checks.h"
#include "batch/output_writer.h"
#include "batch/preparation_pool.h"
#include "batch/stopwatch.h"
#include "core/folder_path.h"
#include "core/text_basics.h"
#include "core/text_format.h"
#include "resources/texts.h"
#include "settings/settings_file.h"

namespace lumivo {

namespace {

// The own-size field as the run reads it: trimmed, an optionally signed
// decimal integer, or an error naming the text.
Result<int> OwnSizeValue(const std::string& field) {
  const std::string_view text = TrimBlanks(field);
  const auto value = ParseDecimalInt(text);
  if (!value) return Error{FormatText(texts::kNotAnIntegerValue, text)};
  return *value;
}

Result<SizeRequest> RunSize(const ConversionSettings& settings) {
  SizeRequest request;
  if (settings.SizeMode == SizeMode::OwnSize) {
    const auto width = OwnSizeValue(settings.OwnWidth);
    if (!width) return width.error();
    const auto height = OwnSizeValue(settings.OwnHeight);
    if (!height) return height.error();
    request.width = *width;
    request.height = *height;
  } else if (settings.SizeMode == SizeMode::Percent) {
    request.percent = settings.SizePercent;
  }
  return request;
}

// One run's state and its commit stage.
class Run {
 public:
  Run(const std::vector<std::string>& entries, DestinationMode mode, std::string baseFolder,
      SettingsSource& settings, RunObserver& observer, const RunOptions& options, std::atomic<bool>& stop)
      : entries_(entries),
        mode_(mode),
        baseFolder_(std::move(baseFolder)),
        settings_(settings),
        observer_(observer),
        options_(options),
        stop_(stop),
        output_(options.sync) {}

  RunResult Execute(SizeRequest size, int quality) {
    size_ = size;
    quality_ = quality;
    result_.started = true;
    stopwatch_.Start();
    const int count = static_cast<int>(entries_.size());
    if (options_.jobs <= 1) {
      PreparationWorkspace workspace;
      for (int i = 0; i < count; ++i) {
        const EntrySettings settings = ReadEntrySettings();
        PreparedEntry prepared = PrepareTimed(entries_[i], settings, workspace, [&] { Show(i); });
        if (!Commit(i, std::move(prepared), /*shown=*/true)) break;
      }
    } else {
      PreparationPool pool(options_.jobs);
      const int window = options_.jobs + 1;  // prepared entries that may wait at once
      int submitted = 0;
      for (int i = 0; i < count; ++i) {
        for (; submitted < count && submitted < i + window; ++submitted)
          pool.Submit(submitted, entries_[submitted], ReadEntrySettings());
        if (!Commit(i, pool.Take(i), /*shown=*/false)) break;
      }
    }
    output_.Finish();
    stopwatch_.Stop();
    if (!result_.passedOnError.empty()) return result_;
    Summarise();
    return result_;
  }

 private:
  EntrySettings ReadEntrySettings() {
    EntrySettings settings;
    settings.conversion = settings_.Conversion();
    settings.size = size_;
    settings.quality = quality_;
    if (settings.conversion.WatermarkMode == WatermarkMode::Picture) settings.watermarkPicture = settings_.WatermarkPicture();
    return settings;
  }

  void Show(int index) {
    observer_.EntryShown(index, static_cast<int>(entries_.size()), entries_[static_cast<std::size_t>(index)]);
  }

  // What the commit stage made of an entry.
  struct Handled {
    std::string output;
    std::string reason;
    bool ok = false;
    int width = 0;
    int height = 0;
    std::uint64_t bytes = 0;
  };

  Handled Fail(const std::string& source, const std::string& output, std::string_view reason) {
    observer_.EntryFailed(source, reason);
    ++result_.failures;
    failureLines_.push_back(FormatText(texts::kFailureLine, EscapeControlCharacters(source),
                                       EscapeControlCharacters(output)));
    return Handled{output, std::string(reason)};
  }

  void Done(int index, const Handled& handled, double milliseconds) {
    EntryOutcome outcome;
    outcome.index = index;
    outcome.source = entries_[static_cast<std::size_t>(index)];
    outcome.output = handled.output;
    outcome.ok = handled.ok;
    outcome.reason = handled.reason;
    outcome.width = handled.width;
    outcome.height = handled.height;
    outcome.bytes = handled.bytes;
    outcome.milliseconds = milliseconds;
    observer_.EntryDone(outcome);
  }

  // Names, writes and reports one prepared entry, then shows the progress.
  // False ends the run.
  bool Commit(int index, PreparedEntry prepared, bool shown) {
    const auto start = std::chrono::steady_clock::now();
    const auto took = [&] {
      return prepared.milliseconds +
             std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
    const std::string& source = entries_[static_cast<std::size_t>(index)];
    if (prepared.loaded && !shown) Show(index);
    const ProgramOptions options = settings_.Options();
    Handled handled;
    switch (prepared.outcome) {
      case PreparedEntry::Outcome::Failed:
        handled = Fail(source, baseFolder_, prepared.message);
        break;
      case PreparedEntry::Outcome::Error:
        handled = Fail(source, baseFolder_, prepared.message);
        if (options.ShowErrors) {
          Done(index, handled, took());
          result_.passedOnError = prepared.message;
          result_.stopped = true;
          observer_.Message(prepared.message);
          return false;
        }
        break;
      case PreparedEntry::Outcome::Ready:
        handled = Write(index, prepared, options);
        break;
    }
    Done(index, handled, took());
    Progress(index);
    if (stop_) {
      result_.stopped = true;
      return false;
    }
    return true;
  }

  Handled Write(int index, const PreparedEntry& prepared, const ProgramOptions& options) {
    const std::string& source = entries_[static_cast<std::size_t>(index)];
    OutputPlacement placement;
    placement.mode = mode_;
    placement.baseFolder = baseFolder_;
    placement.keepFolderStructure = options.KeepFolderStructure;
    placement.alwaysNumber = options.AlwaysNumber;
    if (static_cast<std::size_t>(index) < options_.structureRoots.size())
      placement.structureRoot = options_.structureRoots[static_cast<std::size_t>(index)];
    if (IsFileLocked(source))
      return Fail(source, BuildOutputName(source, placement).path(), FormatText(texts::kSourceLocked, source));
    std::optional<std::vector<std::uint8_t>> withMetadata;
    if (options.KeepExif && options_.transferMetadata)
      withMetadata = options_.transferMetadata(prepared.stream, prepared.width, prepared.height, source);
    const std::span<const std::uint8_t> bytes = withMetadata ? *withMetadata : prepared.stream;
    const auto written = options_.dryRun ? Plan(source, placement) : output_.WriteOutputFile(source, placement, bytes);
    if (!written) {
      // A failed write is a failure the user must see, not a silent skip.
      Handled failed = Fail(source, BuildOutputName(source, placement).path(), written.message());
      if (options.ShowErrors) {
        observer_.Message(FormatText(texts::kWriteFailed, prepared.width, prepared.height, source));
        stop_ = true;
      }
      return failed;
    }
    ++result_.converted;
    observer_.ReportLine(
        FormatText(texts::kReportLine, EscapeControlCharacters(source), EscapeControlCharacters(*written)));
    if (options.StartPreview) observer_.Preview(prepared.stream);
    return Handled{*written, {}, true, prepared.width, prepared.height, bytes.size()};
  }

  // The path a write would take now: the folder as it is, with the names
  // planned before in this run counted as written.
  Result<std::string> Plan(const std::string& source, const OutputPlacement& placement) {
    const OutputName name = BuildOutputName(source, placement, [this](const std::string& path) {
      return planned_.contains(path) || NameTakenOnDisk(path);
    });
    planned_.insert(name.path());
    return name.path();
  }

  void Progress(int index) {
    const int done = index + 1;
    const int count = static_cast<int>(entries_.size());
    observer_.Progress(done, count, ProgressText(done, count, options_.decimalSeparator),
                       TimeLineText(stopwatch_.ElapsedSeconds(), done, count));
  }

  // Four additions to the report, each ending in a line break as every
  // addition does: two line breaks, the summary, one line break, and the
  // failure text, whose every line starts with a line break.
  void Summarise() {
    if (result_.failures == 0) return;
    observer_.ReportLine("\n\n");
    observer_.ReportLine(FormatText(texts::kFailureSummary, result_.failures,
                                    result_.failures == 1 ? texts::kOneFileFailed : texts::kFilesFailed));
    observer_.ReportLine("\n");
    std::string failureText;
    for (const std::string& line : failureLines_) failureText += "\n" + line;
    observer_.ReportLine(failureText);
    observer_.ShowReport();
  }

  const std::vector<std::string>& entries_;
  const DestinationMode mode_;
  const std::string baseFolder_;
  SettingsSource& settings_;
  RunObserver& observer_;
  const RunOptions& options_;
  std::atomic<bool>& stop_;
  OutputSession output_;
  SizeRequest size_;
  int quality_ = 50;
  Stopwatch stopwatch_;
  RunResult result_;
  std::vector<std::string> failureLines_;
  std::set<std::string> planned_;  // a dry run's names
};

// Clears the running mark on every way out.
struct RunningMark {
  std::atomic<bool>& running;
  ~RunningMark() { running = false; }
};

}  // namespace

RunResult ConversionRun::ConvertList(const std::vector<std::string>& entries, DestinationMode mode,
                                     const std::string& folder, SettingsSource& settings, RunObserver& observer,
                                     const RunOptions& options) {
  if (running_.exchange(true)) return {};  // never two runs at once; the running one keeps its stop
  RunningMark mark{running_};
  stopRequested_ = false;
  if (entries.empty()) {
    observer.Message(texts::kNoFiles);
    return {};
  }
  std::string resultFolder;
  if (mode == DestinationMode::ChosenFolder) {
    resultFolder = folder;
    settings.SetLastOutputFolder(folder);  // as picked, before any check
  } else {
    std::error_code ignored;
    resultFolder = std::filesystem::absolute(entries.front(), ignored).parent_path().string();
  }
  std::error_code error;
  // A dry run names outputs in a folder that a real run would create.
  if (!options.dryRun && !std::filesystem::is_directory(resultFolder, error)) return {};

  const ConversionSettings conversion = settings.Conversion();
  const auto size = options.size ? Result<SizeRequest>(*options.size) : RunSize(conversion);
  if (!size) {
    observer.Message(size.message());
    return {};
  }
  Run run(entries, mode, WithTrailingSlash(resultFolder), settings, observer, options, stopRequested_);
  return run.Execute(*size, kQualityRange.Clamp(conversion.Quality));
}

}  // namespace lumivo
