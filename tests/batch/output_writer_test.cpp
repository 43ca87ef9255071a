#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "batch/output_writer.h"
#include "core/failure_reason.h"
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
  const OutputPlacement placement{DestinationMode::ChosenFolder, dir.path().string(), true, false};
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
  const OutputPlacement placement{DestinationMode::ChosenFolder, dir.path().string(), false, false};
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
