#pragma once
// Timing helpers the benchmarks share.

#include <sched.h>

#include <algorithm>
#include <chrono>

namespace lumivo::bench {

// One core for everything measured, so that no helper process or thread can
// share the work.
inline void PinToOneCore() {
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(0, &one);
  sched_setaffinity(0, sizeof one, &one);
}

// The fastest of `runs` runs, in seconds.
template <typename F>
double BestSeconds(int runs, F work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

}  // namespace lumivo::bench
