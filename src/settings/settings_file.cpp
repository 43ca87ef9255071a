#include "settings/settings_file.h"

#include "settings/adjustment_keys.h"
#include "settings/key_reader.h"
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

void ReadFileTypesAndFolder(KeyReader& read, ProgramOptions& options) {
  read.Text(kFolderSection, kLastOutputFolder, "", options.LastOutputFolder);
  for (std::size_t row = 0; row < kFileTypeCount; ++row) {
    read.Switch(kFileTypes, FileTypeTable[row].extension, true, options.FileTypeChecked[row]);
  }
}

void ReadOptions(KeyReader& read, ProgramOptions& options) {
  for (const OptionKey& option : kOptionKeys) read.Switch(kOptions, option.key, option.missing, options.*option.field);
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

Status LoadSettings(const std::string& folder, std::string_view fileName, SettingsState& state) {
  const auto file = FilePath(folder, fileName);
  if (FileIsMissing(file)) return ApplyDefaults(state) ? Status::Ok() : Status(Error{});
  auto store = TXMLConfig::Open(file);
  if (!store) return store.status();

  // An unreadable autosave key leaves the switch alone; the rest still loads.
  static_cast<void>(LoadAutoSaveFlag(folder, kSettingsFileName, state.Options));

  KeyReader read(*store);
  read.Number(keys::kGeneral, kLeft, 0, state.Window.Left);
  read.Number(keys::kGeneral, kTop, 0, state.Window.Top);
  ReadFileTypesAndFolder(read, state.Options);
  ReadAdjustmentKeys(read, state.Conversion);
  ReadOptions(read, state.Options);
  if (!read.ok()) return read.status();
  if (fileName == kSettingsFileName) ReadProfileList(*store, folder, state.Profiles);
  return Status::Ok();
}

Status SaveSettings(const std::string& folder, std::string_view fileName, const SettingsState& state) {
  auto store = TXMLConfig::Open(FilePath(folder, fileName));
  if (!store) return store.status();
  // One store for all groups: the file is replaced at once or not at all.
  store->WriteBool(keys::kGeneral, keys::kSetupFileExists, true);
  store->WriteInteger(keys::kGeneral, kLeft, state.Window.Left);
  store->WriteInteger(keys::kGeneral, kTop, state.Window.Top);
  store->WriteString(kFolderSection, kLastOutputFolder, state.Options.LastOutputFolder);
  for (std::size_t row = 0; row < kFileTypeCount; ++row) {
    store->WriteBool(kFileTypes, FileTypeTable[row].extension, state.Options.FileTypeChecked[row]);
  }
  WriteAdjustmentKeys(*store, state.Conversion);
  for (const OptionKey& option : kOptionKeys) store->WriteBool(kOptions, option.key, state.Options.*option.field);
  if (fileName == kSettingsFileName) store->WriteString(kProfileSection, kProfileList, JoinProfileList(state.Profiles));
  return store->Save();
}

Status SaveAutoSaveFlag(const std::string& folder, std::string_view fileName, bool autoSave) {
  auto store = TXMLConfig::Open(FilePath(folder, fileName));
  if (!store) return store.status();
  store->WriteBool(kOptions, kAutoSave, autoSave);
  return store->Save();
}

Status LoadAutoSaveFlag(const std::string& folder, std::string_view fileName, ProgramOptions& options) {
  auto store = TXMLConfig::Open(FilePath(folder, fileName));
  if (!store) return store.status();
  KeyReader read(*store);
  read.Switch(kOptions, kAutoSave, true, options.AutoSave);
  return read.status();
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
  KeyReader read(*store);
  ReadFontKeys(read, section, font, defaultFont);
  return read.status();
}

}  // namespace lumivo
