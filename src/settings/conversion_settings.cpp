#include "settings/conversion_settings.h"

namespace lumivo {

ConversionSettings ClampToControlRanges(ConversionSettings settings) {
  settings.Quality = kQualityRange.Clamp(settings.Quality);
  settings.SizePercent = kSizePercentRange.Clamp(settings.SizePercent);
  settings.SepiaPercent = kSepiaPercentRange.Clamp(settings.SepiaPercent);
  settings.OwnColourPercent = kOwnColourPercentRange.Clamp(settings.OwnColourPercent);
  settings.WatermarkScaleIndex = kWatermarkScaleIndexRange.Clamp(settings.WatermarkScaleIndex);
  settings.WatermarkTransparencyPercent =
      kWatermarkTransparencyPercentRange.Clamp(settings.WatermarkTransparencyPercent);
  settings.WatermarkPosition = kWatermarkPositionRange.Clamp(settings.WatermarkPosition);
  settings.WatermarkMarginX = kWatermarkMarginRange.Clamp(settings.WatermarkMarginX);
  settings.WatermarkMarginY = kWatermarkMarginRange.Clamp(settings.WatermarkMarginY);
  return settings;
}

}  // namespace lumivo
