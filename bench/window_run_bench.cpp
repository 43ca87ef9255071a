// The window's run path (the Start page's code, without a display): COUNT
// photos of WIDTH x HEIGHT converted beside their sources with one job and
// with one job per core, and the longest pause of the window's event loop
// while the run works.
//
//   lumivo_window_run_bench FOLDER [COUNT=40] [WIDTH=4000] [HEIGHT=3000]
//
// The photos are made once in FOLDER and kept; the outputs go to a
// temporary folder.

#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
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
  double longestPauseMs = 0;
};

Figures Run(lumivo::app::MainWindow& window, const QStringList& photos, int jobs) {
  lumivo::app::StartPage& page = *window.startPage();
  page.ClearList();
  window.AddNames(photos);
  page.SetJobs(jobs);
  Figures figures;
  QElapsedTimer sinceTick;
  QTimer ticker;
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    figures.longestPauseMs = std::max(figures.longestPauseMs, sinceTick.nsecsElapsed() / 1e6);
    window.repaint();
    sinceTick.restart();
  });
  QElapsedTimer clock;
  clock.start();
  sinceTick.start();
  ticker.start();
  page.OnCommand(lumivo::app::kSaveBesideCommand);
  while (page.running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  figures.seconds = clock.nsecsElapsed() / 1e9;
  ticker.stop();
  return figures;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: lumivo_window_run_bench FOLDER [COUNT] [WIDTH] [HEIGHT]\n");
    return 2;
  }
  const fs::path folder = argv[1];
  const int count = argc > 2 ? std::atoi(argv[2]) : 40;
  const int width = argc > 3 ? std::atoi(argv[3]) : 4000;
  const int height = argc > 4 ? std::atoi(argv[4]) : 3000;
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
  std::printf("%d photos of %d x %d, %u cores\n", count, width, height, cores);
  Figures single, all;
  {
    lumivo::app::MainWindow window((work / "settings").string() + "/", lumivo::app::WindowDialogs{});
    window.show();
    single = Run(window, photos, 1);
    std::printf("1 job:  %.2f s, longest event-loop pause %.1f ms\n", single.seconds, single.longestPauseMs);
    all = Run(window, photos, static_cast<int>(cores));
    std::printf("%u jobs: %.2f s, longest event-loop pause %.1f ms\n", cores, all.seconds, all.longestPauseMs);
  }
  std::printf("ratio %.2f (target at most 0.60 with 2 or more cores), pauses %s 100 ms\n", all.seconds / single.seconds,
              std::max(single.longestPauseMs, all.longestPauseMs) <= 100 ? "within" : "over");
  std::error_code ignored;
  fs::remove_all(work, ignored);
  return 0;
}
