#pragma once
// The program's rounding rules, shared by the run, the previews and the
// watermark so that all three give the same numbers.

#include <cmath>

namespace lumivo {

// Nearest integer, ties to even, in extended precision (the default
// floating-point rounding mode).
inline long long RoundTiesEven(long double value) { return static_cast<long long>(std::nearbyintl(value)); }

// A strength in percent as a byte weight: percent x 2.55, ties to even.
// Worked exactly: 2.55 has no binary form, and 50 % must give 128 while
// 30 % gives 76.
inline int PercentToByte(int percent) {
  const long long hundredths = static_cast<long long>(percent) * 255;
  long long whole = hundredths / 100;
  const long long rest = hundredths % 100;
  if (rest > 50 || (rest == 50 && whole % 2 != 0)) ++whole;
  if (rest < -50 || (rest == -50 && whole % 2 != 0)) --whole;
  return static_cast<int>(whole);
}

}  // namespace lumivo
