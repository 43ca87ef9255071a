#pragma once
// The run of the Start page on a thread of its own, so that the window stays
// responsive; what the run reports reaches the window queued, on its thread.

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "batch/conversion_run.h"

namespace lumivo::app {

class WindowRun final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(WindowRun)

 public:
  WindowRun(SettingsSource& settings, QObject* parent = nullptr);
  // Stops a run in progress after its entries in progress and waits for it.
  ~WindowRun() override;

  // False when a run is in progress. The entries are copied: the list may
  // grow while the run works. Previews are scaled down to fit `previewBox`.
  bool Start(std::vector<std::string> entries, DestinationMode mode, std::string folder, RunOptions options,
             QSize previewBox);
  void RequestStop() { run_.RequestStop(); }
  // Stops a run in progress after its entries in progress and waits for it;
  // its last reports are dropped.
  void StopAndWait();
  // True from Start until `finished` has been delivered on the window's thread.
  bool running() const { return running_; }

  // Sees every call of the run directly on the run's thread, before the
  // window does (tests and benchmarks pace or count the run with it).
  void SetTap(RunObserver* tap) { tap_ = tap; }

 signals:
  void message(const QString& text);
  void entryShown(int index, int count, const QString& source);
  void reportLine(const QString& line);
  void progress(int done, int count, const QString& progressText, const QString& timeLine);
  void preview(const QImage& picture);
  void reportWanted();
  void finished(const lumivo::RunResult& result);

 private:
  void Finish(const RunResult& result);

  SettingsSource& settings_;
  ConversionRun run_;
  std::thread thread_;
  bool running_ = false;
  RunObserver* tap_ = nullptr;
};

}  // namespace lumivo::app
