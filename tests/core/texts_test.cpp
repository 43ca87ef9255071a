#include <gtest/gtest.h>

#include "core/rounding.h"
#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {
namespace {

TEST(FormatText, FillsTheProgramsFormats) {
  EXPECT_EQ(FormatText(texts::kRegisterTwice, "bmp"), "Attempt to register bmp twice.");
  EXPECT_EQ(FormatText("[%4.4d]", 1), "[0001]");
  EXPECT_EQ(FormatText("[%4.4d]", 12345), "[12345]");
  EXPECT_EQ(FormatText("Dauer: %2.2d:%2.2d:%2.2d", 0, 1, 5), "Dauer: 00:01:05");
  EXPECT_EQ(FormatText("Fertig %3.2f %%", 33.3333), "Fertig 33.33 %");
  EXPECT_EQ(FormatText("%s: %d%%", "Bildqualität", 50), "Bildqualität: 50%");
  EXPECT_EQ(FormatText("'%s' und %s", "a"), "'a' und %s");
}

TEST(PercentToByte, RoundsTiesToEven) {
  const std::pair<int, int> cases[] = {{0, 0}, {1, 3}, {25, 64}, {30, 76}, {50, 128}, {70, 178}, {100, 255}};
  for (auto [percent, expected] : cases) EXPECT_EQ(PercentToByte(percent), expected) << percent;
}

TEST(RoundTiesEven, FollowsExtendedPrecision) {
  EXPECT_EQ(RoundTiesEven(59.0L / 100.0L * 50.0L), 29);
  EXPECT_EQ(RoundTiesEven(1001.0L / 100.0L * 50.0L), 500);
  EXPECT_EQ(RoundTiesEven(1003.0L / 100.0L * 50.0L), 502);
}

}  // namespace
}  // namespace lumivo
