#pragma once
// The run's stopwatch, and the progress and time texts shown after each entry.

#include <chrono>
#include <string>
#include <string_view>

namespace lumivo {

struct TimeSplit {
  int hours = 0;  // no upper bound
  int minutes = 0;
  int seconds = 0;
  int milliseconds = 0;
};

// Seconds, truncated toward zero, into hours, minutes, seconds, milliseconds.
TimeSplit SplitTime(long double seconds);

class Stopwatch {
 public:
  // Always succeeds: the steady clock is always there.
  bool Start();
  // Elapsed seconds E, or E ÷ divisor × multiplier when divisor > 0; all zero
  // when not running.
  TimeSplit Read(long double divisor, long double multiplier) const;
  long double ElapsedSeconds() const;
  void Stop();
  bool running() const { return running_; }

 private:
  bool running_ = false;
  std::chrono::steady_clock::time_point start_;
};

// "Fertig 33,33 %": done of total entries, with the given decimal separator.
std::string ProgressText(long long done, long long total, std::string_view decimalSeparator);

// "Dauer: 00:01:05 / 00:04:20": elapsed time, and the estimated total from
// done of total entries (done counts at least 1).
std::string TimeLineText(long double elapsedSeconds, long long done, long long total);

}  // namespace lumivo
