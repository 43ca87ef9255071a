#include "settings/settings_overview.h"

#include <filesystem>

#include "core/text_format.h"
#include "resources/texts.h"
#include "settings/adjustment_keys.h"
#include "settings/profiles.h"
#include "settings/xml_config.h"

namespace lumivo {

namespace {

// Beside the stored values: what the rows show that no key holds.
struct OverviewFrame {
  std::optional<std::string> selected;
  bool blocksSeparated = false;  // a stored profile's extra empty rows
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

// Each condition stands on its own key, as in a stored profile: a hand-edited
// file with contradicting switches shows several rows of a group, or none.
std::vector<std::string> BuildRows(const OverviewFrame& frame, const StoredAdjustments& values,
                                   const TextMeasure& measure, int overviewWidth) {
  using namespace texts;
  using K = AdjustmentKey;
  const auto on = [&](K key) { return At(values, key).number != 0; };
  const auto number = [&](K key) { return std::to_string(At(values, key).number); };
  const auto text = [&](K key) -> const std::string& { return At(values, key).text; };
  std::vector<std::string> rows;
  rows.push_back(frame.selected ? Row(kOverviewSelectedProfile, *frame.selected) : std::string(kOverviewNoProfile));
  rows.emplace_back();
  rows.push_back(Row(kOverviewQuality, number(K::Quality)));
  if (frame.blocksSeparated) rows.emplace_back();

  if (on(K::SizeUnchanged)) rows.push_back(Row(kOverviewOriginalSize, kOverviewOn));
  if (on(K::SizePercentOn)) {
    rows.push_back(Row(kOverviewPercentSize, kOverviewOn));
    rows.push_back(Row(kOverviewSizePercent, number(K::SizePercent)));
  }
  if (on(K::SizeOwn)) {
    rows.push_back(Row(kOverviewOwnSize, kOverviewOn));
    if (At(values, K::OwnWidth).taken) rows.push_back(Row(kOverviewWidth, text(K::OwnWidth)));
    if (At(values, K::OwnHeight).taken) rows.push_back(Row(kOverviewHeight, text(K::OwnHeight)));
  }
  if (frame.blocksSeparated) rows.emplace_back();

  if (on(K::ColouringNone)) rows.push_back(Row(kOverviewNoColouring, kOverviewOn));
  if (on(K::ColouringSepia)) {
    rows.push_back(Row(kOverviewSepia, kOverviewOn));
    rows.push_back(Row(kOverviewColouringPercent, number(K::SepiaPercent)));
  }
  if (on(K::ColouringOwn)) {
    rows.push_back(Row(kOverviewOwnColour, kOverviewOn));
    rows.push_back(Row(kOverviewColouringPercent, number(K::OwnColourPercent)));
    rows.push_back(Row(kOverviewWhiteFilter, OnOff(on(K::WhiteFilter))));
  }
  if (frame.blocksSeparated) rows.emplace_back();

  if (on(K::WatermarkNone)) rows.push_back(Row(kOverviewNoWatermark, kOverviewOn));
  if (on(K::WatermarkPicture)) {
    rows.push_back(Row(kOverviewPictureWatermark, kOverviewOn));
    rows.push_back(
        Row(kOverviewWatermarkFile, ShortenedWatermarkName(text(K::WatermarkPictureFile), measure, overviewWidth)));
    const int scale = kWatermarkScaleIndexRange.Clamp(At(values, K::WatermarkScale).number);
    rows.push_back(Row(kOverviewWatermarkScale, kWatermarkScaleItems[scale]));
    // The switch row always reads "An"; only the percentage follows the switch.
    rows.push_back(Row(kOverviewTransparency, kOverviewOn));
    if (on(K::WatermarkTransparency)) {
      rows.push_back(Row(kOverviewTransparencyPercent, number(K::WatermarkTransparencyPercent)));
    }
  }
  if (on(K::WatermarkText)) {
    rows.push_back(Row(kOverviewTextWatermark, kOverviewOn));
    rows.push_back(Row(kOverviewWatermarkText, text(K::WatermarkTextValue), ":"));
    rows.push_back(Row(kOverviewFontFace, At(values, K::WatermarkFont).font.face, "+"));
  }
  if (!on(K::WatermarkNone)) {
    rows.push_back(Row(kOverviewMarginX, number(K::MarginX)));
    rows.push_back(Row(kOverviewMarginY, number(K::MarginY)));
    const int position = kWatermarkPositionRange.Clamp(At(values, K::WatermarkPosition).number);
    rows.push_back(Row(kOverviewPosition, kWatermarkPositionItems[position]));
  }
  return rows;
}

}  // namespace

std::vector<std::string> DescribeCurrentSettings(const ConversionSettings& settings,
                                                 std::optional<std::string_view> selectedProfile,
                                                 const TextMeasure& measure, int overviewWidth) {
  OverviewFrame frame;
  if (selectedProfile) frame.selected = std::string(*selectedProfile);
  return BuildRows(frame, StoreAdjustments(settings), measure, overviewWidth);
}

Result<std::vector<std::string>> DescribeProfile(const std::string& folder, std::string_view name,
                                                 const ConversionSettings& current, const TextMeasure& measure,
                                                 int overviewWidth) {
  const Error notAProfile{FormatText(texts::kFileNotReadable, folder + std::string(name))};
  if (!IsProfileFile(folder, name)) return notAProfile;
  auto store = TXMLConfig::Open(std::filesystem::path(folder + std::string(name)));
  if (!store) return store.error();

  ConversionSettings defaults;
  defaults.Quality = current.Quality;
  KeyReader read(*store);
  StoredAdjustments values;
  ReadAdjustmentValues(read, defaults, values);
  if (!read.ok()) return read.status().error();
  return BuildRows(OverviewFrame{std::string(name), true}, values, measure, overviewWidth);
}

}  // namespace lumivo
