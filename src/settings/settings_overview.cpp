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
  bool blocks_separated = false;  // a stored profile's extra empty rows
  int quality = 0;
  bool size_unchanged = false, size_percent = false, size_own = false;
  int size_percent_value = 0;
  std::optional<std::string> width, height;
  bool colouring_none = false, sepia = false, own_colour = false;
  int sepia_percent = 0, own_colour_percent = 0;
  bool white_filter = false;
  bool watermark_none = false, watermark_picture = false, watermark_text = false;
  std::string picture_file;
  int scale_index = 0;
  bool transparency = false;
  int transparency_percent = 0;
  std::string text;
  std::string face;
  bool placement = false;
  int margin_x = 0, margin_y = 0, position = 0;
};

std::string Row(std::string_view label, std::string_view value, std::string_view separator = ": ") {
  std::string row(label);
  row += separator;
  row += value;
  return row;
}

std::string OnOff(bool on) { return std::string(on ? texts::kOverviewOn : texts::kOverviewOff); }

// The watermark picture's name as the overview shows it.
std::string ShortenedWatermarkName(const std::string& file, const TextMeasure& measure, int overview_width) {
  if (file.empty()) return std::string(texts::kOverviewBuiltinPicture);
  return FitPathToWidth(file, measure, overview_width - measure(texts::kOverviewWatermarkFile));
}

std::vector<std::string> BuildRows(const OverviewValues& v, const TextMeasure& measure, int overview_width) {
  using namespace texts;
  const auto number = [](int value) { return std::to_string(value); };
  std::vector<std::string> rows;
  rows.push_back(v.selected ? Row(kOverviewSelectedProfile, *v.selected) : std::string(kOverviewNoProfile));
  rows.emplace_back();
  rows.push_back(Row(kOverviewQuality, number(v.quality)));
  if (v.blocks_separated) rows.emplace_back();

  if (v.size_unchanged) rows.push_back(Row(kOverviewOriginalSize, kOverviewOn));
  if (v.size_percent) {
    rows.push_back(Row(kOverviewPercentSize, kOverviewOn));
    rows.push_back(Row(kOverviewSizePercent, number(v.size_percent_value)));
  }
  if (v.size_own) {
    rows.push_back(Row(kOverviewOwnSize, kOverviewOn));
    if (v.width) rows.push_back(Row(kOverviewWidth, *v.width));
    if (v.height) rows.push_back(Row(kOverviewHeight, *v.height));
  }
  if (v.blocks_separated) rows.emplace_back();

  if (v.colouring_none) rows.push_back(Row(kOverviewNoColouring, kOverviewOn));
  if (v.sepia) {
    rows.push_back(Row(kOverviewSepia, kOverviewOn));
    rows.push_back(Row(kOverviewColouringPercent, number(v.sepia_percent)));
  }
  if (v.own_colour) {
    rows.push_back(Row(kOverviewOwnColour, kOverviewOn));
    rows.push_back(Row(kOverviewColouringPercent, number(v.own_colour_percent)));
    rows.push_back(Row(kOverviewWhiteFilter, OnOff(v.white_filter)));
  }
  if (v.blocks_separated) rows.emplace_back();

  if (v.watermark_none) rows.push_back(Row(kOverviewNoWatermark, kOverviewOn));
  if (v.watermark_picture) {
    rows.push_back(Row(kOverviewPictureWatermark, kOverviewOn));
    rows.push_back(Row(kOverviewWatermarkFile, ShortenedWatermarkName(v.picture_file, measure, overview_width)));
    rows.push_back(Row(kOverviewWatermarkScale, kWatermarkScaleItems[kWatermarkScaleIndexRange.Clamp(v.scale_index)]));
    // The switch row always reads "An"; only the percentage follows the switch.
    rows.push_back(Row(kOverviewTransparency, kOverviewOn));
    if (v.transparency) rows.push_back(Row(kOverviewTransparencyPercent, number(v.transparency_percent)));
  }
  if (v.watermark_text) {
    rows.push_back(Row(kOverviewTextWatermark, kOverviewOn));
    rows.push_back(Row(kOverviewWatermarkText, v.text, ":"));
    rows.push_back(Row(kOverviewFontFace, v.face, "+"));
  }
  if (v.placement) {
    rows.push_back(Row(kOverviewMarginX, number(v.margin_x)));
    rows.push_back(Row(kOverviewMarginY, number(v.margin_y)));
    rows.push_back(Row(kOverviewPosition, kWatermarkPositionItems[kWatermarkPositionRange.Clamp(v.position)]));
  }
  return rows;
}

class ProfileReader {
 public:
  explicit ProfileReader(const TXMLConfig& store) : store_(store) {}

  bool Switch(std::string_view key, bool default_value) {
    if (!status_) return false;
    auto value = store_.ReadBool(keys::kAdjustments, key, default_value);
    if (!value) status_ = value.status();
    return value && *value;
  }
  int Number(std::string_view key, int default_value, IntRange range) {
    if (!status_) return range.min;
    auto value = store_.ReadInteger(keys::kAdjustments, key, default_value);
    if (!value) status_ = value.status();
    return value ? range.Clamp(*value) : range.min;
  }
  std::optional<std::string> Digits(std::string_view key, std::string_view default_value) const {
    auto text = store_.ReadString(keys::kAdjustments, key, default_value);
    if (!IsAllDigits(text)) return std::nullopt;
    return text;
  }
  std::string Text(std::string_view section, std::string_view key, std::string_view default_value) const {
    return store_.ReadString(section, key, default_value);
  }
  const Status& status() const { return status_; }

 private:
  const TXMLConfig& store_;
  Status status_;
};

}  // namespace

std::vector<std::string> DescribeCurrentSettings(const ConversionSettings& settings,
                                                 std::optional<std::string_view> selected_profile,
                                                 const TextMeasure& measure, int overview_width) {
  OverviewValues v;
  if (selected_profile) v.selected = std::string(*selected_profile);
  v.quality = settings.Quality;
  v.size_unchanged = settings.SizeMode == SizeMode::Unchanged;
  v.size_percent = settings.SizeMode == SizeMode::Percent;
  v.size_own = settings.SizeMode == SizeMode::OwnSize;
  v.size_percent_value = settings.SizePercent;
  v.width = settings.OwnWidth;
  v.height = settings.OwnHeight;
  v.colouring_none = settings.ColouringMode == ColouringMode::None;
  v.sepia = settings.ColouringMode == ColouringMode::Sepia;
  v.own_colour = settings.ColouringMode == ColouringMode::OwnColour;
  v.sepia_percent = settings.SepiaPercent;
  v.own_colour_percent = settings.OwnColourPercent;
  v.white_filter = settings.WhiteFilter;
  v.watermark_none = settings.WatermarkMode == WatermarkMode::None;
  v.watermark_picture = settings.WatermarkMode == WatermarkMode::Picture;
  v.watermark_text = settings.WatermarkMode == WatermarkMode::Text;
  v.picture_file = settings.WatermarkPictureFile;
  v.scale_index = settings.WatermarkScaleIndex;
  v.transparency = settings.WatermarkTransparency;
  v.transparency_percent = settings.WatermarkTransparencyPercent;
  v.text = settings.WatermarkText;
  v.face = settings.WatermarkFont.face;
  v.placement = settings.WatermarkMode != WatermarkMode::None;
  v.margin_x = settings.WatermarkMarginX;
  v.margin_y = settings.WatermarkMarginY;
  v.position = settings.WatermarkPosition;
  return BuildRows(v, measure, overview_width);
}

Result<std::vector<std::string>> DescribeProfile(const std::string& folder, std::string_view name,
                                                 const ConversionSettings& current, const TextMeasure& measure,
                                                 int overview_width) {
  const Error not_a_profile{FormatText(texts::kFileNotReadable, folder + std::string(name))};
  if (!IsProfileFile(folder, name)) return not_a_profile;
  auto store = TXMLConfig::Open(std::filesystem::path(folder + std::string(name)));
  if (!store) return store.error();

  using namespace keys;
  const ConversionSettings d;
  ProfileReader read(*store);
  OverviewValues v;
  v.selected = std::string(name);
  v.blocks_separated = true;
  v.quality = read.Number(kQuality, current.Quality, kQualityRange);
  v.size_unchanged = read.Switch(kSizeUnchanged, true);
  v.size_percent = read.Switch(kSizePercentOn, false);
  v.size_percent_value = read.Number(kSizePercent, d.SizePercent, kSizePercentRange);
  v.size_own = read.Switch(kSizeOwn, false);
  v.width = read.Digits(kOwnWidth, d.OwnWidth);
  v.height = read.Digits(kOwnHeight, d.OwnHeight);
  v.colouring_none = read.Switch(kColouringNone, true);
  v.sepia = read.Switch(kColouringSepia, false);
  v.sepia_percent = read.Number(kSepiaPercent, d.SepiaPercent, kSepiaPercentRange);
  v.own_colour = read.Switch(kColouringOwn, false);
  v.own_colour_percent = read.Number(kOwnColourPercent, d.OwnColourPercent, kOwnColourPercentRange);
  v.white_filter = read.Switch(kWhiteFilter, d.WhiteFilter);
  v.watermark_none = read.Switch(kWatermarkNone, true);
  v.watermark_picture = read.Switch(kWatermarkPicture, false);
  v.picture_file = read.Text(kAdjustments, kWatermarkPictureFile, "");
  v.scale_index = read.Number(kWatermarkScale, d.WatermarkScaleIndex, kWatermarkScaleIndexRange);
  v.transparency = read.Switch(kWatermarkTransparency, false);
  v.transparency_percent =
      read.Number(kWatermarkTransparencyPercent, d.WatermarkTransparencyPercent, kWatermarkTransparencyPercentRange);
  v.watermark_text = read.Switch(kWatermarkText, false);
  v.text = read.Text(kAdjustments, kWatermarkTextValue, "");
  v.face = read.Text(kFontSection, kFontName, DefaultWatermarkFont().face);
  v.placement = !v.watermark_none;
  v.margin_x = read.Number(kMarginX, d.WatermarkMarginX, kWatermarkMarginRange);
  v.margin_y = read.Number(kMarginY, d.WatermarkMarginY, kWatermarkMarginRange);
  v.position = read.Number(kWatermarkPosition, d.WatermarkPosition, kWatermarkPositionRange);
  if (!read.status()) return read.status().error();
  return BuildRows(v, measure, overview_width);
}

}  // namespace lumivo
