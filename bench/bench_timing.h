#pragma once
// What every benchmark measures with: one core, and the best of some runs,
// the figure least disturbed by the rest of the machine.

#include <sched.h>

#include <algorithm>
#include <chrono>

namespace lumivo::bench {

// Pins the process (and the programs it starts) to the first core, so that
// no side of a comparison gets a second one.
inline void UseOneCore() {
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(0, &one);
  sched_setaffinity(0, sizeof one, &one);
}

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
