#include "cli/command_line.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "core/text_basics.h"
#include "filelist/file_type_table.h"
#include "resources/texts.h"

namespace lumivo::cli {

namespace {

std::optional<int> ParseInRange(std::string_view text, int min, int max) {
  const auto value = ParseDecimalInt(text);
  if (!value || *value < min || *value > max) return std::nullopt;
  return value;
}

// "RRGGBB" (optionally after "#") as a stored colour: red in the low byte.
std::optional<std::uint32_t> ParseColour(std::string_view text) {
  if (!text.empty() && text.front() == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  std::uint32_t rgb = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rgb, 16);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

Error Usage(std::string message) { return Error{std::move(message)}; }

enum class Id {
  Dest, Jobs, Settings, Defaults, Profile, Quality, Size, Sepia, Tint, NoColouring, Text, Font, Picture, Scale,
  Transparency, Position, Margin, NoWatermark, KeepStructure, Flat, AlwaysNumber, NumberOnCollision, Exif,
  NoExif, Types, CheckedTypes, Quiet, Help, Version,
};

struct OptionSpec {
  std::string_view name;  // long name without "--"
  char letter;            // short name, or 0
  bool takesValue;
  Id id;
};

constexpr std::array<OptionSpec, 29> kOptions = {{
    {"dest", 'o', true, Id::Dest},
    {"jobs", 'j', true, Id::Jobs},
    {"settings", 0, true, Id::Settings},
    {"defaults", 0, false, Id::Defaults},
    {"profile", 'p', true, Id::Profile},
    {"quality", 'q', true, Id::Quality},
    {"size", 0, true, Id::Size},
    {"sepia", 0, true, Id::Sepia},
    {"tint", 0, true, Id::Tint},
    {"no-colouring", 0, false, Id::NoColouring},
    {"text", 0, true, Id::Text},
    {"font", 0, true, Id::Font},
    {"picture", 0, true, Id::Picture},
    {"scale", 0, true, Id::Scale},
    {"transparency", 0, true, Id::Transparency},
    {"position", 0, true, Id::Position},
    {"margin", 0, true, Id::Margin},
    {"no-watermark", 0, false, Id::NoWatermark},
    {"keep-structure", 0, false, Id::KeepStructure},
    {"flat", 0, false, Id::Flat},
    {"always-number", 0, false, Id::AlwaysNumber},
    {"number-on-collision", 0, false, Id::NumberOnCollision},
    {"exif", 0, false, Id::Exif},
    {"no-exif", 0, false, Id::NoExif},
    {"types", 0, true, Id::Types},
    {"checked-types", 0, false, Id::CheckedTypes},
    {"quiet", 0, false, Id::Quiet},
    {"help", 'h', false, Id::Help},
    {"version", 0, false, Id::Version},
}};

const OptionSpec* FindLong(std::string_view name) {
  for (const OptionSpec& option : kOptions)
    if (option.name == name) return &option;
  return nullptr;
}

const OptionSpec* FindShort(char letter) {
  for (const OptionSpec& option : kOptions)
    if (option.letter != 0 && option.letter == letter) return &option;
  return nullptr;
}

Status ParseSize(std::string_view text, SettingsOverrides& out) {
  const Error bad = Usage(FormatText(texts::kCliBadSize, std::string(text)));
  if (text == "original") {
    out.SizeMode = SizeMode::Unchanged;
    return Status::Ok();
  }
  if (!text.empty() && text.back() == '%') {
    const auto percent = ParseInRange(text.substr(0, text.size() - 1), kSizePercentRange.min, kSizePercentRange.max);
    if (!percent) return bad;
    out.SizeMode = SizeMode::Percent;
    out.SizePercent = *percent;
    return Status::Ok();
  }
  const auto cross = text.find_first_of("xX");
  if (cross == std::string_view::npos) return bad;
  // Digits only, as the own-size fields hold them; the JPEG limit bounds both sides.
  const auto side = [](std::string_view digits) -> std::optional<int> {
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return ParseInRange(digits, 1, 65500);
  };
  const auto width = side(text.substr(0, cross));
  const auto height = side(text.substr(cross + 1));
  if (!width || !height) return bad;
  out.SizeMode = SizeMode::OwnSize;
  out.OwnWidth = std::to_string(*width);
  out.OwnHeight = std::to_string(*height);
  return Status::Ok();
}

Status ParseTint(std::string_view text, SettingsOverrides& out) {
  const Error bad = Usage(FormatText(texts::kCliBadTint, std::string(text)));
  const auto parts = Split(text, ':');
  const auto colour = ParseColour(parts[0]);
  if (!colour || parts.size() > 3) return bad;
  int strength = 25;
  bool white = false;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i] == "white" && !white) {
      white = true;
    } else if (i == 1) {
      const auto value = ParseInRange(parts[i], kOwnColourPercentRange.min, kOwnColourPercentRange.max);
      if (!value) return bad;
      strength = *value;
    } else {
      return bad;
    }
  }
  out.ColouringMode = ColouringMode::OwnColour;
  out.OwnColour = *colour;
  out.OwnColourPercent = strength;
  out.WhiteFilter = white;
  return Status::Ok();
}

Status ParseFont(std::string_view text, SettingsOverrides& out) {
  const Error bad = Usage(FormatText(texts::kCliBadFont, std::string(text)));
  const auto parts = Split(text, ',');
  if (parts.size() < 2 || parts[0].empty()) return bad;
  FontDescription font = DefaultWatermarkFont();
  font.face = std::string(parts[0]);
  const auto points = ParseInRange(parts[1], 1, 1000);
  if (!points) return bad;
  font.size = *points;
  font.style = 0;
  bool coloured = false;
  for (std::size_t i = 2; i < parts.size(); ++i) {
    const std::string word = AsciiLowerCase(parts[i]);
    if (word == "bold") {
      font.style |= FontDescription::kBold;
    } else if (word == "italic") {
      font.style |= FontDescription::kItalic;
    } else if (word == "underline") {
      font.style |= FontDescription::kUnderline;
    } else if (word == "strikeout") {
      font.style |= FontDescription::kStrikeOut;
    } else if (!word.empty() && word.front() == '#' && !coloured) {
      const auto colour = ParseColour(word);
      if (!colour) return bad;
      font.colour = *colour;
      coloured = true;
    } else {
      return bad;
    }
  }
  out.WatermarkFont = font;
  return Status::Ok();
}

Status ParseMargin(std::string_view text, SettingsOverrides& out) {
  const auto parts = Split(text, ',');
  std::optional<int> x, y;
  if (parts.size() == 2) {
    x = ParseInRange(parts[0], kWatermarkMarginRange.min, kWatermarkMarginRange.max);
    y = ParseInRange(parts[1], kWatermarkMarginRange.min, kWatermarkMarginRange.max);
  }
  if (!x || !y) return Usage(FormatText(texts::kCliBadMargin, std::string(text)));
  out.WatermarkMarginX = *x;
  out.WatermarkMarginY = *y;
  return Status::Ok();
}

Status ParsePosition(std::string_view text, SettingsOverrides& out) {
  constexpr std::array<std::string_view, 5> kNames = {"tl", "bl", "tr", "br", "c"};  // by WatermarkPosition
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (text == kNames[i]) {
      out.WatermarkPosition = static_cast<int>(i);
      return Status::Ok();
    }
  }
  return Usage(FormatText(texts::kCliBadPosition, std::string(text)));
}

Status ParseTypes(std::string_view text, std::vector<int>& rows) {
  rows.clear();
  for (std::string_view item : Split(text, ',')) {
    std::string_view extension = item;
    if (extension.starts_with("*.")) extension.remove_prefix(2);
    else if (extension.starts_with(".")) extension.remove_prefix(1);
    const std::string lower = AsciiLowerCase(extension);
    int found = -1;
    for (std::size_t row = 0; row < FileTypeTable.size(); ++row)
      if (FileTypeTable[row].extension == lower) found = static_cast<int>(row);
    if (found < 0) return Usage(FormatText(texts::kCliBadTypes, std::string(item)));
    rows.push_back(found);
  }
  return Status::Ok();
}

// Applies one option with its value (empty for switches).
Status ApplyOption(const OptionSpec& option, const std::string& value, CommandLine& line) {
  SettingsOverrides& out = line.overrides;
  const std::string name = "--" + std::string(option.name);
  const auto number = [&](IntRange range) -> Result<int> {
    const auto parsed = ParseInRange(value, range.min, range.max);
    if (!parsed) return Usage(FormatText(texts::kCliBadNumber, value, name, range.min, range.max));
    return *parsed;
  };
  const auto nonEmpty = [&]() -> Status {
    if (value.empty()) return Usage(FormatText(texts::kCliEmptyValue, name));
    return Status::Ok();
  };
  switch (option.id) {
    case Id::Dest:
      if (auto status = nonEmpty(); !status) return status;
      line.destination = value;
      break;
    case Id::Jobs: {
      const auto jobs = number({1, 256});
      if (!jobs) return jobs.error();
      line.jobs = *jobs;
      break;
    }
    case Id::Settings:
      if (auto status = nonEmpty(); !status) return status;
      line.settingsOrigin = SettingsOrigin::File;
      line.settingsFile = value;
      break;
    case Id::Defaults:
      line.settingsOrigin = SettingsOrigin::Defaults;
      break;
    case Id::Profile:
      if (auto status = nonEmpty(); !status) return status;
      line.profile = value;
      break;
    case Id::Quality: {
      const auto quality = number(kQualityRange);
      if (!quality) return quality.error();
      out.Quality = *quality;
      break;
    }
    case Id::Size:
      return ParseSize(value, out);
    case Id::Sepia: {
      const auto strength = number(kSepiaPercentRange);
      if (!strength) return strength.error();
      out.ColouringMode = ColouringMode::Sepia;
      out.SepiaPercent = *strength;
      break;
    }
    case Id::Tint:
      return ParseTint(value, out);
    case Id::NoColouring:
      out.ColouringMode = ColouringMode::None;
      break;
    case Id::Text:
      if (auto status = nonEmpty(); !status) return status;
      out.WatermarkMode = WatermarkMode::Text;
      out.WatermarkText = value;
      break;
    case Id::Font:
      return ParseFont(value, out);
    case Id::Picture:
      if (auto status = nonEmpty(); !status) return status;
      out.WatermarkMode = WatermarkMode::Picture;
      out.WatermarkPictureFile = value;
      break;
    case Id::Scale: {
      const auto index = number(kWatermarkScaleIndexRange);
      if (!index) return index.error();
      out.WatermarkScaleIndex = *index;
      break;
    }
    case Id::Transparency: {
      const auto percent = number(kWatermarkTransparencyPercentRange);
      if (!percent) return percent.error();
      out.WatermarkTransparency = true;
      out.WatermarkTransparencyPercent = *percent;
      break;
    }
    case Id::Position:
      return ParsePosition(value, out);
    case Id::Margin:
      return ParseMargin(value, out);
    case Id::NoWatermark:
      out.WatermarkMode = WatermarkMode::None;
      break;
    case Id::KeepStructure:
    case Id::Flat:
      out.KeepFolderStructure = option.id == Id::KeepStructure;
      break;
    case Id::AlwaysNumber:
    case Id::NumberOnCollision:
      out.AlwaysNumber = option.id == Id::AlwaysNumber;
      break;
    case Id::Exif:
    case Id::NoExif:
      out.KeepExif = option.id == Id::Exif;
      break;
    case Id::Types:
      if (auto status = nonEmpty(); !status) return status;
      if (auto status = ParseTypes(value, line.listedTypes); !status) return status;
      line.types = TypeChoice::Listed;
      break;
    case Id::CheckedTypes:
      line.types = TypeChoice::Checked;
      break;
    case Id::Quiet:
      line.quiet = true;
      break;
    case Id::Help:
      line.action = Action::Help;
      break;
    case Id::Version:
      line.action = Action::Version;
      break;
  }
  return Status::Ok();
}

}  // namespace

Result<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
      line.paths.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    const OptionSpec* option = nullptr;
    std::optional<std::string> value;
    if (argument.starts_with("--")) {
      const auto equals = argument.find('=');
      option = FindLong(std::string_view(argument).substr(2, equals == std::string::npos ? std::string::npos : equals - 2));
      if (equals != std::string::npos) value = argument.substr(equals + 1);
      if (option && !option->takesValue && value)
        return Usage(FormatText(texts::kCliNoValueAllowed, argument.substr(0, equals)));
    } else {
      option = FindShort(argument[1]);
      if (argument.size() > 2) {
        // "-q80"; a switch takes no glued value
        if (option && !option->takesValue) return Usage(FormatText(texts::kCliUnknownOption, argument));
        value = argument.substr(2);
      }
    }
    if (!option) {
      const auto equals = argument.find('=');
      return Usage(FormatText(texts::kCliUnknownOption, argument.substr(0, equals)));
    }
    if (option->takesValue && !value) {
      if (i + 1 >= arguments.size())
        return Usage(FormatText(texts::kCliMissingValue, argument));
      value = arguments[++i];
    }
    if (auto status = ApplyOption(*option, value.value_or(std::string()), line); !status) return status.error();
    if (line.action != Action::Run) return line;
  }
  if (line.paths.empty()) return Usage(std::string(texts::kCliNoPaths));
  return line;
}

void ApplyOverrides(const SettingsOverrides& overrides, SettingsState& state) {
  ConversionSettings& c = state.Conversion;
  ProgramOptions& o = state.Options;
  const auto put = [](auto& field, const auto& value) {
    if (value) field = *value;
  };
  put(c.Quality, overrides.Quality);
  put(c.SizeMode, overrides.SizeMode);
  put(c.SizePercent, overrides.SizePercent);
  put(c.OwnWidth, overrides.OwnWidth);
  put(c.OwnHeight, overrides.OwnHeight);
  put(c.ColouringMode, overrides.ColouringMode);
  put(c.SepiaPercent, overrides.SepiaPercent);
  put(c.OwnColour, overrides.OwnColour);
  put(c.OwnColourPercent, overrides.OwnColourPercent);
  put(c.WhiteFilter, overrides.WhiteFilter);
  put(c.WatermarkMode, overrides.WatermarkMode);
  put(c.WatermarkPictureFile, overrides.WatermarkPictureFile);
  put(c.WatermarkScaleIndex, overrides.WatermarkScaleIndex);
  put(c.WatermarkTransparency, overrides.WatermarkTransparency);
  put(c.WatermarkTransparencyPercent, overrides.WatermarkTransparencyPercent);
  put(c.WatermarkText, overrides.WatermarkText);
  put(c.WatermarkFont, overrides.WatermarkFont);
  put(c.WatermarkPosition, overrides.WatermarkPosition);
  put(c.WatermarkMarginX, overrides.WatermarkMarginX);
  put(c.WatermarkMarginY, overrides.WatermarkMarginY);
  put(o.KeepFolderStructure, overrides.KeepFolderStructure);
  put(o.AlwaysNumber, overrides.AlwaysNumber);
  put(o.KeepExif, overrides.KeepExif);
}

}  // namespace lumivo::cli
