// Sepia and own colour on a 12-megapixel picture, each against the JPEG
// compression of the same picture at quality 80. Target: each colouring
// costs at most 40 % of that compression.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "core/rounding.h"
#include "imaging/colouring.h"
#include "imaging/jpeg_output.h"
#include "photo_fixture.h"

namespace {

const lumivo::Bitmap& Photo() {
  static const lumivo::Bitmap photo = lumivo::bench::MakePhoto(4000, 3000, 1);
  return photo;
}

// Every round works on a fresh copy of the photo; the copy is not timed.
template <typename F>
void OnFreshCopies(benchmark::State& state, F work) {
  lumivo::Bitmap working;
  for (auto _ : state) {
    state.PauseTiming();
    working = Photo();
    state.ResumeTiming();
    if (!work(working)) {
      state.SkipWithError("the operation failed");
      break;
    }
  }
}

void Sepia(benchmark::State& state) {
  OnFreshCopies(state, [](lumivo::Bitmap& b) { return lumivo::ApplySepia(b, 25); });
}

void OwnColour(benchmark::State& state) {
  OnFreshCopies(state, [](lumivo::Bitmap& b) {
    return lumivo::ApplyOwnColour(b, 0x0040A0FF, lumivo::PercentToByte(50), true);
  });
}

void CompressOutput(benchmark::State& state) {
  lumivo::JpegImage jpeg;
  std::string failure;
  OnFreshCopies(state, [&](lumivo::Bitmap& b) {
    const lumivo::Status status = lumivo::CompressOutput(b, jpeg, 80);
    if (!status) failure = status.message();
    return static_cast<bool>(status);
  });
  if (!failure.empty()) std::fprintf(stderr, "CompressOutput: %s\n", failure.c_str());
}

BENCHMARK(Sepia)->Unit(benchmark::kMillisecond);
BENCHMARK(OwnColour)->Unit(benchmark::kMillisecond);
BENCHMARK(CompressOutput)->Unit(benchmark::kMillisecond);

// Prints as usual and keeps each benchmark's processor time for the
// comparison: all three are single-threaded, and processor time holds up on
// a machine that is busy with other work.
class ComparingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // With repetitions the median stands for the benchmark.
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (median || run.run_type == Run::RT_Iteration) seconds_[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }
  }
  int Compare() const {
    const auto jpeg = seconds_.find("CompressOutput");
    if (jpeg == seconds_.end()) {
      std::printf("No JPEG compression time to compare with.\n");
      return 1;
    }
    int failed = 0;
    for (const char* name : {"Sepia", "OwnColour"}) {
      const auto own = seconds_.find(name);
      if (own == seconds_.end()) continue;
      const double share = 100 * own->second / jpeg->second;
      std::printf("%-10s %5.1f %% of the compression (target at most 40 %%)%s\n", name, share,
                  share <= 40 ? "" : "  MISSED");
      failed += share > 40;
    }
    return failed == 0 ? 0 : 1;
  }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ComparingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.Compare();
}
