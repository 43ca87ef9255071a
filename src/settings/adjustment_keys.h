#pragma once
// The stored form of the image adjustments, shared by the settings file and
// the profile files: section "BildQuality" keyed by the controls' names, and
// the watermark font in a section of its own.

#include <string_view>

#include "core/font_description.h"
#include "core/result.h"
#include "settings/conversion_settings.h"
#include "settings/xml_config.h"

namespace lumivo::keys {

inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kSetupFileExists = "Setup_File_Exists";
inline constexpr std::string_view kAdjustments = "BildQuality";
inline constexpr std::string_view kFontSection = "Panel_Font";

inline constexpr std::string_view kQuality = "ProgressBar_Quality";
inline constexpr std::string_view kSizePercent = "ProgressBar_BildGroesse_Prozent";
inline constexpr std::string_view kSepiaPercent = "ProgressBar_Sepia_Prozent";
inline constexpr std::string_view kOwnColourPercent = "ProgressBar_EigeneFaerbung_Prozent";
inline constexpr std::string_view kSizeUnchanged = "CheckBox_BildGroesse_Original";
inline constexpr std::string_view kSizePercentOn = "CheckBox_BildGroesse_Prozent";
inline constexpr std::string_view kSizeOwn = "CheckBox_BildGroesse_EigeneGroesse";
inline constexpr std::string_view kOwnWidth = "Edit_BildGroesse_EigeneGroesse_X";
inline constexpr std::string_view kOwnHeight = "Edit_BildGroesse_EigeneGroesse_Y";
inline constexpr std::string_view kColouringNone = "CheckBox_Faerbung_KeineFaerbung";
inline constexpr std::string_view kColouringSepia = "CheckBox_Sepia";
inline constexpr std::string_view kColouringOwn = "CheckBox_Faerbung";
inline constexpr std::string_view kWhiteFilter = "CheckBox_WhiteFilter";
inline constexpr std::string_view kWatermarkNone = "CheckBox_H2O_None";
inline constexpr std::string_view kWatermarkPicture = "CheckBox_H2O_Bild";
inline constexpr std::string_view kWatermarkText = "CheckBox_H2O_Text";
inline constexpr std::string_view kWatermarkScale = "ComboBox_H2O_ScaleBy";
inline constexpr std::string_view kWatermarkPictureFile = "Temp_Pfad_OpenPic_H2O";
inline constexpr std::string_view kWatermarkTransparency = "CheckBox_H2O_Transparenz";
inline constexpr std::string_view kWatermarkTransparencyPercent = "ProgressBar_H2O_Transparenz_Prozent";
inline constexpr std::string_view kWatermarkTextValue = "Edit_H2O";
inline constexpr std::string_view kMarginX = "UpDown_Pos_X";
inline constexpr std::string_view kMarginY = "UpDown_Pos_Y";
inline constexpr std::string_view kWatermarkPosition = "RadioGroup_H2O_Pos";
inline constexpr std::string_view kOwnColour = "Panel_EigeneFaerbung_Farbe";

inline constexpr std::string_view kFontName = "Name";
inline constexpr std::string_view kFontCharSet = "CharSet";
inline constexpr std::string_view kFontColor = "Color";
inline constexpr std::string_view kFontSize = "Size";
inline constexpr std::string_view kFontStyle = "Style";

}  // namespace lumivo::keys

namespace lumivo {

// "BildQuality" from "ProgressBar_Quality" through "Edit_H2O", in the stored order.
void WriteAdjustmentKeys(TXMLConfig& store, const ConversionSettings& settings);
// "BildQuality" "UpDown_Pos_X", "UpDown_Pos_Y", "RadioGroup_H2O_Pos", "Panel_EigeneFaerbung_Farbe".
void WritePlacementKeys(TXMLConfig& store, const ConversionSettings& settings);
void WriteFontKeys(TXMLConfig& store, std::string_view section, const FontDescription& font);

// Reads the adjustments in the stored order, the font after "Edit_H2O", and
// applies each value at once, held inside its control's range. Stops at the
// first unreadable number; what was read before it stays applied.
Status ReadAdjustmentKeys(const TXMLConfig& store, ConversionSettings& settings);
Status ReadFontKeys(const TXMLConfig& store, std::string_view section, FontDescription& font,
                    const FontDescription& defaultFont);

// At least one character, and nothing but 0 to 9.
bool IsAllDigits(std::string_view text);

}  // namespace lumivo
