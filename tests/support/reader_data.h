#pragma once
// The readers' golden files: tests/data/<format>/ holds small pictures, each
// beside the pixels it must give ("x.tga" beside "x.expected.png", written by
// another program). An optional "cases.txt" in the folder gives, per file
// name, the allowed difference of each colour byte ("photo.jpg 6"), or the
// kind of failure a file must end in ("cut.tga broken", "huge.tga too-large").
// The same files seed the format's fuzz corpus.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo::test {

struct ReaderDataCase {
  std::filesystem::path file;
  std::filesystem::path expected;       // the PNG with the expected pixels; empty for a failure case
  int tolerance = 0;                    // the largest allowed difference of one colour byte
  std::optional<ErrorKind> failure;     // set: the file must fail with this kind
  std::string problem;                  // set: the folder does not say what this file should give
};

// The folder of the golden files.
std::filesystem::path ReaderDataFolder();

// Every picture of tests/data/<format>/, by name; every format folder when
// `format` is empty.
std::vector<ReaderDataCase> ReaderDataCases(std::string_view format = {});

// How a test loads a file into the bitmap, any failure as a Status with its kind.
using PictureLoader = std::function<Status(const std::filesystem::path& file, Bitmap& target)>;

// Loads the case and compares size and pixels (as 24-bit colour) with the
// expected PNG, or checks that it fails with the expected kind.
::testing::AssertionResult MeetsExpectation(const ReaderDataCase& entry, const PictureLoader& load);

// A readable test name for a case: "tga_rle8_tga".
std::string CaseName(const ReaderDataCase& entry);

inline void PrintTo(const ReaderDataCase& entry, std::ostream* out) { *out << entry.file.string(); }

}  // namespace lumivo::test
