#include <gtest/gtest.h>

#include <string>

#include "batch/stopwatch.h"

namespace lumivo {
namespace {

TEST(SplitTime, SplitsSecondsTruncated) {
  struct Case {
    long double seconds;
    int hours, minutes, secondsPart, milliseconds;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0},        {65, 0, 1, 5, 0},      {60, 0, 1, 0, 0},      {3600, 1, 0, 0, 0},
      {3725.9996L, 1, 2, 5, 999}, {360000, 100, 0, 0, 0}, {-3, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const TimeSplit split = SplitTime(c.seconds);
    EXPECT_EQ(split.hours, c.hours) << static_cast<double>(c.seconds);
    EXPECT_EQ(split.minutes, c.minutes) << static_cast<double>(c.seconds);
    EXPECT_EQ(split.seconds, c.secondsPart) << static_cast<double>(c.seconds);
    EXPECT_EQ(split.milliseconds, c.milliseconds) << static_cast<double>(c.seconds);
  }
}

TEST(TimeLineText, ShowsElapsedAndEstimatedTotal) {
  struct Case {
    long double elapsed;
    long long done, total;
    const char* expected;
  };
  const Case cases[] = {
      {65, 1, 4, "Dauer: 00:01:05 / 00:04:20"},
      {65, 1, 10, "Dauer: 00:01:05 / 00:10:50"},
      {60, 1, 1, "Dauer: 00:01:00 / 00:01:00"},
      {3600, 2, 2, "Dauer: 01:00:00 / 01:00:00"},
      {360000, 1, 2, "Dauer: 100:00:00 / 200:00:00"},
      {5, 0, 3, "Dauer: 00:00:05 / 00:00:15"},
  };
  for (const auto& c : cases) EXPECT_EQ(TimeLineText(c.elapsed, c.done, c.total), c.expected);
}

TEST(ProgressText, UsesTheGivenDecimalSeparator) {
  struct Case {
    long long done, total;
    const char* separator;
    const char* expected;
  };
  const Case cases[] = {
      {1, 3, ",", "Fertig 33,33 %"}, {1, 3, ".", "Fertig 33.33 %"}, {2, 3, ",", "Fertig 66,67 %"},
      {0, 5, ",", "Fertig 0,00 %"},  {3, 3, ",", "Fertig 100,00 %"}, {0, 0, ",", "Fertig 0,00 %"},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgressText(c.done, c.total, c.separator), c.expected);
}

TEST(Stopwatch, ReadsZeroUnlessRunning) {
  Stopwatch stopwatch;
  EXPECT_EQ(stopwatch.Read(-1, 100).seconds, 0);
  EXPECT_TRUE(stopwatch.Start());
  EXPECT_TRUE(stopwatch.running());
  EXPECT_GE(stopwatch.ElapsedSeconds(), 0);
  stopwatch.Stop();
  EXPECT_FALSE(stopwatch.running());
  EXPECT_EQ(stopwatch.ElapsedSeconds(), 0);
}

}  // namespace
}  // namespace lumivo
