#pragma once
// The stored image adjustments, one row per key in the order the files keep
// them: section "BildQuality" keyed by the controls' names, with the watermark
// font in a section of its own. The settings file, the profile files and the
// profile overview all go through this table, so a new adjustment is one row.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/font_description.h"
#include "core/result.h"
#include "settings/conversion_settings.h"
#include "settings/key_reader.h"
#include "settings/xml_config.h"

namespace lumivo::keys {

inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kSetupFileExists = "Setup_File_Exists";
inline constexpr std::string_view kAdjustments = "BildQuality";
inline constexpr std::string_view kFontSection = "Panel_Font";

}  // namespace lumivo::keys

namespace lumivo {

// The rows, in table order.
enum class AdjustmentKey : std::uint8_t {
  Quality, SizePercent, SepiaPercent, OwnColourPercent,
  SizeUnchanged, SizePercentOn, SizeOwn, OwnWidth, OwnHeight,
  ColouringNone, ColouringSepia, ColouringOwn, WhiteFilter,
  WatermarkNone, WatermarkPicture, WatermarkText, WatermarkScale, WatermarkPictureFile,
  WatermarkTransparency, WatermarkTransparencyPercent, WatermarkTextValue, WatermarkFont,
  MarginX, MarginY, WatermarkPosition, OwnColour,
};
inline constexpr std::size_t kAdjustmentKeyCount = static_cast<std::size_t>(AdjustmentKey::OwnColour) + 1;

// What a key holds and how its stored text reads.
enum class KeyKind : std::uint8_t {
  Number,  // an integer, held inside the row's range
  Switch,  // a Boolean
  Choice,  // one switch of a group: on makes the row's choice the group's
  Digits,  // a size text, taken only when it is all digits
  Text,    // any text
  Colour,  // a colour value, stored as a signed 32-bit integer
  Font,    // the font's own keys, in the section the row names
};

// One key's value in its stored form.
struct StoredValue {
  int number = 0;  // Number, Colour; 0 or 1 for Switch and Choice
  std::string text;
  bool taken = true;  // false for a Digits text that is not all digits
  FontDescription font;
};

using StoredAdjustments = std::array<StoredValue, kAdjustmentKeyCount>;

struct AdjustmentRow {
  AdjustmentKey key;
  std::string_view attribute;  // in "BildQuality"; for Font the section
  KeyKind kind;
  IntRange range;  // for Number
  // The member behind the key: its stored form, and a stored value applied
  // to it (a Choice that reads off and a Digits text not taken change nothing).
  StoredValue (*take)(const ConversionSettings& settings);
  void (*apply)(const StoredValue& value, ConversionSettings& settings);
};

extern const std::array<AdjustmentRow, kAdjustmentKeyCount> kAdjustmentRows;

inline const StoredValue& At(const StoredAdjustments& values, AdjustmentKey key) {
  return values[static_cast<std::size_t>(key)];
}

// The stored form of every row: what a save writes.
StoredAdjustments StoreAdjustments(const ConversionSettings& settings);

// Writes every row, the font after "Edit_H2O", in the stored order.
void WriteAdjustmentKeys(TXMLConfig& store, const ConversionSettings& settings);
void WriteFontKeys(TXMLConfig& store, std::string_view section, const FontDescription& font);

// Reads every row in the stored order; a missing key gives `defaults`' value.
// Stops at the reader's first failure.
void ReadAdjustmentValues(KeyReader& read, const ConversionSettings& defaults, StoredAdjustments& values);

// Reads the rows and applies each value at once, held inside its control's
// range; missing keys give the controls' defaults. Stops at the first
// unreadable number; what was read before it stays applied.
void ReadAdjustmentKeys(KeyReader& read, ConversionSettings& settings);
void ReadFontKeys(KeyReader& read, std::string_view section, FontDescription& font,
                  const FontDescription& defaultFont);

// At least one character, and nothing but 0 to 9.
bool IsAllDigits(std::string_view text);

}  // namespace lumivo
