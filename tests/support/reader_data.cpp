#include "support/reader_data.h"

#include <QImage>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace lumivo::test {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kExpectedSuffix = ".expected.png";
constexpr std::string_view kCasesFile = "cases.txt";

bool IsExpectation(const std::string& name) { return name.ends_with(kExpectedSuffix); }

fs::path ExpectedFor(const fs::path& file) {
  return file.parent_path() / (file.stem().string() + std::string(kExpectedSuffix));
}

struct Note {
  int tolerance = 0;
  std::optional<ErrorKind> failure;
  std::string problem;
};

// "name tolerance", "name broken" or "name too-large"; "#" starts a comment.
std::map<std::string, Note> ReadNotes(const fs::path& folder) {
  std::map<std::string, Note> notes;
  std::ifstream in(folder / kCasesFile);
  for (std::string line; std::getline(in, line);) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string name, value;
    if (!(words >> name)) continue;
    Note& note = notes[name];
    if (!(words >> value)) {
      note.problem = "no value in " + std::string(kCasesFile);
    } else if (value == "broken") {
      note.failure = ErrorKind::Broken;
    } else if (value == "too-large") {
      note.failure = ErrorKind::TooLarge;
    } else if (value.find_first_not_of("0123456789") == std::string::npos && value.size() <= 3) {
      note.tolerance = std::atoi(value.c_str());
    } else {
      note.problem = "unknown value '" + value + "' in " + std::string(kCasesFile);
    }
  }
  return notes;
}

void AddFolder(const fs::path& folder, std::vector<ReaderDataCase>& cases) {
  const auto notes = ReadNotes(folder);
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name != kCasesFile && !IsExpectation(name)) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    ReaderDataCase entry;
    entry.file = file;
    const auto note = notes.find(file.filename().string());
    if (note != notes.end()) {
      entry.tolerance = note->second.tolerance;
      entry.failure = note->second.failure;
      entry.problem = note->second.problem;
    }
    if (!entry.failure && entry.problem.empty()) {
      entry.expected = ExpectedFor(file);
      if (!fs::exists(entry.expected)) entry.problem = "neither " + entry.expected.filename().string() + " nor a line in " + std::string(kCasesFile);
    }
    cases.push_back(std::move(entry));
  }
}

const char* KindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Broken: return "broken";
    case ErrorKind::TooLarge: return "too-large";
    case ErrorKind::Io: return "io";
  }
  return "?";
}

}  // namespace

fs::path ReaderDataFolder() { return fs::path(LUMIVO_TEST_DATA); }

std::vector<ReaderDataCase> ReaderDataCases(std::string_view format) {
  std::vector<ReaderDataCase> cases;
  const fs::path root = ReaderDataFolder();
  if (!format.empty()) {
    if (fs::is_directory(root / format)) AddFolder(root / format, cases);
    return cases;
  }
  std::error_code error;
  std::vector<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(root, error))
    if (entry.is_directory()) folders.push_back(entry.path());
  std::sort(folders.begin(), folders.end());
  for (const fs::path& folder : folders) AddFolder(folder, cases);
  return cases;
}

std::string CaseName(const ReaderDataCase& entry) {
  std::string name = entry.file.parent_path().filename().string() + "_" + entry.file.filename().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

::testing::AssertionResult MeetsExpectation(const ReaderDataCase& entry, const PictureLoader& load) {
  if (!entry.problem.empty()) return ::testing::AssertionFailure() << entry.file << ": " << entry.problem;
  Bitmap picture;
  const Status loaded = load(entry.file, picture);
  if (entry.failure) {
    if (loaded) return ::testing::AssertionFailure() << "loaded, but must fail as " << KindName(*entry.failure);
    if (loaded.kind() != *entry.failure)
      return ::testing::AssertionFailure() << "failed as " << KindName(loaded.kind()) << ", not as "
                                           << KindName(*entry.failure) << ": " << loaded.message();
    return ::testing::AssertionSuccess();
  }
  if (!loaded) return ::testing::AssertionFailure() << "refused: " << loaded.message();

  const QImage expected = QImage(QString::fromStdString(entry.expected.string())).convertToFormat(QImage::Format_RGB888);
  if (expected.isNull()) return ::testing::AssertionFailure() << "cannot read " << entry.expected;
  if (picture.width() != expected.width() || picture.height() != expected.height())
    return ::testing::AssertionFailure() << "size " << picture.width() << " x " << picture.height() << ", expected "
                                         << expected.width() << " x " << expected.height();
  if (Status converted = picture.ConvertToBgr24(); !converted)
    return ::testing::AssertionFailure() << "not convertible to 24 bits: " << converted.message();
  int worst = 0, worstX = 0, worstY = 0;
  for (int y = 0; y < picture.height(); ++y) {
    const std::uint8_t* got = picture.Row(y);
    const uchar* want = expected.constScanLine(y);
    for (int x = 0; x < picture.width(); ++x) {
      for (int c = 0; c < 3; ++c) {
        const int difference = std::abs(int{got[3 * x + 2 - c]} - int{want[3 * x + c]});
        if (difference > worst) worst = difference, worstX = x, worstY = y;
      }
    }
  }
  if (worst > entry.tolerance)
    return ::testing::AssertionFailure() << "a colour byte differs by " << worst << " at (" << worstX << ", "
                                         << worstY << "); allowed: " << entry.tolerance;
  return ::testing::AssertionSuccess();
}

}  // namespace lumivo::test
