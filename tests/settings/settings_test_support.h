#pragma once
// Shared fixtures of the settings tests: a settings folder and states whose
// every field differs from its default.

#include <string>

#include "settings/settings_file.h"
#include "support/temp_dir.h"

namespace lumivo::test {

inline std::string FolderOf(const TempDir& dir) { return dir.path().string() + "/"; }

inline std::string FileText(const std::filesystem::path& file) {
  const auto bytes = ReadFile(file);
  return {bytes.begin(), bytes.end()};
}

inline ConversionSettings UnusualAdjustments() {
  ConversionSettings c;
  c.Quality = 73;
  c.SizeMode = SizeMode::OwnSize;
  c.SizePercent = 250;
  c.OwnWidth = "1024";
  c.OwnHeight = "0768";
  c.ColouringMode = ColouringMode::OwnColour;
  c.SepiaPercent = 40;
  c.OwnColour = 0x00336699;
  c.OwnColourPercent = 60;
  c.WhiteFilter = true;
  c.WatermarkMode = WatermarkMode::Text;
  c.WatermarkPictureFile = "/home/me/Bilder/Logo \"neu\" & <alt>.png";
  c.WatermarkScaleIndex = 6;
  c.WatermarkTransparency = true;
  c.WatermarkTransparencyPercent = 0;
  c.WatermarkText = "\xC2\xA9 J\xC3\xB6rg \xF0\x9F\x98\x80 <&>";
  c.WatermarkFont = FontDescription{"DejaVu Sans", 0, 0x80000008, 14, FontDescription::kBold | FontDescription::kStrikeOut};
  c.WatermarkPosition = 4;
  c.WatermarkMarginX = -225;
  c.WatermarkMarginY = 225;
  return c;
}

}  // namespace lumivo::test
