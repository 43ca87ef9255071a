#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "batch/output_writer.h"
#include "core/temporary_file.h"
#include "core/failure_reason.h"
#include "core/file_descriptor.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

namespace fs = std::filesystem;

const std::vector<std::uint8_t> kBytes{0xFF, 0xD8, 0x01, 0x02, 0xFF, 0xD9};

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WriteOutputFile, WritesANewFileBesideOthersAndCreatesFolders) {
  test::TempDir dir;
  const std::string source = "/Fotos ß/Grüße 😀 a\xCC\x88/a.png";
  const OutputPlacement placement{DestinationMode::ChosenFolder, dir.path().string(), true, false, {}};
  const auto target = dir.path() / "Fotos ß/Grüße 😀 a\xCC\x88";

  const auto first = WriteOutputFile(source, placement, kBytes);
  ASSERT_TRUE(first.ok()) << first.message();
  EXPECT_EQ(*first, (target / "a.jpg").string());
  EXPECT_EQ(test::ReadFile(*first), kBytes);

  const std::vector<std::uint8_t> other{1, 2, 3};
  const auto second = WriteOutputFile(source, placement, other);
  ASSERT_TRUE(second.ok()) << second.message();
  EXPECT_EQ(*second, (target / "[0001]_a.jpg").string());
  EXPECT_EQ(test::ReadFile(*first), kBytes);
  EXPECT_EQ(Entries(target), (std::vector<std::string>{"[0001]_a.jpg", "a.jpg"}));
}

TEST(WriteNewFile, TakesTheNextNumberWhenTheNameIsTakenMeanwhile) {
  test::TempDir dir;
  const std::string source = "/x/a.png";
  const OutputPlacement placement{DestinationMode::ChosenFolder, dir.path().string(), false, false, {}};
  const std::string squatter = "another program was faster";
  int calls = 0;
  const auto written = WriteNewFile(dir.path().string(), kBytes, [&](const NameTaken& taken) {
    const auto out = BuildOutputName(source, placement, taken);
    if (++calls == 1) dir.Write(out.name, squatter);
    return out.name;
  });
  ASSERT_TRUE(written.ok()) << written.message();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(fs::path(*written).filename(), "[0001]_a.jpg");
  EXPECT_EQ(test::ReadFile(*written), kBytes);
  EXPECT_EQ(test::ReadFile(dir / "a.jpg"), std::vector<std::uint8_t>(squatter.begin(), squatter.end()));
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"[0001]_a.jpg", "a.jpg"}));
}

TEST(WriteNewFile, LeavesNothingBehindWhenItFails) {
  test::TempDir dir;
  const auto folder = dir.path() / "out";
  const std::string longName(300, 'x');
  const auto tooLong = WriteNewFile(folder.string(), kBytes, [&](const NameTaken&) { return longName; });
  EXPECT_FALSE(tooLong.ok());
  EXPECT_EQ(tooLong.message(), "Die Datei '" + folder.string() + "/" + longName +
                                   "' kann nicht geschrieben werden: der Name ist zu lang.");
  EXPECT_TRUE(Entries(folder).empty());

  dir.Write("out/a.jpg", "kept");
  const auto stubborn = WriteNewFile(folder.string(), kBytes, [](const NameTaken&) { return std::string("a.jpg"); });
  EXPECT_FALSE(stubborn.ok());
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"a.jpg"});

  EXPECT_THROW((void)WriteNewFile(folder.string(), kBytes,
                                  [](const NameTaken&) -> std::string { throw std::runtime_error("naming failed"); }),
               std::runtime_error);
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"a.jpg"});
}

TEST(WriteNewFile, ReportsFoldersThatCannotBeCreatedOrWritten) {
  test::TempDir dir;
  dir.Write("file", "a file where a folder should go");
  const auto blocked = (dir / "file/sub").string();
  const auto notCreated = WriteNewFile(blocked, kBytes, [](const NameTaken&) { return std::string("a.jpg"); });
  ASSERT_FALSE(notCreated.ok());
  EXPECT_EQ(notCreated.kind(), ErrorKind::Io);
  EXPECT_EQ(notCreated.message(),
            "Der Ordner '" + blocked + "' kann nicht angelegt werden: ein Teil des Pfades ist kein Ordner.");

  // Permissions do not hold back root; /proc refuses new files to everyone.
  std::string readOnly = "/proc/";
  if (::geteuid() != 0) {
    readOnly = (dir / "read-only").string() + "/";
    fs::create_directory(readOnly);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
  }
  const auto notWritten = WriteNewFile(readOnly, kBytes, [](const NameTaken&) { return std::string("a.jpg"); });
  ASSERT_FALSE(notWritten.ok());
  EXPECT_EQ(notWritten.kind(), ErrorKind::Io);
  EXPECT_EQ(notWritten.message().rfind("In den Ordner '" + readOnly + "' kann nicht geschrieben werden: ", 0), 0u)
      << notWritten.message();
}

// What a killed run left goes with the next run into the folder; what may
// still be written, or is not ours, stays.
TEST(OutputSession, RemovesOnlyOrphanedTemporaryFilesOfOurs) {
  test::TempDir dir;
  const auto aged = [&](std::string_view name, time_t age) {
    const auto path = dir.Write(name, "half a JPEG");
    const timespec times[2] = {{::time(nullptr) - age, 0}, {::time(nullptr) - age, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    return path;
  };
  aged(".lumivo-4242-1234567.tmp", 60);           // a killed run's: goes
  aged(".lumivo-77-88.tmp", 3600);                // goes
  const auto held = aged(".lumivo-4243-99.tmp", 60);  // another run writes it still
  aged(".lumivo-4244-5.tmp", -60);                // newer than this run
  aged(".lumivo-x.tmp", 60);                      // not a name we make
  aged(".setup.xml-123.tmp", 60);                 // a settings save's
  aged("lumivo-1-2.tmp", 60);                     // a user's file
  aged(".lumivo-1-2.tmp.jpg", 60);
  FileDescriptor holder(::open(held.c_str(), O_RDONLY));
  ASSERT_EQ(::flock(holder.get(), LOCK_EX), 0);

  OutputSession session;
  const auto written = session.WriteNewFile(dir.path().string(), kBytes, [](const NameTaken&) { return std::string("a.jpg"); });
  ASSERT_TRUE(written.ok()) << written.message();
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{".lumivo-1-2.tmp.jpg", ".lumivo-4243-99.tmp",
                                                            ".lumivo-4244-5.tmp", ".lumivo-x.tmp",
                                                            ".setup.xml-123.tmp", "a.jpg", "lumivo-1-2.tmp"}));
}

// A file being written is locked, so that no other run takes it for an orphan.
TEST(OutputSession, ATemporaryFileInUseIsNeverTakenForAnOrphan) {
  test::TempDir dir;
  TemporaryFile temporary;
  ASSERT_TRUE(temporary.Create(dir.path().string() + "/", "lumivo-1"));
  ASSERT_TRUE(temporary.Write(kBytes));
  ASSERT_TRUE(temporary.Finish(/*sync=*/true));  // closes the file, keeps the lock
  timespec future{};
  ::clock_gettime(CLOCK_REALTIME, &future);
  future.tv_sec += 60;
  EXPECT_EQ(RemoveOrphanedTemporaryFiles(dir.path().string() + "/", "lumivo", future), 0);
  EXPECT_EQ(temporary.MoveWithoutReplacing((dir / "a.jpg").string()), TemporaryFile::Move::Done);
  EXPECT_EQ(test::ReadFile(dir / "a.jpg"), kBytes);
}

TEST(OutputSession, SyncedWritesLandLikeOthers) {
  test::TempDir dir;
  OutputSession session(/*sync=*/true);
  int count = 0;
  for (const char* folder : {"a", "b", "a"}) {
    const auto written = session.WriteNewFile((dir / folder).string(), kBytes, [&](const NameTaken&) {
      return std::to_string(count) + ".jpg";
    });
    ASSERT_TRUE(written.ok()) << written.message();
    EXPECT_EQ(test::ReadFile(*written), kBytes);
    ++count;
  }
  session.Finish();
  EXPECT_EQ(Entries(dir / "a"), (std::vector<std::string>{"0.jpg", "2.jpg"}));
  EXPECT_EQ(Entries(dir / "b"), (std::vector<std::string>{"1.jpg"}));
}

// The reason names what the user can do something about.
TEST(FailureReason, TellsAFullDiskFromALockedFolder) {
  const std::pair<int, const char*> cases[] = {
      {ENOSPC, "kein Speicherplatz mehr frei"},
      {EROFS, "das Dateisystem ist schreibgeschützt"},
      {EACCES, "keine Berechtigung"},
      {EPERM, "keine Berechtigung"},
      {EDQUOT, "das Speicherkontingent ist erschöpft"},
      {ENOENT, "ein Teil des Pfades ist nicht vorhanden"},
      {ENOTDIR, "ein Teil des Pfades ist kein Ordner"},
      {EXDEV, "Systemfehler 18"},
  };
  for (const auto& [error, reason] : cases) EXPECT_EQ(FailureReason(error), reason) << error;
}

}  // namespace
}  // namespace lumivo
