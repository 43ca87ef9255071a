// The window's run path (the Start page's code, without a display): COUNT
// photos of WIDTH x HEIGHT converted beside their sources with one job and
// with one job per core, and the longest pause of the window's event loop
// while the run works.
//
//   lumivo_window_run_bench FOLDER [COUNT=40] [WIDTH=4000] [HEIGHT=3000] [PERCENT=50]
//
// PERCENT 100 keeps the size. Quality 80, as in bench/batch_bench.sh.
//
// The photos are made once in FOLDER and kept; the outputs go to a
// temporary folder.

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/start_page.h"
#include "photo_fixture.h"

namespace fs = std::filesystem;

namespace {

struct Figures {
  double seconds = 0;
  double cpuSeconds = 0;  // of every thread of the process
  double longestPauseMs = 0;
};

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double LoadAverage() {
  double load[1] = {0};
  return getloadavg(load, 1) == 1 ? load[0] : -1;
}

Figures Run(lumivo::app::MainWindow& window, const QStringList& photos, int jobs) {
  lumivo::app::StartPage& page = *window.startPage();
  page.ClearList();
  window.AddNames(photos);
  page.SetJobs(jobs);
  Figures figures;
  // A repaint of the whole window every 50 ms, as often as a busy window
  // needs; the longest time between two repaints is what the user sees.
  QElapsedTimer sinceRepaint;
  QTimer ticker;
  ticker.setInterval(50);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    figures.longestPauseMs = std::max(figures.longestPauseMs, sinceRepaint.nsecsElapsed() / 1e6);
    sinceRepaint.restart();
    window.repaint();
  });
  const double cpuBefore = ProcessCpuSeconds();
  QElapsedTimer clock;
  clock.start();
  sinceRepaint.start();
  ticker.start();
  // The window's own event loop until the run has ended: it sleeps while
  // nothing happens, as the application's does (a loop of processEvents
  // calls would spin and take a core from the run).
  QEventLoop loop;
  QObject::connect(&page, &lumivo::app::StartPage::runFinished, &loop, &QEventLoop::quit);
  page.OnCommand(lumivo::app::kSaveBesideCommand);
  if (page.running()) loop.exec();
  figures.seconds = clock.nsecsElapsed() / 1e9;
  figures.cpuSeconds = ProcessCpuSeconds() - cpuBefore;
  ticker.stop();
  return figures;
}

// The batch benchmark's settings: the percentage, quality 80.
void ApplySize(lumivo::app::MainWindow& window, int percent) {
  lumivo::SettingsState state = window.BuildSettings();
  state.Conversion.Quality = 80;
  state.Conversion.SizeMode = percent == 100 ? lumivo::SizeMode::Unchanged : lumivo::SizeMode::Percent;
  state.Conversion.SizePercent = percent;
  window.ApplySettings(state);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: lumivo_window_run_bench FOLDER [COUNT] [WIDTH] [HEIGHT] [PERCENT]\n");
    return 2;
  }
  const fs::path folder = argv[1];
  const int count = argc > 2 ? std::atoi(argv[2]) : 40;
  const int width = argc > 3 ? std::atoi(argv[3]) : 4000;
  const int height = argc > 4 ? std::atoi(argv[4]) : 3000;
  const int percent = argc > 5 ? std::atoi(argv[5]) : 50;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  const fs::path work = fs::temp_directory_path() / ("lumivo-window-bench-" + std::to_string(::getpid()));
  fs::create_directories(work / "settings");
  QStringList photos;
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "photo-%02d.jpg", i);
    const fs::path photo = lumivo::bench::CachedPhotoJpeg(folder / name, width, height, static_cast<std::uint32_t>(i));
    const fs::path copy = work / name;
    fs::copy_file(photo, copy, fs::copy_options::overwrite_existing);
    photos.push_back(lumivo::app::ToQString(copy.string()));
  }

  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  std::printf("%d photos of %d x %d to %d %%, quality 80, beside their sources, %u cores, load average %.2f before\n",
              count, width, height, percent, cores, LoadAverage());
  Figures single, all;
  {
    lumivo::app::MainWindow window((work / "settings").string() + "/", lumivo::app::WindowDialogs{});
    window.show();
    ApplySize(window, percent);
    // Fonts, image plugins and the workspaces' memory, before anything is timed.
    (void)Run(window, photos.mid(0, 2), static_cast<int>(cores));
    single = Run(window, photos, 1);
    all = Run(window, photos, static_cast<int>(cores));
  }
  const auto row = [](const char* name, const Figures& f) {
    std::printf("%-10s %10.2f %12.2f %22.1f\n", name, f.seconds, f.cpuSeconds, f.longestPauseMs);
  };
  std::printf("%-10s %10s %12s %22s\n", "", "seconds", "CPU seconds", "longest repaint gap ms");
  row("1 job", single);
  const std::string jobs = std::to_string(cores) + " jobs";
  row(jobs.c_str(), all);
  std::printf("load average after: %.2f\n", LoadAverage());
  std::printf("%-52s %6.2f  %s\n", "all jobs / 1 job (target: at most 0.60, 2+ cores)", all.seconds / single.seconds,
              all.seconds / single.seconds <= 0.60 ? "met" : "missed");
  std::printf("%-52s %6.1f  %s\n", "longest repaint gap, ms (target: at most 100)",
              std::max(single.longestPauseMs, all.longestPauseMs),
              std::max(single.longestPauseMs, all.longestPauseMs) <= 100 ? "met" : "missed");
  std::error_code ignored;
  fs::remove_all(work, ignored);
  return 0;
}
