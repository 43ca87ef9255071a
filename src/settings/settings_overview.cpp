#include "settings/settings_overview.h"

#include <filesystem>

#include "core/text_format.h"
#include "resources/texts.h"
#include "settings/adjustment_keys.h"
#include "settings/profiles.h"
#include "settings/xml_config.h"

namespace lumivo {

namespace {

// What the rows show; each condition stands on its own, as in a stored profile.
struct OverviewValues {
  std::optional<std::string> selected;
  bool blocksSeparated = false;  // a stored profile's extra empty rows
  int quality = 0;
  bool sizeUnchanged = false, sizePercent = false, sizeOwn = false;
  int sizePercentValue = 0;
  std::optional<std::string> width, height;
  bool colouringNone = false, sepia = false, ownColour = false;
  int sepiaPercent = 0, ownColourPercent = 0;
  bool whiteFilter = false;
  bool watermarkNone = false, watermarkPicture = false, watermarkText = false;
  std::string pictureFile;
  int scaleIndex = 0;
  bool transparency = false;
  int transparencyPercent = 0;
  std::string text;
  std::string face;
  bool placement = false;
  int marginX = 0, marginY = 0, position = 0;
};

std::string Row(std::string_view label, std::string_view value, std::string_view separator = ": ") {
  std::string row(label);
  row += separator;
  row += value;
  return row;
}

std::string OnOff(bool on) { return std::string(on ? texts::kOverviewOn : texts::kOverviewOff); }

// The watermark picture's name as the overview shows it.
std::string ShortenedWatermarkName(const std::string& file, const TextMeasure& measure, int overviewWidth) {
  if (file.empty()) return std::string(texts::kOverviewBuiltinPicture);
  return FitPathToWidth(file, measure, overviewWidth - measure(texts::kOverviewWatermarkFile));
}

std::vector<std::string> BuildRows(const OverviewValues& v, const TextMeasure& measure, int overviewWidth) {
  using namespace texts;
  const auto number = [](int value) { return std::to_string(value); };
  std::vector<std::string> rows;
  rows.push_back(v.selected ? Row(kOverviewSelectedProfile, *v.selected) : std::string(kOverviewNoProfile));
  rows.emplace_back();
  rows.push_back(Row(kOverviewQuality, number(v.quality)));
  if (v.blocksSeparated) rows.emplace_back();

  if (v.sizeUnchanged) rows.push_back(Row(kOverviewOriginalSize, kOverviewOn));
  if (v.sizePercent) {
    rows.push_back(Row(kOverviewPercentSize, kOverviewOn));
    rows.push_back(Row(kOverviewSizePercent, number(v.sizePercentValue)));
  }
  if (v.sizeOwn) {
    rows.push_back(Row(kOverviewOwnSize, kOverviewOn));
    if (v.width) rows.push_back(Row(kOverviewWidth, *v.width));
    if (v.height) rows.push_back(Row(kOverviewHeight, *v.height));
  }
  if (v.blocksSeparated) rows.emplace_back();

  if (v.colouringNone) rows.push_back(Row(kOverviewNoColouring, kOverviewOn));
  if (v.sepia) {
    rows.push_back(Row(kOverviewSepia, kOverviewOn));
    rows.push_back(Row(kOverviewColouringPercent, number(v.sepiaPercent)));
  }
  if (v.ownColour) {
    rows.push_back(Row(kOverviewOwnColour, kOverviewOn));
    rows.push_back(Row(kOverviewColouringPercent, number(v.ownColourPercent)));
    rows.push_back(Row(kOverviewWhiteFilter, OnOff(v.whiteFilter)));
  }
  if (v.blocksSeparated) rows.emplace_back();

  if (v.watermarkNone) rows.push_back(Row(kOverviewNoWatermark, kOverviewOn));
  if (v.watermarkPicture) {
    rows.push_back(Row(kOverviewPictureWatermark, kOverviewOn));
    rows.push_back(Row(kOverviewWatermarkFile, ShortenedWatermarkName(v.pictureFile, measure, overviewWidth)));
    rows.push_back(Row(kOverviewWatermarkScale, kWatermarkScaleItems[kWatermarkScaleIndexRange.Clamp(v.scaleIndex)]));
    // The switch row always reads "An"; only the percentage follows the switch.
    rows.push_back(Row(kOverviewTransparency, kOverviewOn));
    if (v.transparency) rows.push_back(Row(kOverviewTransparencyPercent, number(v.transparencyPercent)));
  }
  if (v.watermarkText) {
    rows.push_back(Row(kOverviewTextWatermark, kOverviewOn));
    rows.push_back(Row(kOverviewWatermarkText, v.text, ":"));
    rows.push_back(Row(kOverviewFontFace, v.face, "+"));
  }
  if (v.placement) {
    rows.push_back(Row(kOverviewMarginX, number(v.marginX)));
    rows.push_back(Row(kOverviewMarginY, number(v.marginY)));
    rows.push_back(Row(kOverviewPosition, kWatermarkPositionItems[kWatermarkPositionRange.Clamp(v.position)]));
  }
  return rows;
}

class ProfileReader {
 public:
  explicit ProfileReader(const TXMLConfig& store) : store_(store) {}

  bool Switch(std::string_view key, bool defaultValue) {
    if (!status_) return false;
    auto value = store_.ReadBool(keys::kAdjustments, key, defaultValue);
    if (!value) status_ = value.status();
    return value && *value;
  }
  int Number(std::string_view key, int defaultValue, IntRange range) {
    if (!status_) return range.min;
    auto value = store_.ReadInteger(keys::kAdjustments, key, defaultValue);
    if (!value) status_ = value.status();
    return value ? range.Clamp(*value) : range.min;
  }
  std::optional<std::string> Digits(std::string_view key, std::string_view defaultValue) const {
    auto text = store_.ReadString(keys::kAdjustments, key, defaultValue);
    if (!IsAllDigits(text)) return std::nullopt;
    return text;
  }
  std::string Text(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    return store_.ReadString(section, key, defaultValue);
  }
  const Status& status() const { return status_; }

 private:
  const TXMLConfig& store_;
  Status status_;
};

}  // namespace

std::vector<std::string> DescribeCurrentSettings(const ConversionSettings& settings,
                                                 std::optional<std::string_view> selectedProfile,
                                                 const TextMeasure& measure, int overviewWidth) {
  OverviewValues v;
  if (selectedProfile) v.selected = std::string(*selectedProfile);
  v.quality = settings.Quality;
  v.sizeUnchanged = settings.SizeMode == SizeMode::Unchanged;
  v.sizePercent = settings.SizeMode == SizeMode::Percent;
  v.sizeOwn = settings.SizeMode == SizeMode::OwnSize;
  v.sizePercentValue = settings.SizePercent;
  v.width = settings.OwnWidth;
  v.height = settings.OwnHeight;
  v.colouringNone = settings.ColouringMode == ColouringMode::None;
  v.sepia = settings.ColouringMode == ColouringMode::Sepia;
  v.ownColour = settings.ColouringMode == ColouringMode::OwnColour;
  v.sepiaPercent = settings.SepiaPercent;
  v.ownColourPercent = settings.OwnColourPercent;
  v.whiteFilter = settings.WhiteFilter;
  v.watermarkNone = settings.WatermarkMode == WatermarkMode::None;
  v.watermarkPicture = settings.WatermarkMode == WatermarkMode::Picture;
  v.watermarkText = settings.WatermarkMode == WatermarkMode::Text;
  v.pictureFile = settings.WatermarkPictureFile;
  v.scaleIndex = settings.WatermarkScaleIndex;
  v.transparency = settings.WatermarkTransparency;
  v.transparencyPercent = settings.WatermarkTransparencyPercent;
  v.text = settings.WatermarkText;
  v.face = settings.WatermarkFont.face;
  v.placement = settings.WatermarkMode != WatermarkMode::None;
  v.marginX = settings.WatermarkMarginX;
  v.marginY = settings.WatermarkMarginY;
  v.position = settings.WatermarkPosition;
  return BuildRows(v, measure, overviewWidth);
}

Result<std::vector<std::string>> DescribeProfile(const std::string& folder, std::string_view name,
                                                 const ConversionSettings& current, const TextMeasure& measure,
                                                 int overviewWidth) {
  const Error notAProfile{FormatText(texts::kFileNotReadable, folder + std::string(name))};
  if (!IsProfileFile(folder, name)) return notAProfile;
  auto store = TXMLConfig::Open(std::filesystem::path(folder + std::string(name)));
  if (!store) return store.error();

  using namespace keys;
  const ConversionSettings d;
  ProfileReader read(*store);
  OverviewValues v;
  v.selected = std::string(name);
  v.blocksSeparated = true;
  v.quality = read.Number(kQuality, current.Quality, kQualityRange);
  v.sizeUnchanged = read.Switch(kSizeUnchanged, true);
  v.sizePercent = read.Switch(kSizePercentOn, false);
  v.sizePercentValue = read.Number(kSizePercent, d.SizePercent, kSizePercentRange);
  v.sizeOwn = read.Switch(kSizeOwn, false);
  v.width = read.Digits(kOwnWidth, d.OwnWidth);
  v.height = read.Digits(kOwnHeight, d.OwnHeight);
  v.colouringNone = read.Switch(kColouringNone, true);
  v.sepia = read.Switch(kColouringSepia, false);
  v.sepiaPercent = read.Number(kSepiaPercent, d.SepiaPercent, kSepiaPercentRange);
  v.ownColour = read.Switch(kColouringOwn, false);
  v.ownColourPercent = read.Number(kOwnColourPercent, d.OwnColourPercent, kOwnColourPercentRange);
  v.whiteFilter = read.Switch(kWhiteFilter, d.WhiteFilter);
  v.watermarkNone = read.Switch(kWatermarkNone, true);
  v.watermarkPicture = read.Switch(kWatermarkPicture, false);
  v.pictureFile = read.Text(kAdjustments, kWatermarkPictureFile, "");
  v.scaleIndex = read.Number(kWatermarkScale, d.WatermarkScaleIndex, kWatermarkScaleIndexRange);
  v.transparency = read.Switch(kWatermarkTransparency, false);
  v.transparencyPercent =
      read.Number(kWatermarkTransparencyPercent, d.WatermarkTransparencyPercent, kWatermarkTransparencyPercentRange);
  v.watermarkText = read.Switch(kWatermarkText, false);
  v.text = read.Text(kAdjustments, kWatermarkTextValue, "");
  v.face = read.Text(kFontSection, kFontName, DefaultWatermarkFont().face);
  v.placement = !v.watermarkNone;
  v.marginX = read.Number(kMarginX, d.WatermarkMarginX, kWatermarkMarginRange);
  v.marginY = read.Number(kMarginY, d.WatermarkMarginY, kWatermarkMarginRange);
  v.position = read.Number(kWatermarkPosition, d.WatermarkPosition, kWatermarkPositionRange);
  if (!read.status()) return read.status().error();
  return BuildRows(v, measure, overviewWidth);
}

}  // namespace lumivo
