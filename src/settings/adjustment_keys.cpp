#include "settings/adjustment_keys.h"

#include <algorithm>
#include <type_traits>

namespace lumivo {

namespace {

template <auto Member>
StoredValue Take(const ConversionSettings& settings) {
  StoredValue value;
  const auto& field = settings.*Member;
  using Field = std::remove_cvref_t<decltype(field)>;
  if constexpr (std::is_same_v<Field, std::string>) {
    value.text = field;
  } else if constexpr (std::is_same_v<Field, FontDescription>) {
    value.font = field;
  } else {
    value.number = static_cast<int>(field);  // a colour's bits as the signed value the file keeps
  }
  return value;
}

template <auto Member>
void Apply(const StoredValue& value, ConversionSettings& settings) {
  auto& field = settings.*Member;
  using Field = std::remove_cvref_t<decltype(field)>;
  if constexpr (std::is_same_v<Field, std::string>) {
    if (value.taken) field = value.text;
  } else if constexpr (std::is_same_v<Field, FontDescription>) {
    field = value.font;
  } else if constexpr (std::is_same_v<Field, bool>) {
    field = value.number != 0;
  } else {
    field = static_cast<Field>(value.number);
  }
}

// A switch of a group stands for one value of the group's member.
template <auto Member, auto Choice>
StoredValue TakeChoice(const ConversionSettings& settings) {
  StoredValue value;
  value.number = settings.*Member == Choice ? 1 : 0;
  return value;
}

// Applied the way a click does: on makes the choice the group's; off leaves
// the group alone.
template <auto Member, auto Choice>
void ApplyChoice(const StoredValue& value, ConversionSettings& settings) {
  if (value.number != 0) settings.*Member = Choice;
}

template <auto Member>
constexpr AdjustmentRow Row(AdjustmentKey key, std::string_view attribute, KeyKind kind, IntRange range = {0, 0}) {
  return {key, attribute, kind, range, Take<Member>, Apply<Member>};
}

template <auto Member, auto Choice>
constexpr AdjustmentRow ChoiceRow(AdjustmentKey key, std::string_view attribute) {
  return {key, attribute, KeyKind::Choice, {0, 0}, TakeChoice<Member, Choice>, ApplyChoice<Member, Choice>};
}

using K = AdjustmentKey;
using S = ConversionSettings;

constexpr IntRange kCharSetRange{0, 255};

constexpr std::string_view kFontName = "Name";
constexpr std::string_view kFontCharSet = "CharSet";
constexpr std::string_view kFontColor = "Color";
constexpr std::string_view kFontSize = "Size";
constexpr std::string_view kFontStyle = "Style";

void ReadValue(KeyReader& read, const AdjustmentRow& row, const StoredValue& fallback, StoredValue& value) {
  using enum KeyKind;
  switch (row.kind) {
    case Number:
      read.Number(keys::kAdjustments, row.attribute, fallback.number, value.number);
      if (read.ok()) value.number = row.range.Clamp(value.number);
      return;
    case Colour: read.Number(keys::kAdjustments, row.attribute, fallback.number, value.number); return;
    case Switch:
    case Choice: {
      bool on = fallback.number != 0;
      read.Switch(keys::kAdjustments, row.attribute, on, on);
      if (read.ok()) value.number = on ? 1 : 0;
      return;
    }
    case Digits:
    case Text:
      read.Text(keys::kAdjustments, row.attribute, fallback.text, value.text);
      value.taken = row.kind == Text || IsAllDigits(value.text);
      return;
    case Font: ReadFontKeys(read, row.attribute, value.font, fallback.font); return;
  }
}

}  // namespace

constexpr std::array<AdjustmentRow, kAdjustmentKeyCount> kAdjustmentRows = {
    Row<&S::Quality>(K::Quality, "ProgressBar_Quality", KeyKind::Number, kQualityRange),
    Row<&S::SizePercent>(K::SizePercent, "ProgressBar_BildGroesse_Prozent", KeyKind::Number, kSizePercentRange),
    Row<&S::SepiaPercent>(K::SepiaPercent, "ProgressBar_Sepia_Prozent", KeyKind::Number, kSepiaPercentRange),
    Row<&S::OwnColourPercent>(K::OwnColourPercent, "ProgressBar_EigeneFaerbung_Prozent", KeyKind::Number,
                              kOwnColourPercentRange),
    ChoiceRow<&S::SizeMode, SizeMode::Unchanged>(K::SizeUnchanged, "CheckBox_BildGroesse_Original"),
    ChoiceRow<&S::SizeMode, SizeMode::Percent>(K::SizePercentOn, "CheckBox_BildGroesse_Prozent"),
    ChoiceRow<&S::SizeMode, SizeMode::OwnSize>(K::SizeOwn, "CheckBox_BildGroesse_EigeneGroesse"),
    Row<&S::OwnWidth>(K::OwnWidth, "Edit_BildGroesse_EigeneGroesse_X", KeyKind::Digits),
    Row<&S::OwnHeight>(K::OwnHeight, "Edit_BildGroesse_EigeneGroesse_Y", KeyKind::Digits),
    ChoiceRow<&S::ColouringMode, ColouringMode::None>(K::ColouringNone, "CheckBox_Faerbung_KeineFaerbung"),
    ChoiceRow<&S::ColouringMode, ColouringMode::Sepia>(K::ColouringSepia, "CheckBox_Sepia"),
    ChoiceRow<&S::ColouringMode, ColouringMode::OwnColour>(K::ColouringOwn, "CheckBox_Faerbung"),
    Row<&S::WhiteFilter>(K::WhiteFilter, "CheckBox_WhiteFilter", KeyKind::Switch),
    ChoiceRow<&S::WatermarkMode, WatermarkMode::None>(K::WatermarkNone, "CheckBox_H2O_None"),
    ChoiceRow<&S::WatermarkMode, WatermarkMode::Picture>(K::WatermarkPicture, "CheckBox_H2O_Bild"),
    ChoiceRow<&S::WatermarkMode, WatermarkMode::Text>(K::WatermarkText, "CheckBox_H2O_Text"),
    Row<&S::WatermarkScaleIndex>(K::WatermarkScale, "ComboBox_H2O_ScaleBy", KeyKind::Number,
                                 kWatermarkScaleIndexRange),
    Row<&S::WatermarkPictureFile>(K::WatermarkPictureFile, "Temp_Pfad_OpenPic_H2O", KeyKind::Text),
    Row<&S::WatermarkTransparency>(K::WatermarkTransparency, "CheckBox_H2O_Transparenz", KeyKind::Switch),
    Row<&S::WatermarkTransparencyPercent>(K::WatermarkTransparencyPercent, "ProgressBar_H2O_Transparenz_Prozent",
                                          KeyKind::Number, kWatermarkTransparencyPercentRange),
    Row<&S::WatermarkText>(K::WatermarkTextValue, "Edit_H2O", KeyKind::Text),
    Row<&S::WatermarkFont>(K::WatermarkFont, keys::kFontSection, KeyKind::Font),
    Row<&S::WatermarkMarginX>(K::MarginX, "UpDown_Pos_X", KeyKind::Number, kWatermarkMarginRange),
    Row<&S::WatermarkMarginY>(K::MarginY, "UpDown_Pos_Y", KeyKind::Number, kWatermarkMarginRange),
    Row<&S::WatermarkPosition>(K::WatermarkPosition, "RadioGroup_H2O_Pos", KeyKind::Number, kWatermarkPositionRange),
    Row<&S::OwnColour>(K::OwnColour, "Panel_EigeneFaerbung_Farbe", KeyKind::Colour),
};

constexpr bool RowsInKeyOrder() {
  for (std::size_t i = 0; i < kAdjustmentKeyCount; ++i)
    if (static_cast<std::size_t>(kAdjustmentRows[i].key) != i) return false;
  return true;
}
static_assert(RowsInKeyOrder(), "the rows follow AdjustmentKey");

bool IsAllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

StoredAdjustments StoreAdjustments(const ConversionSettings& settings) {
  StoredAdjustments values;
  for (std::size_t i = 0; i < kAdjustmentKeyCount; ++i) values[i] = kAdjustmentRows[i].take(settings);
  return values;
}

void WriteAdjustmentKeys(TXMLConfig& store, const ConversionSettings& settings) {
  for (const AdjustmentRow& row : kAdjustmentRows) {
    const StoredValue value = row.take(settings);
    switch (row.kind) {
      case KeyKind::Number:
      case KeyKind::Colour: store.WriteInteger(keys::kAdjustments, row.attribute, value.number); break;
      case KeyKind::Switch:
      case KeyKind::Choice: store.WriteBool(keys::kAdjustments, row.attribute, value.number != 0); break;
      case KeyKind::Digits:
      case KeyKind::Text: store.WriteString(keys::kAdjustments, row.attribute, value.text); break;
      case KeyKind::Font: WriteFontKeys(store, row.attribute, value.font); break;
    }
  }
}

void WriteFontKeys(TXMLConfig& store, std::string_view section, const FontDescription& font) {
  store.WriteString(section, kFontName, font.face);
  store.WriteInteger(section, kFontCharSet, font.charset);
  store.WriteInteger(section, kFontColor, static_cast<std::int32_t>(font.colour));
  store.WriteInteger(section, kFontSize, font.size);
  store.WriteInteger(section, kFontStyle, font.style);
}

void ReadFontKeys(KeyReader& read, std::string_view section, FontDescription& font,
                  const FontDescription& defaultFont) {
  read.Text(section, kFontName, defaultFont.face, font.face);
  read.Number(section, kFontCharSet, defaultFont.charset, font.charset);
  if (!read.ok()) return;
  font.charset = kCharSetRange.Clamp(font.charset);
  int colour = static_cast<std::int32_t>(font.colour);
  read.Number(section, kFontColor, static_cast<std::int32_t>(defaultFont.colour), colour);
  font.colour = static_cast<std::uint32_t>(colour);
  read.Number(section, kFontSize, defaultFont.size, font.size);
  read.Number(section, kFontStyle, defaultFont.style, font.style);
}

void ReadAdjustmentValues(KeyReader& read, const ConversionSettings& defaults, StoredAdjustments& values) {
  for (std::size_t i = 0; i < kAdjustmentKeyCount && read.ok(); ++i) {
    const AdjustmentRow& row = kAdjustmentRows[i];
    const StoredValue fallback = row.take(defaults);
    values[i] = fallback;
    ReadValue(read, row, fallback, values[i]);
  }
}

void ReadAdjustmentKeys(KeyReader& read, ConversionSettings& settings) {
  const ConversionSettings defaults;  // the controls' defaults are the missing keys' values
  for (const AdjustmentRow& row : kAdjustmentRows) {
    if (!read.ok()) return;
    // Starts from the member's own value, so a key that fails changes
    // nothing, while a font read half-way keeps the keys it read.
    StoredValue value = row.take(settings);
    ReadValue(read, row, row.take(defaults), value);
    row.apply(value, settings);
  }
}

}  // namespace lumivo
