// Replays inputs without libFuzzer, each once through the harness:
//   --pass DIR   seeds that must be accepted
//   --fail DIR   crash and hostile inputs that must be refused
//   --seed DIR   inputs whose answer is checked elsewhere, or not at all
// Only the files directly in DIR count: fuzz/corpus/<name>/found/ is
// replayed on its own, with --seed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "fuzz_harness.h"

namespace {

enum class Expect { Accept, Refuse, Either };

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::directory_iterator(path))
      if (entry.is_regular_file()) files.push_back(entry.path());
  } else {
    files.push_back(path);
  }
  std::sort(files.begin(), files.end());
  return files;
}

// False when the answer is not the expected one.
bool Replay(const std::filesystem::path& file, Expect expect) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // A heap copy of exactly the file's size, so that an overrun shows.
  const std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size()]);
  std::copy(bytes.begin(), bytes.end(), copy.get());
  const bool accepted = LumivoFuzzAccepts(std::span<const std::uint8_t>(copy.get(), bytes.size()));
  if (expect == Expect::Accept && !accepted) std::fprintf(stderr, "refused, but must be accepted: %s\n", file.c_str());
  if (expect == Expect::Refuse && accepted) std::fprintf(stderr, "accepted, but must be refused: %s\n", file.c_str());
  return expect == Expect::Either || accepted == (expect == Expect::Accept);
}

}  // namespace

int main(int argc, char* argv[]) {
  int count = 0, wrong = 0;
  Expect expect = Expect::Either;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--pass") == 0) {
      expect = Expect::Accept;
    } else if (std::strcmp(argv[i], "--fail") == 0) {
      expect = Expect::Refuse;
    } else if (std::strcmp(argv[i], "--seed") == 0) {
      expect = Expect::Either;
    } else {
      for (const auto& file : FilesIn(argv[i])) {
        ++count;
        if (!Replay(file, expect)) ++wrong;
      }
    }
  }
  std::printf("replayed %d inputs, %d with the wrong answer\n", count, wrong);
  return wrong == 0 ? 0 : 1;
}
