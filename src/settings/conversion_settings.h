#pragma once
// The image adjustments: what one entry of a run is converted with. Each
// field is the state of one control of the adjustments page.

#include <cstdint>
#include <string>

#include "core/font_description.h"

namespace lumivo {

enum class SizeMode { Unchanged, Percent, OwnSize };
enum class ColouringMode { None, Sepia, OwnColour };
enum class WatermarkMode { None, Picture, Text };

inline constexpr std::uint32_t kNoColour = 0x1FFFFFFF;

struct IntRange {
  int min;
  int max;
  constexpr int Clamp(int value) const { return value < min ? min : value > max ? max : value; }
};

// The ranges of the controls; a value from a file is held inside them when applied.
inline constexpr IntRange kQualityRange{0, 100};
inline constexpr IntRange kSizePercentRange{1, 500};
inline constexpr IntRange kSepiaPercentRange{1, 100};
inline constexpr IntRange kOwnColourPercentRange{1, 100};
inline constexpr IntRange kWatermarkScaleIndexRange{0, 6};
inline constexpr IntRange kWatermarkTransparencyPercentRange{0, 100};
inline constexpr IntRange kWatermarkPositionRange{0, 4};
inline constexpr IntRange kWatermarkMarginRange{-225, 225};

// The font the watermark text starts with: "MS Sans Serif", character set 1,
// window-text colour, 9 points, no style.
inline FontDescription DefaultWatermarkFont() { return FontDescription{}; }

struct ConversionSettings {
  int Quality = 50;
  lumivo::SizeMode SizeMode = lumivo::SizeMode::Unchanged;
  int SizePercent = 100;
  std::string OwnWidth = "800";   // as the field holds it: digits, read as a pixel count
  std::string OwnHeight = "600";
  lumivo::ColouringMode ColouringMode = lumivo::ColouringMode::None;
  int SepiaPercent = 25;
  std::uint32_t OwnColour = kNoColour;
  int OwnColourPercent = 25;
  bool WhiteFilter = false;
  lumivo::WatermarkMode WatermarkMode = lumivo::WatermarkMode::None;
  std::string WatermarkPictureFile;  // empty: the program logo
  int WatermarkScaleIndex = 3;       // "normale Größe"
  bool WatermarkTransparency = false;
  int WatermarkTransparencyPercent = 25;
  std::string WatermarkText;
  FontDescription WatermarkFont = DefaultWatermarkFont();
  int WatermarkPosition = 0;  // 0 top left, 1 bottom left, 2 top right, 3 bottom right, 4 centre
  int WatermarkMarginX = 20;
  int WatermarkMarginY = 20;

  friend bool operator==(const ConversionSettings&, const ConversionSettings&) = default;
};

// Holds every ranged field inside its control's range.
ConversionSettings ClampToControlRanges(ConversionSettings settings);

}  // namespace lumivo
