#include <gtest/gtest.h>

#include "imaging/text_watermark.h"
#include "imaging/watermark.h"
#include "pixel_test_helpers.h"
#include "support/gui_application.h"

namespace lumivo {
namespace {

using test::Bgr;
using test::Box;
using test::ChangedBox;
using test::PixelAt;

[[maybe_unused]] const bool kGui = test::RegisterGuiApplication();

FontDescription KnownFont(int size = 16, std::uint32_t colour = 0x00000000, int style = 0) {
  FontDescription font;
  font.face = "DejaVu Sans";
  font.size = size;
  font.colour = colour;
  font.style = style;
  return font;
}

constexpr std::string_view kText = "Lumivo Wasserzeichen";

TEST(TextWatermark, DrawsOnlyInsideTheMeasuredBox) {
  const FontDescription font = KnownFont();
  const Result<PixelSize> size = MeasureWatermarkText(kText, font);
  ASSERT_TRUE(size);
  EXPECT_GT(size->width, 100);
  EXPECT_GE(size->height, 21);  // 16 points at 96 dpi: 21 pixels an em, plus the leading
  EXPECT_LE(size->height, 28);

  Bitmap working = test::Filled(400, 120, 255);
  const Bitmap before = working;
  const PixelPoint at = PlaceWatermark(kTopLeft, 20, 30, 400, 120, size->width, size->height);
  ASSERT_TRUE(ApplyTextWatermark(working, kText, font, at.x, at.y));
  const auto box = ChangedBox(before, working);
  ASSERT_TRUE(box);
  EXPECT_GE(box->left, at.x);
  EXPECT_GE(box->top, at.y);
  EXPECT_LT(box->right, at.x + size->width);
  EXPECT_LT(box->bottom, at.y + size->height);
  EXPECT_LE(box->left, at.x + 3);  // the text starts where it was put...
  EXPECT_GE(box->right, at.x + size->width - 4);  // ...and fills its measured width
  EXPECT_EQ(working.format(), PixelFormat::Bgr24);
}

TEST(TextWatermark, SameSettingsGiveTheSamePixels) {
  const FontDescription font = KnownFont(12, 0x003366CC, FontDescription::kBold | FontDescription::kItalic);
  Bitmap first = test::Filled(300, 60, 200);
  Bitmap second = first;
  ASSERT_TRUE(ApplyTextWatermark(first, kText, font, 5, 7));
  ASSERT_TRUE(ApplyTextWatermark(second, kText, font, 5, 7));
  EXPECT_FALSE(ChangedBox(first, second));
  EXPECT_TRUE(ChangedBox(test::Filled(300, 60, 200), first));
}

TEST(TextWatermark, BottomRightPutsTheBoxAtTheMargins) {
  const FontDescription font = KnownFont(20);
  const Result<PixelSize> size = MeasureWatermarkText("HH", font);
  ASSERT_TRUE(size);
  Bitmap working = test::Filled(300, 200, 255);
  const Bitmap before = working;
  const PixelPoint at = PlaceWatermark(kBottomRight, 20, 20, 300, 200, size->width, size->height);
  EXPECT_EQ(at.x + size->width, 280);
  EXPECT_EQ(at.y + size->height, 180);
  ASSERT_TRUE(ApplyTextWatermark(working, "HH", font, at.x, at.y));
  const auto box = ChangedBox(before, working);
  ASSERT_TRUE(box);
  EXPECT_GE(box->left, at.x);
  EXPECT_GE(box->top, at.y);
  EXPECT_LE(box->right, 279);
  EXPECT_LE(box->bottom, 179);
  EXPECT_GE(box->right, 279 - 4);  // the last stem ends by the right margin
}

TEST(TextWatermark, DrawsInTheFontsColour) {
  Bitmap working = test::Filled(200, 80, 255);
  ASSERT_TRUE(ApplyTextWatermark(working, "HHH", KnownFont(36, 0x000000FF, FontDescription::kBold), 10, 10));
  bool solidRed = false;
  for (int y = 0; y < working.height(); ++y)
    for (int x = 0; x < working.width(); ++x) solidRed = solidRed || PixelAt(working, x, y) == Bgr{0, 0, 255};
  EXPECT_TRUE(solidRed);

  Bitmap windowText = test::Filled(200, 80, 255);
  ASSERT_TRUE(ApplyTextWatermark(windowText, "HHH", KnownFont(36, kWindowTextColour, FontDescription::kBold), 10, 10));
  bool solidBlack = false;
  for (int y = 0; y < windowText.height(); ++y)
    for (int x = 0; x < windowText.width(); ++x) solidBlack = solidBlack || PixelAt(windowText, x, y) == Bgr{0, 0, 0};
  EXPECT_TRUE(solidBlack);
}

TEST(TextWatermark, StyleBitsChangeTheDrawing) {
  const auto inked = [](int style) {
    Bitmap b = test::Filled(300, 60, 255);
    (void)ApplyTextWatermark(b, kText, KnownFont(16, 0, style), 0, 0);
    int count = 0;
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x) count += PixelAt(b, x, y) != Bgr{255, 255, 255};
    return count;
  };
  const int plain = inked(0);
  EXPECT_GT(inked(FontDescription::kBold), plain);
  EXPECT_GT(inked(FontDescription::kUnderline), plain);
  EXPECT_GT(inked(FontDescription::kStrikeOut), plain);
}

TEST(TextWatermark, AFaceTheSystemLacksIsSubstituted) {
  const Result<PixelSize> size = MeasureWatermarkText(kText, FontDescription{});  // "MS Sans Serif"
  ASSERT_TRUE(size);
  EXPECT_GT(size->width, 0);
  Bitmap working = test::Filled(300, 40, 255);
  ASSERT_TRUE(ApplyTextWatermark(working, kText, FontDescription{}, 0, 0));
  EXPECT_TRUE(ChangedBox(test::Filled(300, 40, 255), working));
}

TEST(TextWatermark, EmptyOrOutsideTextChangesNothing) {
  const FontDescription font = KnownFont();
  EXPECT_EQ(MeasureWatermarkText("", font)->width, 0);
  struct Case {
    std::string_view text;
    int x, y;
  };
  const Case cases[] = {{"", 10, 10}, {kText, 400, 10}, {kText, -5000, 10}, {kText, 10, -200}, {kText, 10, 100000}};
  for (const Case& c : cases) {
    Bitmap working = test::Filled(100, 50, 255);
    ASSERT_TRUE(ApplyTextWatermark(working, c.text, font, c.x, c.y));
    EXPECT_FALSE(ChangedBox(test::Filled(100, 50, 255), working)) << c.x << "," << c.y;
  }
}

TEST(TextWatermark, PartlyOutsideIsCut) {
  Bitmap working = test::Filled(40, 10, 255);
  ASSERT_TRUE(ApplyTextWatermark(working, kText, KnownFont(16), -10, -8));
  EXPECT_TRUE(ChangedBox(test::Filled(40, 10, 255), working));

  Bitmap tiny = test::Filled(1, 1, 255);
  ASSERT_TRUE(ApplyTextWatermark(tiny, "W", KnownFont(40), -5, -5));
}

TEST(TextWatermark, MakesAnIndexedPicture24Bit) {
  Bitmap indexed;
  ASSERT_TRUE(indexed.Create(200, 40, PixelFormat::Indexed8, 0));
  indexed.palette() = {{255, 255, 255, 255}};
  ASSERT_TRUE(ApplyTextWatermark(indexed, kText, KnownFont(), 2, 2));
  EXPECT_EQ(indexed.format(), PixelFormat::Bgr24);
  EXPECT_TRUE(ChangedBox(test::Filled(200, 40, 255), indexed));
}

}  // namespace
}  // namespace lumivo
