#include "settings/settings_file.h"

#include "settings/profiles.h"
#include "settings/string_divider.h"
#include "settings/xml_config.h"

namespace lumivo {

namespace {

constexpr std::string_view kLeft = "Left";
constexpr std::string_view kTop = "Top";
constexpr std::string_view kFolderSection = "Dummy_Pfad";
constexpr std::string_view kLastOutputFolder = "Temp_Pfad_SaveTo";
constexpr std::string_view kFileTypes = "FileTypes";
constexpr std::string_view kOptions = "Options";
constexpr std::string_view kAutoSave = "CheckBox_NoAutosave";
constexpr std::string_view kProfileSection = "Profile";
constexpr std::string_view kProfileList = "Dummy_String";

struct OptionKey {
  std::string_view key;
  bool ProgramOptions::*field;
  bool missing;  // the value a missing key yields
};

constexpr OptionKey kOptionKeys[] = {
    {"CheckBox_Start_Vorschau", &ProgramOptions::StartPreview, true},
    {"CheckBox_MausTipps", &ProgramOptions::MouseHints, true},
    {"CheckBox_MausTipps_FileList", &ProgramOptions::FileListHints, true},
    {"CheckBox_ShowErrors", &ProgramOptions::ShowErrors, false},
    {"CheckBox_HoldFolderStrukture", &ProgramOptions::KeepFolderStructure, true},
    {"CheckBox_FileNumbers", &ProgramOptions::AlwaysNumber, true},
    {"CheckBox_OnlyShowFileNames", &ProgramOptions::OnlyFileNames, true},
    {"CheckBox_KeepEXiF", &ProgramOptions::KeepExif, true},
};

std::filesystem::path FilePath(const std::string& folder, std::string_view fileName) {
  return std::filesystem::path(folder + std::string(fileName));
}

bool FileIsMissing(const std::filesystem::path& file) {
  std::error_code ec;
  return std::filesystem::status(file, ec).type() == std::filesystem::file_type::not_found;
}

Status ReadFileTypesAndFolder(const TXMLConfig& store, SettingsState& state) {
  state.Options.LastOutputFolder = store.ReadString(kFolderSection, kLastOutputFolder, "");
  for (std::size_t row = 0; row < kFileTypeCount; ++row) {
    Status status = ReadInto(store, kFileTypes, FileTypeTable[row].extension, true,
                             state.Options.FileTypeChecked[row]);
    if (!status) return status;
  }
  return Status::Ok();
}

Status ReadOptions(const TXMLConfig& store, ProgramOptions& options) {
  for (const OptionKey& option : kOptionKeys) {
    Status status = ReadInto(store, kOptions, option.key, option.missing, options.*option.field);
    if (!status) return status;
  }
  return Status::Ok();
}

// The stored list replaces the current one; names without a profile file are dropped.
void ReadProfileList(const TXMLConfig& store, const std::string& folder, std::vector<std::string>& profiles) {
  const std::string stored = store.ReadString(kProfileSection, kProfileList, "");
  if (TrimBlanks(stored).empty()) return;
  // Split untrimmed, so that a first name that starts with a blank stays intact.
  TStringDivider divider;
  divider.SetPattern(kProfileListSeparator);
  divider.Explode(stored, profiles);
  for (auto it = profiles.end(); it != profiles.begin();) {
    --it;
    if (!IsProfileFile(folder, *it)) it = profiles.erase(it);
  }
}

std::string JoinProfileList(const std::vector<std::string>& profiles) {
  std::string joined;
  for (const std::string& name : profiles) {
    if (TrimBlanks(name).empty()) continue;
    joined += name;
    joined += kProfileListSeparator;
  }
  return joined;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool ApplyDefaults(SettingsState& state) {
  ProgramOptions options;
  options.AutoSave = state.Options.AutoSave;
  options.FileTypeChecked = state.Options.FileTypeChecked;
  options.LastOutputFolder = std::move(state.Options.LastOutputFolder);
  state.Options = std::move(options);
  state.Conversion = ConversionSettings{};
  state.Window = WindowPosition{};
  return true;
}

bool LoadSettings(const std::string& folder, std::string_view fileName, SettingsState& state) {
  const auto file = FilePath(folder, fileName);
  if (FileIsMissing(file)) return ApplyDefaults(state);
  auto store = TXMLConfig::Open(file);
  if (!store) return false;

  // An unreadable autosave key leaves the switch alone; the rest still loads.
  static_cast<void>(LoadAutoSaveFlag(folder, kSettingsFileName, state.Options));

  Status status = ReadInto(*store, keys::kGeneral, kLeft, 0, state.Window.Left);
  if (status) status = ReadInto(*store, keys::kGeneral, kTop, 0, state.Window.Top);
  if (status) status = ReadFileTypesAndFolder(*store, state);
  if (status) status = ReadAdjustmentKeys(*store, state.Conversion);
  if (status) status = ReadOptions(*store, state.Options);
  if (!status) return false;
  if (fileName == kSettingsFileName) ReadProfileList(*store, folder, state.Profiles);
  return true;
}

bool SaveSettings(const std::string& folder, std::string_view fileName, const SettingsState& state) {
  auto store = TXMLConfig::Open(FilePath(folder, fileName));
  if (!store) return false;
  // One store for all groups: the file is replaced at once or not at all.
  store->WriteBool(keys::kGeneral, keys::kSetupFileExists, true);
  store->WriteInteger(keys::kGeneral, kLeft, state.Window.Left);
  store->WriteInteger(keys::kGeneral, kTop, state.Window.Top);
  store->WriteString(kFolderSection, kLastOutputFolder, state.Options.LastOutputFolder);
  for (std::size_t row = 0; row < kFileTypeCount; ++row) {
    store->WriteBool(kFileTypes, FileTypeTable[row].extension, state.Options.FileTypeChecked[row]);
  }
  WriteAdjustmentKeys(*store, state.Conversion);
  WriteFontKeys(*store, keys::kFontSection, state.Conversion.WatermarkFont);
  WritePlacementKeys(*store, state.Conversion);
  for (const OptionKey& option : kOptionKeys) store->WriteBool(kOptions, option.key, state.Options.*option.field);
  if (fileName == kSettingsFileName) store->WriteString(kProfileSection, kProfileList, JoinProfileList(state.Profiles));
  return store->Save().ok();
}

bool SaveAutoSaveFlag(const std::string& folder, std::string_view fileName, bool autoSave) {
  auto store = TXMLConfig::Open(FilePath(folder, fileName));
  if (!store) return false;
  store->WriteBool(kOptions, kAutoSave, autoSave);
  return store->Save().ok();
}

bool LoadAutoSaveFlag(const std::string& folder, std::string_view fileName, ProgramOptions& options) {
  auto store = TXMLConfig::Open(FilePath(folder, fileName));
  if (!store) return false;
  return ReadInto(*store, kOptions, kAutoSave, true, options.AutoSave).ok();
}

Status SaveFont(const std::filesystem::path& file, std::string_view section, const FontDescription& font) {
  auto store = TXMLConfig::Open(file);
  if (!store) return store.status();
  WriteFontKeys(*store, section, font);
  return store->Save();
}

Status LoadFont(const std::filesystem::path& file, std::string_view section, FontDescription& font,
                const FontDescription& defaultFont) {
  auto store = TXMLConfig::Open(file);
  if (!store) return store.status();
  return ReadFontKeys(*store, section, font, defaultFont);
}

}  // namespace lumivo
