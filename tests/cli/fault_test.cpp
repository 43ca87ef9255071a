// lumivo-batch under faults: killed at random moments, a full disk, sources
// that change during the run, two runs into one folder. Nothing finished is
// lost, nothing half-written carries a final name, nothing is overwritten.

#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>

#include "cli_fixture.h"

namespace lumivo::test {
namespace {

using Args = std::vector<std::string>;
using Clock = std::chrono::steady_clock;

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

bool IsTemporary(const std::string& name) {
  const std::string file = fs::path(name).filename().string();
  return file.starts_with(".lumivo-") && file.ends_with(".tmp");
}

class FaultTest : public CliTest {
 protected:
  // `count` copies of one grainy picture (distinct by its first pixel) in
  // the folder `folder`; their names are bildNNN.jpg.
  std::vector<fs::path> Pictures(const std::string& folder, int count, int width, int height) const {
    std::vector<fs::path> files;
    for (int i = 0; i < count; ++i) {
      Bitmap picture = Grainy(width, height);
      picture.Row(0)[0] = static_cast<std::uint8_t>(i);
      char name[64];
      std::snprintf(name, sizeof name, "%s/bild%03d.jpg", folder.c_str(), i);
      files.push_back(WriteJpeg(name, picture, 85));
    }
    return files;
  }

  static Args Arguments(const fs::path& destination, const fs::path& sources, int jobs) {
    return {"--defaults", "--flat", "--jobs", std::to_string(jobs), "--dest", destination.string(), sources.string()};
  }

  // The files under their final names, by name, and the temporary ones.
  static std::map<std::string, std::vector<std::uint8_t>> Finals(const fs::path& folder,
                                                                std::vector<std::string>* temporaries = nullptr) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const std::string& name : FilesBelow(folder)) {
      if (IsTemporary(name)) {
        if (temporaries) temporaries->push_back(name);
      } else {
        files[name] = ReadFile(folder / name);
      }
    }
    return files;
  }
};

TEST_F(FaultTest, KilledAtRandomMomentsLeavesOnlyWholeOutputsAndTheNextRunClearsUp) {
  const auto pictures = Pictures("quellen", 8, 640, 480);
  const fs::path sources = pictures[0].parent_path();
  const fs::path reference = temp() / "vorbild";
  const auto started = Clock::now();
  ASSERT_EQ(Run(Arguments(reference, sources, 1)).status, 0);
  const auto whole = Clock::now() - started;
  const auto expected = Finals(reference);
  ASSERT_EQ(expected.size(), pictures.size());

  std::mt19937 random(std::random_device{}());
  int orphans = 0;
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    const fs::path destination = temp() / ("ziel" + std::to_string(round));
    {
      BatchProcess process(Arguments(destination, sources, 1 + round % 2), Environment());
      std::this_thread::sleep_for(whole * std::uniform_real_distribution<>(0.0, 1.0)(random));
      process.Signal(SIGKILL);
      (void)process.Wait();
    }
    std::vector<std::string> temporaries;
    for (const auto& [name, bytes] : Finals(destination, &temporaries)) {
      ASSERT_TRUE(expected.contains(name)) << name;
      EXPECT_EQ(bytes, expected.at(name)) << name;
    }
    EXPECT_LE(temporaries.size(), 1u);
    orphans += static_cast<int>(temporaries.size());
    if (temporaries.empty()) continue;
    // The next run into the folder removes the orphan and completes the set
    // beside what was there (as numbered names).
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the orphan is older than the run
    ASSERT_EQ(Run(Arguments(destination, sources, 1)).status, 0);
    temporaries.clear();
    Finals(destination, &temporaries);
    EXPECT_TRUE(temporaries.empty());
  }
  std::printf("killed runs that left a temporary file: %d of 10\n", orphans);

  // However rarely a kill leaves one: an orphan as a killed run leaves it.
  const fs::path orphan = temp() / "ziel0/.lumivo-12345-678.tmp";
  temp().Write("ziel0/.lumivo-12345-678.tmp", "half a JPEG");
  const timespec past[2] = {{::time(nullptr) - 60, 0}, {::time(nullptr) - 60, 0}};
  ::utimensat(AT_FDCWD, orphan.c_str(), past, 0);
  ASSERT_EQ(Run(Arguments(temp() / "ziel0", sources, 2)).status, 0);
  EXPECT_FALSE(fs::exists(orphan));
}

// A small tmpfs as the destination: the entries that do not fit fail with
// the reason, the others are whole, no temporary file stays behind.
TEST_F(FaultTest, AFullDiskFailsEntriesCleanlyAndLosesNothing) {
  const fs::path destination = temp() / "klein";
  fs::create_directories(destination);
  if (::geteuid() != 0 || ::mount("lumivo-test", destination.c_str(), "tmpfs", 0, "size=256k") != 0)
    GTEST_SKIP() << "no small file system to fill (needs root and permission to mount)";
  struct Unmount {
    fs::path folder;
    ~Unmount() { ::umount2(folder.c_str(), MNT_DETACH); }
  } unmount{destination};

  const auto pictures = Pictures("quellen", 6, 400, 300);  // about 90 KB each as output
  const auto before = Finals(temp() / "quellen");
  const Outcome outcome = Run(Arguments(destination, pictures[0].parent_path(), 1));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_TRUE(Contains(outcome.err, "kein Speicherplatz mehr frei")) << outcome.err;
  std::vector<std::string> temporaries;
  const auto written = Finals(destination, &temporaries);
  EXPECT_TRUE(temporaries.empty());
  EXPECT_GE(written.size(), 1u);
  EXPECT_LT(written.size(), pictures.size());
  for (const auto& [name, bytes] : written) {
    Bitmap picture;
    EXPECT_TRUE(DecodeJpeg(bytes, picture).ok()) << name;
  }
  EXPECT_EQ(Finals(temp() / "quellen"), before);
}

// With one job the run takes the entries in order: the last ones are
// changed while the first is being reported.
TEST_F(FaultTest, ASourceDeletedOrReplacedDuringTheRunFailsOnlyItsOwnEntry) {
  const auto pictures = Pictures("quellen", 12, 800, 600);
  const fs::path destination = temp() / "ziel";
  BatchProcess process(Arguments(destination, pictures[0].parent_path(), 1), Environment());
  ASSERT_TRUE(Contains(process.ReadLine(), " -> "));
  fs::remove(pictures[10]);
  const fs::path replacement = WriteJpeg("neu.jpg", Uniform(32, 24, 99));
  fs::rename(replacement, pictures[11]);
  const Outcome outcome = process.Wait();

  EXPECT_EQ(outcome.status, 1);
  EXPECT_TRUE(Contains(outcome.out, "! " + pictures[10].string() + " -> ")) << outcome.out;
  EXPECT_TRUE(Contains(outcome.out, "1 Datei konnte nicht verarbeitet werden.")) << outcome.out;
  const auto written = Finals(destination);
  EXPECT_EQ(written.size(), 11u) << outcome.out << outcome.err;
  EXPECT_FALSE(written.contains("[0001]_bild010.jpg"));
  ASSERT_TRUE(written.contains("[0001]_bild011.jpg"));
  EXPECT_EQ(Decode(destination / "[0001]_bild011.jpg").width(), 32);
}

TEST_F(FaultTest, TwoRunsIntoOneFolderWithCollidingNamesLoseNothing) {
  const auto small = Pictures("klein", 10, 200, 150);
  const auto large = Pictures("gross", 10, 360, 270);
  const fs::path destination = temp() / "ziel";
  BatchProcess first(Arguments(destination, small[0].parent_path(), 1), Environment());
  BatchProcess second(Arguments(destination, large[0].parent_path(), 2), Environment());
  EXPECT_EQ(first.Wait().status, 0);
  EXPECT_EQ(second.Wait().status, 0);

  std::vector<std::string> temporaries;
  const auto written = Finals(destination, &temporaries);
  EXPECT_TRUE(temporaries.empty());
  ASSERT_EQ(written.size(), 20u);
  std::map<int, int> widths;
  for (const auto& [name, bytes] : written) {
    Bitmap picture;
    ASSERT_TRUE(DecodeJpeg(bytes, picture).ok()) << name;
    ++widths[picture.width()];
  }
  EXPECT_EQ(widths, (std::map<int, int>{{200, 10}, {360, 10}}));
}

}  // namespace
}  // namespace lumivo::test
