#include "batch/stopwatch.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

// Keeps the split inside its 32-bit fields whatever the estimate says.
constexpr long double kLongestTime = 2147483647.0L;

long double Scaled(long double elapsed, long double divisor, long double multiplier) {
  return divisor > 0 ? elapsed / divisor * multiplier : elapsed;
}

}  // namespace

TimeSplit SplitTime(long double seconds) {
  if (!(seconds > 0)) seconds = 0;  // NaN too
  seconds = std::min(seconds, kLongestTime);
  const long long whole = static_cast<long long>(seconds);
  TimeSplit split;
  split.milliseconds = static_cast<int>(static_cast<long long>(seconds * 1000) - whole * 1000);
  split.hours = static_cast<int>(whole / 3600);
  split.minutes = static_cast<int>(whole / 60 % 60);
  split.seconds = static_cast<int>(whole % 60);
  return split;
}

bool Stopwatch::Start() {
  start_ = std::chrono::steady_clock::now();
  running_ = true;
  return true;
}

long double Stopwatch::ElapsedSeconds() const {
  if (!running_) return 0;
  return std::chrono::duration<long double>(std::chrono::steady_clock::now() - start_).count();
}

TimeSplit Stopwatch::Read(long double divisor, long double multiplier) const {
  if (!running_) return {};
  return SplitTime(Scaled(ElapsedSeconds(), divisor, multiplier));
}

void Stopwatch::Stop() { running_ = false; }

std::string ProgressText(long long done, long long total, std::string_view decimalSeparator) {
  const long double percent =
      total > 0 ? static_cast<long double>(done) / static_cast<long double>(total) * 100.0L : 0.0L;
  // Formatted here rather than by printf, whose separator follows the process locale.
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, percent, std::chars_format::fixed, 2).ptr;
  std::string number(buffer, end);
  if (const auto point = number.find('.'); point != std::string::npos)
    number.replace(point, 1, decimalSeparator);
  return FormatText(texts::kProgressDone, number);
}

std::string TimeLineText(long double elapsedSeconds, long long done, long long total) {
  const TimeSplit elapsed = SplitTime(elapsedSeconds);
  const TimeSplit estimate =
      SplitTime(Scaled(elapsedSeconds, static_cast<long double>(std::max(done, 1LL)), static_cast<long double>(total)));
  return FormatText(texts::kTimeLine, elapsed.hours, elapsed.minutes, elapsed.seconds, estimate.hours,
                    estimate.minutes, estimate.seconds);
}

}  // namespace lumivo
