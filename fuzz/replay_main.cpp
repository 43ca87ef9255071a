// Replays inputs without libFuzzer, each once through the harness:
//   --pass DIR   seeds that must be accepted
//   --fail DIR   crash and hostile inputs that must be refused
//   --seed DIR   inputs whose answer is checked elsewhere (the readers' test data)
// A harness without an answer (only LLVMFuzzerTestOneInput) is replayed for
// crashes alone and cannot take --fail.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) __attribute__((weak));

namespace {

enum class Expect { Accept, Refuse, Either };

std::vector<std::filesystem::path> FilesBelow(const std::filesystem::path& path) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(path)) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
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
  const std::span<const std::uint8_t> input(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  if (!LumivoFuzzAccepts) {
    LLVMFuzzerTestOneInput(input.data(), input.size());
    return true;
  }
  const bool accepted = LumivoFuzzAccepts(input);
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
      if (!LumivoFuzzAccepts) {
        std::fprintf(stderr, "the harness gives no answer (define LumivoFuzzAccepts), so --fail cannot be checked\n");
        return 2;
      }
      expect = Expect::Refuse;
    } else if (std::strcmp(argv[i], "--seed") == 0) {
      expect = Expect::Either;
    } else {
      for (const auto& file : FilesBelow(argv[i])) {
        ++count;
        if (!Replay(file, expect)) ++wrong;
      }
    }
  }
  std::printf("replayed %d inputs, %d with the wrong answer\n", count, wrong);
  return wrong == 0 ? 0 : 1;
}
