#include "settings/adjustment_keys.h"

#include <algorithm>
#include <cstdint>

namespace lumivo {

namespace {

// Applies one stored switch of a three-way group the way a click does: a
// switch that reads on makes its choice the group's; one that reads off
// leaves the group alone.
template <typename Choice>
Status ReadGroupSwitch(const TXMLConfig& store, std::string_view key, bool defaultValue, Choice choice,
                       Choice& group) {
  auto on = store.ReadBool(keys::kAdjustments, key, defaultValue);
  if (!on) return on.status();
  if (*on) group = choice;
  return Status::Ok();
}

Status ReadRanged(const TXMLConfig& store, std::string_view key, int defaultValue, IntRange range, int& field) {
  Status status = ReadInto(store, keys::kAdjustments, key, defaultValue, field);
  if (status) field = range.Clamp(field);
  return status;
}

Status ReadSwitch(const TXMLConfig& store, std::string_view key, bool defaultValue, bool& field) {
  return ReadInto(store, keys::kAdjustments, key, defaultValue, field);
}

constexpr IntRange kCharSetRange{0, 255};

}  // namespace

bool IsAllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void WriteAdjustmentKeys(TXMLConfig& store, const ConversionSettings& s) {
  using namespace keys;
  store.WriteInteger(kAdjustments, kQuality, s.Quality);
  store.WriteInteger(kAdjustments, kSizePercent, s.SizePercent);
  store.WriteInteger(kAdjustments, kSepiaPercent, s.SepiaPercent);
  store.WriteInteger(kAdjustments, kOwnColourPercent, s.OwnColourPercent);
  store.WriteBool(kAdjustments, kSizeUnchanged, s.SizeMode == SizeMode::Unchanged);
  store.WriteBool(kAdjustments, kSizePercentOn, s.SizeMode == SizeMode::Percent);
  store.WriteBool(kAdjustments, kSizeOwn, s.SizeMode == SizeMode::OwnSize);
  store.WriteString(kAdjustments, kOwnWidth, s.OwnWidth);
  store.WriteString(kAdjustments, kOwnHeight, s.OwnHeight);
  store.WriteBool(kAdjustments, kColouringNone, s.ColouringMode == ColouringMode::None);
  store.WriteBool(kAdjustments, kColouringSepia, s.ColouringMode == ColouringMode::Sepia);
  store.WriteBool(kAdjustments, kColouringOwn, s.ColouringMode == ColouringMode::OwnColour);
  store.WriteBool(kAdjustments, kWhiteFilter, s.WhiteFilter);
  store.WriteBool(kAdjustments, kWatermarkNone, s.WatermarkMode == WatermarkMode::None);
  store.WriteBool(kAdjustments, kWatermarkPicture, s.WatermarkMode == WatermarkMode::Picture);
  store.WriteBool(kAdjustments, kWatermarkText, s.WatermarkMode == WatermarkMode::Text);
  store.WriteInteger(kAdjustments, kWatermarkScale, s.WatermarkScaleIndex);
  store.WriteString(kAdjustments, kWatermarkPictureFile, s.WatermarkPictureFile);
  store.WriteBool(kAdjustments, kWatermarkTransparency, s.WatermarkTransparency);
  store.WriteInteger(kAdjustments, kWatermarkTransparencyPercent, s.WatermarkTransparencyPercent);
  store.WriteString(kAdjustments, kWatermarkTextValue, s.WatermarkText);
}

void WritePlacementKeys(TXMLConfig& store, const ConversionSettings& s) {
  using namespace keys;
  store.WriteInteger(kAdjustments, kMarginX, s.WatermarkMarginX);
  store.WriteInteger(kAdjustments, kMarginY, s.WatermarkMarginY);
  store.WriteInteger(kAdjustments, kWatermarkPosition, s.WatermarkPosition);
  store.WriteInteger(kAdjustments, kOwnColour, static_cast<std::int32_t>(s.OwnColour));
}

void WriteFontKeys(TXMLConfig& store, std::string_view section, const FontDescription& font) {
  using namespace keys;
  store.WriteString(section, kFontName, font.face);
  store.WriteInteger(section, kFontCharSet, font.charset);
  store.WriteInteger(section, kFontColor, static_cast<std::int32_t>(font.colour));
  store.WriteInteger(section, kFontSize, font.size);
  store.WriteInteger(section, kFontStyle, font.style);
}

Status ReadFontKeys(const TXMLConfig& store, std::string_view section, FontDescription& font,
                    const FontDescription& defaultFont) {
  using namespace keys;
  font.face = store.ReadString(section, kFontName, defaultFont.face);
  Status status = ReadInto(store, section, kFontCharSet, defaultFont.charset, font.charset);
  if (!status) return status;
  font.charset = kCharSetRange.Clamp(font.charset);
  auto colour = store.ReadInteger(section, kFontColor, static_cast<std::int32_t>(defaultFont.colour));
  if (!colour) return colour.status();
  font.colour = static_cast<std::uint32_t>(*colour);
  status = ReadInto(store, section, kFontSize, defaultFont.size, font.size);
  if (status) status = ReadInto(store, section, kFontStyle, defaultFont.style, font.style);
  return status;
}

Status ReadAdjustmentKeys(const TXMLConfig& store, ConversionSettings& s) {
  using namespace keys;
  const ConversionSettings d;  // the controls' defaults are the missing keys' values
  Status status = ReadRanged(store, kQuality, d.Quality, kQualityRange, s.Quality);
  if (status) status = ReadRanged(store, kSizePercent, d.SizePercent, kSizePercentRange, s.SizePercent);
  if (status) status = ReadRanged(store, kSepiaPercent, d.SepiaPercent, kSepiaPercentRange, s.SepiaPercent);
  if (status) {
    status = ReadRanged(store, kOwnColourPercent, d.OwnColourPercent, kOwnColourPercentRange, s.OwnColourPercent);
  }
  if (status) status = ReadGroupSwitch(store, kSizeUnchanged, true, SizeMode::Unchanged, s.SizeMode);
  if (status) status = ReadGroupSwitch(store, kSizePercentOn, false, SizeMode::Percent, s.SizeMode);
  if (status) status = ReadGroupSwitch(store, kSizeOwn, false, SizeMode::OwnSize, s.SizeMode);
  if (!status) return status;

  // A size text that is not all digits keeps the field's current text.
  if (auto width = store.ReadString(kAdjustments, kOwnWidth, d.OwnWidth); IsAllDigits(width)) s.OwnWidth = width;
  if (auto height = store.ReadString(kAdjustments, kOwnHeight, d.OwnHeight); IsAllDigits(height)) {
    s.OwnHeight = height;
  }

  status = ReadGroupSwitch(store, kColouringNone, true, ColouringMode::None, s.ColouringMode);
  if (status) status = ReadGroupSwitch(store, kColouringSepia, false, ColouringMode::Sepia, s.ColouringMode);
  if (status) status = ReadGroupSwitch(store, kColouringOwn, false, ColouringMode::OwnColour, s.ColouringMode);
  if (status) status = ReadSwitch(store, kWhiteFilter, d.WhiteFilter, s.WhiteFilter);
  if (status) status = ReadGroupSwitch(store, kWatermarkNone, true, WatermarkMode::None, s.WatermarkMode);
  if (status) status = ReadGroupSwitch(store, kWatermarkPicture, false, WatermarkMode::Picture, s.WatermarkMode);
  if (status) status = ReadGroupSwitch(store, kWatermarkText, false, WatermarkMode::Text, s.WatermarkMode);
  if (status) {
    status = ReadRanged(store, kWatermarkScale, d.WatermarkScaleIndex, kWatermarkScaleIndexRange,
                        s.WatermarkScaleIndex);
  }
  if (!status) return status;

  s.WatermarkPictureFile = store.ReadString(kAdjustments, kWatermarkPictureFile, d.WatermarkPictureFile);
  status = ReadSwitch(store, kWatermarkTransparency, d.WatermarkTransparency, s.WatermarkTransparency);
  if (status) {
    status = ReadRanged(store, kWatermarkTransparencyPercent, d.WatermarkTransparencyPercent,
                        kWatermarkTransparencyPercentRange, s.WatermarkTransparencyPercent);
  }
  if (!status) return status;
  s.WatermarkText = store.ReadString(kAdjustments, kWatermarkTextValue, d.WatermarkText);

  status = ReadFontKeys(store, kFontSection, s.WatermarkFont, DefaultWatermarkFont());
  if (status) status = ReadRanged(store, kMarginX, d.WatermarkMarginX, kWatermarkMarginRange, s.WatermarkMarginX);
  if (status) status = ReadRanged(store, kMarginY, d.WatermarkMarginY, kWatermarkMarginRange, s.WatermarkMarginY);
  if (status) {
    status = ReadRanged(store, kWatermarkPosition, d.WatermarkPosition, kWatermarkPositionRange, s.WatermarkPosition);
  }
  if (!status) return status;
  auto colour = store.ReadInteger(kAdjustments, kOwnColour, static_cast<std::int32_t>(d.OwnColour));
  if (!colour) return colour.status();
  s.OwnColour = static_cast<std::uint32_t>(*colour);
  return Status::Ok();
}

}  // namespace lumivo
