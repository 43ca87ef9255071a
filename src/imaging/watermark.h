#pragma once
// The picture watermark and the placement shared with the text watermark.

#include <array>
#include <string_view>

#include "core/bitmap.h"
#include "core/result.h"
#include "resources/texts.h"

namespace lumivo {

// WatermarkPosition values: the anchor the margins measure from.
enum WatermarkAnchor : int {
  kTopLeft = 0,
  kBottomLeft = 1,
  kTopRight = 2,
  kBottomRight = 3,
  kCentre = 4,
};

// The scale choices, by WatermarkScaleIndex.
struct WatermarkScaleChoice {
  std::string_view text;
  double factor;
};
inline constexpr std::array<WatermarkScaleChoice, 7> kWatermarkScaleChoices = {{
    {texts::kWatermarkScaleItems[0], 0.125},
    {texts::kWatermarkScaleItems[1], 0.25},
    {texts::kWatermarkScaleItems[2], 0.5},
    {texts::kWatermarkScaleItems[3], 1},
    {texts::kWatermarkScaleItems[4], 2},
    {texts::kWatermarkScaleItems[5], 4},
    {texts::kWatermarkScaleItems[6], 8},  // "8 - fache Größe" scales by 8, as it says
}};
inline constexpr int kDefaultWatermarkScaleIndex = 3;

// The factor for a scale index. -1 (a scale text edited so that no item is
// chosen) gives -8, which scales by 8; any other index outside the choices
// gives normal size.
double WatermarkScaleFactor(int index);

struct PixelPoint {
  int x = 0, y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelSize {
  int width = 0, height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Top-left corner of a w x h watermark on a W x H picture. The margins
// measure inward from the anchored edges; in the centre they shift right and
// down. An unknown position counts as top left.
PixelPoint PlaceWatermark(int position, int marginX, int marginY, int width, int height, int watermarkWidth,
                          int watermarkHeight);

// The watermark's size at the magnitude of `factor`, each side rounded to
// the nearest integer, ties to even; may be 0.
Result<PixelSize> ScaledWatermarkSize(int width, int height, double factor);

// Lays the watermark over the working bitmap at (x, y), every byte becoming
// (mark * (255 - a) + picture * a) / 255: a = 0 stamps it opaque, a = 255
// leaves the picture as it was. Clipped to the picture on all four sides.
// Both are taken as 24-bit; the working bitmap is made 24-bit.
Status BlendWatermark(const Bitmap& watermark, Bitmap& working, int x, int y, int a);

// Stamps the picture: drawn on white at its natural size, stretched by box
// average to its scaled size, placed and blended with a = transparency
// percent as a byte when transparency is on, else 0. A watermark that is
// scaled to nothing or lies wholly outside changes no pixel.
Status ApplyPictureWatermark(Bitmap& working, const Bitmap& picture, int position, double factor,
                             int transparencyPercent, bool transparency, int marginX, int marginY);

}  // namespace lumivo
