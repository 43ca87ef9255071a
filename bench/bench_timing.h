#pragma once
// The best of some runs: the figure least disturbed by the rest of the machine.

#include <algorithm>
#include <chrono>

namespace lumivo::bench {

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
