#pragma once
// "setup.xml": the whole of ProgramOptions and ConversionSettings, the window
// position and the profile list. Loading overwrites the fields of a state that
// already holds the current values, in the stored order, and stops at the
// first unreadable number: what was read before it stays applied.
//
// `folder` always ends in "/"; a file's path is folder + file name.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/font_description.h"
#include "core/result.h"
#include "settings/adjustment_keys.h"
#include "settings/conversion_settings.h"
#include "settings/program_options.h"

namespace lumivo {

inline constexpr std::string_view kSettingsFileName = "setup.xml";

// Everything "setup.xml" holds. The window builds it from its controls and
// applies it to them.
struct SettingsState {
  ConversionSettings Conversion;
  ProgramOptions Options;
  WindowPosition Window;
  std::vector<std::string> Profiles;  // names in list order

  friend bool operator==(const SettingsState&, const SettingsState&) = default;
};

// A missing file is a first start: ApplyDefaults, success. A file that cannot
// be read or parsed changes nothing and fails with the reason; an unreadable
// number stops the reading there, the values before it applied. The profile
// list is read only from "setup.xml", and keeps only names whose profile file
// exists in `folder`.
Status LoadSettings(const std::string& folder, std::string_view fileName, SettingsState& state);

// Writes everything at once; a failing save leaves the earlier file as it was.
// A save without any change since the last one does not touch the file.
Status SaveSettings(const std::string& folder, std::string_view fileName, const SettingsState& state);

// First-start values; AutoSave, the file types, the output folder and the
// profile list stay as they are.
[[nodiscard]] bool ApplyDefaults(SettingsState& state);

// Writes "Options" "CheckBox_NoAutosave" alone, creating the file when missing.
Status SaveAutoSaveFlag(const std::string& folder, std::string_view fileName, bool autoSave);
// Sets AutoSave (missing key: on) without writing anything.
Status LoadAutoSaveFlag(const std::string& folder, std::string_view fileName, ProgramOptions& options);

Status SaveFont(const std::filesystem::path& file, std::string_view section, const FontDescription& font);
// A missing file or key gives the default font's value.
Status LoadFont(const std::filesystem::path& file, std::string_view section, FontDescription& font,
                const FontDescription& defaultFont);

// Trims blanks and control characters at both ends.
std::string_view TrimBlanks(std::string_view text);

}  // namespace lumivo
