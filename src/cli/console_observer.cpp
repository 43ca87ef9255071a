#include "cli/console_observer.h"

#include <cerrno>
#include <cmath>

#include "core/text_basics.h"
#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo::cli {

ConsoleObserver::ConsoleObserver(std::FILE* out, std::FILE* err, bool showProgress, std::function<void()> poll)
    : out_(out), err_(err), showProgress_(showProgress), poll_(std::move(poll)) {}

void ConsoleObserver::Poll() const {
  if (poll_) poll_();
}

void ConsoleObserver::Message(std::string_view text) {
  Poll();
  PrintError(text);
}

void ConsoleObserver::EntryShown(int, int, std::string_view) { Poll(); }

void ConsoleObserver::EntryFailed(std::string_view source, std::string_view reason) {
  Poll();
  // Verbose, the reason comes with the entry's time.
  if (!verbose_) PrintError(std::string(source) + ": " + std::string(reason));
}

void ConsoleObserver::EntryDone(const EntryOutcome& outcome) {
  if (jsonReport_) jsonReport_->Write(outcome);
  if (!verbose_) return;
  const long long milliseconds = std::llround(outcome.milliseconds);
  const std::string source = EscapeControlCharacters(outcome.source);
  if (outcome.ok)
    PrintError(FormatText(texts::kCliEntryWritten, source, EscapeControlCharacters(outcome.output), outcome.width,
                          outcome.height, outcome.bytes, milliseconds));
  else
    PrintError(FormatText(texts::kCliEntryFailed, source, std::string(outcome.reason), milliseconds));
}

void ConsoleObserver::ReportLine(std::string_view line) {
  Poll();
  ClearProgress();
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fputc('\n', out_);
  // Flushed at once: whoever reads the report sees each entry as it is written.
  if (std::fflush(out_) != 0 && outputError_ == 0) outputError_ = errno != 0 ? errno : EIO;
  DrawProgress();
}

void ConsoleObserver::Progress(int done, int count, std::string_view progress, std::string_view timeLine) {
  done_ = done;
  if (showProgress_) {
    progressLine_ = FormatText(texts::kEntryCounter, done, count) + "  " + std::string(progress) + "  " +
                    std::string(timeLine);
    DrawProgress();
  }
  Poll();
}

void ConsoleObserver::PrintError(std::string_view text) {
  ClearProgress();
  std::fflush(out_);
  const std::string line = FormatText(texts::kCliPrefix, text) + "\n";
  std::fwrite(line.data(), 1, line.size(), err_);
  std::fflush(err_);
  DrawProgress();
}

void ConsoleObserver::Finish() {
  if (!progressShown_) return;
  std::fputc('\n', err_);
  std::fflush(err_);
  progressShown_ = false;
  progressLine_.clear();
}

void ConsoleObserver::ClearProgress() {
  if (!progressShown_) return;
  // Erase to the end of the line: the terminal is the only place it was drawn.
  std::fputs("\r\x1b[K", err_);
  std::fflush(err_);
  progressShown_ = false;
}

void ConsoleObserver::DrawProgress() {
  if (!showProgress_ || progressLine_.empty()) return;
  std::fputs("\r\x1b[K", err_);
  std::fwrite(progressLine_.data(), 1, progressLine_.size(), err_);
  std::fflush(err_);
  progressShown_ = true;
}

}  // namespace lumivo::cli
