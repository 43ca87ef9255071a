#include "cli/command_line.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string_view>

#include "core/bitmap.h"
#include "core/text_basics.h"
#include "core/text_format.h"
#include "filelist/file_type_table.h"
#include "resources/texts.h"

namespace lumivo::cli {

namespace {

using K = AdjustmentKey;

std::optional<int> ParseInRange(std::string_view text, IntRange range) {
  const auto value = ParseDecimalInt(text);
  if (!value || *value < range.min || *value > range.max) return std::nullopt;
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

// "WIDTHxHEIGHT" in pixels: digits only, as the own-size fields hold them;
// the JPEG limit bounds both sides.
std::optional<PictureSize> ParseBox(std::string_view text) {
  const auto side = [](std::string_view digits) -> std::optional<int> {
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return ParseInRange(digits, {1, kJpegSideLimit});
  };
  const auto cross = text.find_first_of("xX");
  if (cross == std::string_view::npos) {
    const auto both = side(text);  // "1600" is a square
    if (!both) return std::nullopt;
    return PictureSize{*both, *both};
  }
  const auto width = side(text.substr(0, cross));
  const auto height = side(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return PictureSize{*width, *height};
}

void SetOwnSize(PictureSize box, SettingsOverrides& out) {
  out.Choose(K::SizeOwn);
  out.SetText(K::OwnWidth, std::to_string(box.width));
  out.SetText(K::OwnHeight, std::to_string(box.height));
}

Status ParseSize(std::string_view text, SettingsOverrides& out) {
  const Error bad = Usage(FormatText(texts::kCliBadSize, text));
  if (text == "original") {
    out.Choose(K::SizeUnchanged);
    return Status::Ok();
  }
  if (!text.empty() && text.back() == '%') {
    const auto percent = ParseInRange(text.substr(0, text.size() - 1), RowOf(K::SizePercent).range);
    if (!percent) return bad;
    out.Choose(K::SizePercentOn);
    out.SetNumber(K::SizePercent, *percent);
    return Status::Ok();
  }
  const auto box = text.find_first_of("xX") == std::string_view::npos ? std::nullopt : ParseBox(text);
  if (!box) return bad;
  SetOwnSize(*box, out);
  return Status::Ok();
}

// The own size set to the box; the run fits each picture into it.
Status ParseFit(std::string_view text, CommandLine& line) {
  const auto box = ParseBox(text);
  if (!box) return Usage(FormatText(texts::kCliBadFit, std::string(text)));
  SetOwnSize(*box, line.overrides);
  line.fit = *box;
  return Status::Ok();
}

Status ParseTint(std::string_view text, SettingsOverrides& out) {
  const Error bad = Usage(FormatText(texts::kCliBadTint, text));
  const auto parts = Split(text, ':');
  const auto colour = ParseColour(parts[0]);
  if (!colour || parts.size() > 3) return bad;
  int strength = 25;
  bool white = false;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i] == "white" && !white) {
      white = true;
    } else if (i == 1) {
      const auto value = ParseInRange(parts[i], RowOf(K::OwnColourPercent).range);
      if (!value) return bad;
      strength = *value;
    } else {
      return bad;
    }
  }
  out.Choose(K::ColouringOwn);
  out.SetNumber(K::OwnColour, static_cast<int>(*colour));  // the colour's bits, as the file keeps them
  out.SetNumber(K::OwnColourPercent, strength);
  out.SetNumber(K::WhiteFilter, white ? 1 : 0);
  return Status::Ok();
}

Status ParseFont(std::string_view text, SettingsOverrides& out) {
  const Error bad = Usage(FormatText(texts::kCliBadFont, text));
  const auto parts = Split(text, ',');
  if (parts.size() < 2 || parts[0].empty()) return bad;
  FontDescription font = DefaultWatermarkFont();
  font.face = std::string(parts[0]);
  const auto points = ParseInRange(parts[1], {1, 1000});
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
  out.SetFont(K::WatermarkFont, font);
  return Status::Ok();
}

Status ParseMargin(std::string_view text, SettingsOverrides& out) {
  const auto parts = Split(text, ',');
  std::optional<int> x, y;
  if (parts.size() == 2) {
    x = ParseInRange(parts[0], RowOf(K::MarginX).range);
    y = ParseInRange(parts[1], RowOf(K::MarginY).range);
  }
  if (!x || !y) return Usage(FormatText(texts::kCliBadMargin, text));
  out.SetNumber(K::MarginX, *x);
  out.SetNumber(K::MarginY, *y);
  return Status::Ok();
}

Status ParsePosition(std::string_view text, SettingsOverrides& out) {
  constexpr std::array<std::string_view, 5> kNames = {"tl", "bl", "tr", "br", "c"};  // by WatermarkPosition
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (text == kNames[i]) {
      out.SetNumber(K::WatermarkPosition, static_cast<int>(i));
      return Status::Ok();
    }
  }
  return Usage(FormatText(texts::kCliBadPosition, text));
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
    if (found < 0) return Usage(FormatText(texts::kCliBadTypes, item));
    rows.push_back(found);
  }
  return Status::Ok();
}

// What an option's handler gets: its value ("" for a switch) and its name
// for messages.
struct OptionUse {
  const std::string& value;
  std::string name;  // "--quality"

  Result<int> Number(IntRange range) const {
    const auto parsed = ParseInRange(value, range);
    if (!parsed) return Usage(FormatText(texts::kCliBadNumber, value, name, range.min, range.max));
    return *parsed;
  }
  Status NonEmpty() const {
    if (value.empty()) return Usage(FormatText(texts::kCliEmptyValue, name));
    return Status::Ok();
  }
};

using OptionHandler = Status (*)(const OptionUse& use, CommandLine& line);

struct OptionSpec {
  std::string_view name;  // long name without "--"
  char letter;            // short name, or 0
  bool takesValue;
  OptionHandler apply;
};

// A number held in the row's range.
template <AdjustmentKey Key>
Status NumberInto(const OptionUse& use, CommandLine& line) {
  const auto number = use.Number(RowOf(Key).range);
  if (!number) return number.error();
  line.overrides.SetNumber(Key, *number);
  return Status::Ok();
}

// A switch that makes a Choice row's value its group's.
template <AdjustmentKey Key>
Status Choose(const OptionUse&, CommandLine& line) {
  line.overrides.Choose(Key);
  return Status::Ok();
}

// A switch that sets a program option to a fixed value.
template <auto Field, auto Value>
Status Set(const OptionUse&, CommandLine& line) {
  line.overrides.*Field = Value;
  return Status::Ok();
}

// A switch of the command line itself.
template <auto Field>
Status Switch(const OptionUse&, CommandLine& line) {
  line.*Field = true;
  return Status::Ok();
}

// A task other than converting; the options around it still count.
template <Action kAction>
Status Task(const OptionUse&, CommandLine& line) {
  line.action = kAction;
  return Status::Ok();
}

constexpr OptionSpec kOptions[] = {
    {"dest", 'o', true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = use.NonEmpty();
       if (status) line.destination = use.value;
       return status;
     }},
    {"jobs", 'j', true,
     [](const OptionUse& use, CommandLine& line) {
       const auto jobs = use.Number({1, 256});
       if (!jobs) return jobs.status();
       line.jobs = *jobs;
       return Status::Ok();
     }},
    {"settings", 0, true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = use.NonEmpty();
       if (status) line.settingsOrigin = SettingsOrigin::File, line.settingsFile = use.value;
       return status;
     }},
    {"defaults", 0, false,
     [](const OptionUse&, CommandLine& line) {
       line.settingsOrigin = SettingsOrigin::Defaults;
       return Status::Ok();
     }},
    {"profile", 'p', true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = use.NonEmpty();
       if (status) line.profile = use.value;
       return status;
     }},
    {"quality", 'q', true, NumberInto<K::Quality>},
    {"size", 0, true,
     [](const OptionUse& use, CommandLine& line) {
       line.fit.reset();
       return ParseSize(use.value, line.overrides);
     }},
    {"fit", 0, true, [](const OptionUse& use, CommandLine& line) { return ParseFit(use.value, line); }},
    {"enlarge", 0, false, Switch<&CommandLine::enlarge>},
    {"sepia", 0, true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = NumberInto<K::SepiaPercent>(use, line);
       if (status) line.overrides.Choose(K::ColouringSepia);
       return status;
     }},
    {"tint", 0, true, [](const OptionUse& use, CommandLine& line) { return ParseTint(use.value, line.overrides); }},
    {"no-colouring", 0, false, Choose<K::ColouringNone>},
    {"text", 0, true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = use.NonEmpty();
       if (status) {
         line.overrides.Choose(K::WatermarkText);
         line.overrides.SetText(K::WatermarkTextValue, use.value);
       }
       return status;
     }},
    {"font", 0, true, [](const OptionUse& use, CommandLine& line) { return ParseFont(use.value, line.overrides); }},
    {"picture", 0, true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = use.NonEmpty();
       if (status) {
         line.overrides.Choose(K::WatermarkPicture);
         // The stored settings name the logo by naming no file.
         line.overrides.SetText(K::WatermarkPictureFile, use.value == kLogoPicture ? std::string() : use.value);
       }
       return status;
     }},
    {"scale", 0, true, NumberInto<K::WatermarkScale>},
    {"transparency", 0, true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = NumberInto<K::WatermarkTransparencyPercent>(use, line);
       if (status) line.overrides.SetNumber(K::WatermarkTransparency, 1);
       return status;
     }},
    {"position", 0, true,
     [](const OptionUse& use, CommandLine& line) { return ParsePosition(use.value, line.overrides); }},
    {"margin", 0, true, [](const OptionUse& use, CommandLine& line) { return ParseMargin(use.value, line.overrides); }},
    {"no-watermark", 0, false, Choose<K::WatermarkNone>},
    {"keep-structure", 0, false, Set<&SettingsOverrides::KeepFolderStructure, true>},
    {"relative", 0, false, Switch<&CommandLine::relative>},
    {"flat", 0, false, Set<&SettingsOverrides::KeepFolderStructure, false>},
    {"always-number", 0, false, Set<&SettingsOverrides::AlwaysNumber, true>},
    {"number-on-collision", 0, false, Set<&SettingsOverrides::AlwaysNumber, false>},
    {"exif", 0, false, Set<&SettingsOverrides::KeepExif, true>},
    {"no-exif", 0, false, Set<&SettingsOverrides::KeepExif, false>},
    {"types", 0, true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = use.NonEmpty();
       if (status) status = ParseTypes(use.value, line.listedTypes);
       if (status) line.types = TypeChoice::Listed;
       return status;
     }},
    {"checked-types", 0, false,
     [](const OptionUse&, CommandLine& line) {
       line.types = TypeChoice::Checked;
       return Status::Ok();
     }},
    {"dry-run", 'n', false, Switch<&CommandLine::dryRun>},
    {"report", 0, true,
     [](const OptionUse& use, CommandLine& line) {
       Status status = use.NonEmpty();
       if (status) line.reportFile = use.value;
       return status;
     }},
    {"no-sync", 0, false,
     [](const OptionUse&, CommandLine& line) {
       line.sync = false;
       return Status::Ok();
     }},
    {"verbose", 'v', false, Switch<&CommandLine::verbose>},
    {"quiet", 0, false, Switch<&CommandLine::quiet>},
    {"list-profiles", 0, false, Task<Action::ListProfiles>},
    {"show-settings", 0, false, Task<Action::ShowSettings>},
    {"help", 'h', false,
     [](const OptionUse&, CommandLine& line) {
       line.action = Action::Help;
       return Status::Ok();
     }},
    {"version", 0, false,
     [](const OptionUse&, CommandLine& line) {
       line.action = Action::Version;
       return Status::Ok();
     }},
};

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
    const std::string given = value.value_or(std::string());
    if (auto status = option->apply(OptionUse{given, "--" + std::string(option->name)}, line); !status)
      return status.error();
    if (line.action == Action::Help || line.action == Action::Version) return line;
  }
  if (line.enlarge && !line.fit) return Usage(std::string(texts::kCliEnlargeWithoutFit));
  if (line.action != Action::Run) return line;
  if (line.paths.empty()) return Usage(std::string(texts::kCliNoPaths));
  if (line.relative && !line.destination) return Usage(std::string(texts::kCliRelativeWithoutDest));
  return line;
}

std::vector<std::string> OptionNames() {
  std::vector<std::string> names;
  for (const OptionSpec& option : kOptions) names.push_back("--" + std::string(option.name));
  return names;
}

void SettingsOverrides::SetNumber(AdjustmentKey key, int number) {
  adjustments[static_cast<std::size_t>(key)].emplace().number = number;
}

void SettingsOverrides::SetText(AdjustmentKey key, std::string text) {
  adjustments[static_cast<std::size_t>(key)].emplace().text = std::move(text);
}

void SettingsOverrides::SetFont(AdjustmentKey key, FontDescription font) {
  adjustments[static_cast<std::size_t>(key)].emplace().font = std::move(font);
}

void SettingsOverrides::Choose(AdjustmentKey key) {
  const ChoiceGroup group = RowOf(key).group;
  for (const AdjustmentRow& row : kAdjustmentRows)
    if (row.kind == KeyKind::Choice && row.group == group) adjustments[static_cast<std::size_t>(row.key)].reset();
  SetNumber(key, 1);
}

void ApplyOverrides(const SettingsOverrides& overrides, SettingsState& state) {
  for (const AdjustmentRow& row : kAdjustmentRows)
    if (const auto& value = overrides[row.key]) row.apply(*value, state.Conversion);
  ProgramOptions& o = state.Options;
  const auto put = [](auto& field, const auto& value) {
    if (value) field = *value;
  };
  put(o.KeepFolderStructure, overrides.KeepFolderStructure);
  put(o.AlwaysNumber, overrides.AlwaysNumber);
  put(o.KeepExif, overrides.KeepExif);
}

}  // namespace lumivo::cli
