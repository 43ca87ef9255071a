#pragma once
// lumivo-batch's command line as plain values: what to convert, where to,
// and which settings the options change. Parsing touches no file.

#include <optional>
#include <string>
#include <vector>

#include "core/bitmap.h"
#include "core/font_description.h"
#include "core/result.h"
#include "settings/conversion_settings.h"
#include "settings/settings_file.h"

namespace lumivo::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailures = 1;  // some entry failed, or nothing could be converted
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;  // stopped by Ctrl+C, as shells count it

// The fields the options set, each the last value given. Applying only the
// last write of every field gives the same settings as applying the options
// one by one in their order.
struct SettingsOverrides {
  std::optional<int> Quality;
  std::optional<lumivo::SizeMode> SizeMode;
  std::optional<int> SizePercent;
  std::optional<std::string> OwnWidth;
  std::optional<std::string> OwnHeight;
  std::optional<lumivo::ColouringMode> ColouringMode;
  std::optional<int> SepiaPercent;
  std::optional<std::uint32_t> OwnColour;
  std::optional<int> OwnColourPercent;
  std::optional<bool> WhiteFilter;
  std::optional<lumivo::WatermarkMode> WatermarkMode;
  std::optional<std::string> WatermarkPictureFile;
  std::optional<int> WatermarkScaleIndex;
  std::optional<bool> WatermarkTransparency;
  std::optional<int> WatermarkTransparencyPercent;
  std::optional<std::string> WatermarkText;
  std::optional<FontDescription> WatermarkFont;
  std::optional<int> WatermarkPosition;
  std::optional<int> WatermarkMarginX;
  std::optional<int> WatermarkMarginY;
  std::optional<bool> KeepFolderStructure;
  std::optional<bool> AlwaysNumber;
  std::optional<bool> KeepExif;

  friend bool operator==(const SettingsOverrides&, const SettingsOverrides&) = default;
};

void ApplyOverrides(const SettingsOverrides& overrides, SettingsState& state);

enum class Action { Run, Help, Version, ListProfiles, ShowSettings };
enum class SettingsOrigin { SettingsFolder, File, Defaults };
enum class TypeChoice { All, Checked, Listed };

struct CommandLine {
  Action action = Action::Run;
  std::vector<std::string> paths;
  std::optional<std::string> destination;  // none: beside each source
  std::optional<int> jobs;                 // none: one per core
  SettingsOrigin settingsOrigin = SettingsOrigin::SettingsFolder;
  std::string settingsFile;                // for SettingsOrigin::File
  std::optional<std::string> profile;
  SettingsOverrides overrides;
  TypeChoice types = TypeChoice::All;
  std::vector<int> listedTypes;  // rows of FileTypeTable, for TypeChoice::Listed
  bool quiet = false;
  bool sync = true;  // each output on the disk before it gets its name
  std::optional<PictureSize> fit;  // the box of --fit, which also sets the own size to it
  bool enlarge = false;
  bool relative = false;  // each folder argument's tree below the destination
  bool dryRun = false;
  std::optional<std::string> reportFile;  // JSON Lines
  bool verbose = false;

  friend bool operator==(const CommandLine&, const CommandLine&) = default;
};

// The arguments without the program name. An error is a usage error; its
// message is German and names the offending argument.
Result<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments);

// Every option as "--name".
std::vector<std::string> OptionNames();

// The value of --picture that stands for the program's own logo.
inline constexpr std::string_view kLogoPicture = "logo";

}  // namespace lumivo::cli
