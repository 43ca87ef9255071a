#include "app/window_run.h"

#include <QElapsedTimer>
#include <QMetaObject>

#include <vector>

#include "app/preview_image.h"
#include "app/qt_text.h"

namespace lumivo::app {

namespace {

// Forwards the run's calls as signals; those reach the window queued, since
// they are sent on the run's thread.
class ForwardingObserver final : public RunObserver {
 public:
  ForwardingObserver(WindowRun& run, RunObserver* tap, QSize previewBox)
      : run_(run), tap_(tap), previewBox_(previewBox) {}

  void Message(std::string_view text) override {
    if (tap_) tap_->Message(text);
    emit run_.message(ToQString(text));
  }
  void EntryShown(int index, int count, std::string_view source) override {
    if (tap_) tap_->EntryShown(index, count, source);
    emit run_.entryShown(index, count, ToQString(source));
  }
  void EntryFailed(std::string_view source, std::string_view reason) override {
    if (tap_) tap_->EntryFailed(source, reason);
  }
  void ReportLine(std::string_view line) override {
    if (tap_) tap_->ReportLine(line);
    emit run_.reportLine(ToQString(line));
  }
  void Progress(int done, int count, std::string_view progressText, std::string_view timeLine) override {
    if (tap_) tap_->Progress(done, count, progressText, timeLine);
    emit run_.progress(done, count, ToQString(progressText), ToQString(timeLine));
  }
  void Preview(std::span<const std::uint8_t> jpeg) override {
    if (tap_) tap_->Preview(jpeg);
    // Outputs committed faster than the eye follows are not all decoded: the
    // decode would take its time from the preparing threads. The one kept
    // back is shown when its interval is over or the run ends.
    pending_.assign(jpeg.begin(), jpeg.end());
    if (!shown_.isValid() || shown_.hasExpired(kPreviewIntervalMs)) ShowPending();
  }
  // Decoded here, not on the window's thread, so that a large photo never
  // holds up a repaint.
  void ShowPending() {
    if (pending_.empty()) return;
    emit run_.preview(DecodePreview(pending_, previewBox_));
    pending_.clear();
    shown_.start();
  }
  void ShowReport() override {
    if (tap_) tap_->ShowReport();
    emit run_.reportWanted();
  }

 private:
  static constexpr qint64 kPreviewIntervalMs = 100;

  WindowRun& run_;
  RunObserver* tap_;
  QSize previewBox_;
  std::vector<std::uint8_t> pending_;
  QElapsedTimer shown_;
};

}  // namespace

WindowRun::WindowRun(SettingsSource& settings, QObject* parent) : QObject(parent), settings_(settings) {
  qRegisterMetaType<lumivo::RunResult>("lumivo::RunResult");
}

WindowRun::~WindowRun() { StopAndWait(); }

void WindowRun::StopAndWait() {
  run_.RequestStop();
  if (thread_.joinable()) thread_.join();
}

bool WindowRun::Start(std::vector<std::string> entries, DestinationMode mode, std::string folder,
                      RunOptions options, QSize previewBox) {
  if (running_) return false;
  if (thread_.joinable()) thread_.join();
  running_ = true;
  thread_ = std::thread([this, entries = std::move(entries), mode, folder = std::move(folder),
                         options = std::move(options), previewBox] {
    ForwardingObserver observer(*this, tap_, previewBox);
    const RunResult result = run_.ConvertList(entries, mode, folder, settings_, observer, options);
    observer.ShowPending();  // the run's last output
    QMetaObject::invokeMethod(this, [this, result] { Finish(result); }, Qt::QueuedConnection);
  });
  return true;
}

void WindowRun::Finish(const RunResult& result) {
  if (thread_.joinable()) thread_.join();
  running_ = false;
  emit finished(result);
}

}  // namespace lumivo::app
