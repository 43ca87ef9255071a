#include "cli/run_setup.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <utility>

#include "core/text_format.h"
#include "filelist/file_collection.h"
#include "filelist/file_type_table.h"
#include "imaging/watermark_picture.h"
#include "platform/settings_folder.h"
#include "resources/texts.h"
#include "settings/profiles.h"

namespace lumivo::cli {

namespace fs = std::filesystem;

namespace {

// The path without ".." parts: lexically where that leads to the same place
// (links the user named stay), else with the links resolved as far as it exists.
std::string NormalPath(const fs::path& path) {
  std::error_code error;
  fs::path lexical = path.lexically_normal();
  if (lexical.has_relative_path() && !lexical.has_filename()) lexical = lexical.parent_path();
  const fs::path canonical = fs::weakly_canonical(path, error);
  if (error || canonical.empty()) return lexical.string();
  if (lexical == canonical || fs::equivalent(lexical, canonical, error)) return lexical.string();
  return canonical.string();
}

Status LoadSettingsFile(const std::string& file, SettingsState& state) {
  std::error_code error;
  const fs::path path(file);
  if (!fs::exists(path, error)) return Error{FormatText(texts::kCliSettingsMissing, file)};
  const std::string folder = AbsolutePath(path.parent_path().empty() ? "." : path.parent_path().string()) + "/";
  if (fs::is_directory(path, error)) {
    return Error{FormatText(texts::kCliSettingsUnreadable, file, FormatText(texts::kFileNotReadable, file))};
  }
  if (Status loaded = LoadSettings(folder, path.filename().string(), state); !loaded) {
    return Error{FormatText(texts::kCliSettingsUnreadable, file, loaded.message())};
  }
  return Status::Ok();
}

// Files already taken, by what they are on disk rather than by their names.
class TakenFiles {
 public:
  bool FirstTime(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) return ids_.emplace(status.st_dev, status.st_ino).second;
    return paths_.insert(path).second;
  }

 private:
  std::set<std::pair<dev_t, ino_t>> ids_;
  std::set<std::string> paths_;
};

}  // namespace

Result<SettingsState> LoadRunSettings(const CommandLine& line) {
  SettingsState state;
  std::string settingsFolder;
  if (line.settingsOrigin == SettingsOrigin::SettingsFolder || line.profile) {
    auto folder = platform::SettingsFolder(platform::FolderUse::ReadOnly);
    if (!folder) return folder.error();
    settingsFolder = *folder;
  }
  switch (line.settingsOrigin) {
    case SettingsOrigin::Defaults:
      break;  // a fresh state holds the first-start values
    case SettingsOrigin::File:
      if (Status status = LoadSettingsFile(line.settingsFile, state); !status) return status.error();
      break;
    case SettingsOrigin::SettingsFolder:
      // A missing file is a first start; one that is there must be readable.
      if (Status loaded = LoadSettings(settingsFolder, kSettingsFileName, state); !loaded) {
        return Error{FormatText(texts::kCliSettingsUnreadable, settingsFolder + std::string(kSettingsFileName),
                                loaded.message())};
      }
      break;
  }
  if (line.profile) {
    if (Status loaded = LoadProfile(settingsFolder, *line.profile, state.Conversion); !loaded)
      return Error{FormatText(texts::kCliProfileMissing, *line.profile, loaded.message())};
  }
  ApplyOverrides(line.overrides, state);
  return state;
}

Result<std::shared_ptr<const Bitmap>> LoadWatermarkPicture(const CommandLine& line,
                                                           const ConversionSettings& settings) {
  if (settings.WatermarkMode != WatermarkMode::Picture) return std::shared_ptr<const Bitmap>();
  const bool named = line.overrides.WatermarkPictureFile.has_value();
  // A file from the settings, or "--picture logo"
  if (!named || settings.WatermarkPictureFile.empty()) {
    return std::make_shared<const Bitmap>(RestoreWatermarkPicture(settings.WatermarkPictureFile).picture);
  }
  auto picture = LoadWatermarkPictureFile(*line.overrides.WatermarkPictureFile);
  if (!picture) return Error{FormatText(texts::kCliPictureRefused, picture.message())};
  return std::make_shared<const Bitmap>(std::move(picture).value());
}

std::vector<int> ScannedTypeRows(const CommandLine& line, const ProgramOptions& options) {
  // Table order, whatever order a list gave, as the window collects.
  std::vector<int> rows;
  for (int row = 0; row < static_cast<int>(FileTypeTable.size()); ++row) {
    const bool taken =
        line.types == TypeChoice::All ||
        (line.types == TypeChoice::Checked && options.FileTypeChecked[static_cast<std::size_t>(row)]) ||
        (line.types == TypeChoice::Listed && std::find(line.listedTypes.begin(), line.listedTypes.end(), row) !=
                                                 line.listedTypes.end());
    if (taken) rows.push_back(row);
  }
  return rows;
}

CollectedEntries CollectEntries(const std::vector<std::string>& paths, const std::vector<int>& typeRows) {
  CollectedEntries collected;
  TakenFiles taken;
  for (const std::string& argument : paths) {
    std::error_code error;
    const std::string path = AbsolutePath(argument);
    const fs::file_status status = fs::status(path, error);
    std::vector<std::string> found;
    if (fs::is_directory(status)) {
      for (int row : typeRows) CollectFiles(path, FileTypeTable[static_cast<std::size_t>(row)].mask, found);
    } else if (fs::exists(status)) {
      found.push_back(path);
    } else {
      collected.missing.push_back(argument);
      continue;
    }
    const std::string root = fs::path(path).parent_path().string();
    for (std::string& file : found) {
      if (!taken.FirstTime(file)) continue;
      collected.entries.push_back(std::move(file));
      collected.roots.push_back(root);
    }
  }
  return collected;
}

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  fs::path full = fs::absolute(fs::path(path), error);
  if (error) full = fs::path(path);
  fs::path clean;
  for (const fs::path& part : full)
    if (!part.empty() && part != ".") clean /= part;
  if (clean.empty()) return path;
  // The folders as they really are, so that ".." leads where the system
  // takes it even below a link; the name itself stays, link or not.
  const fs::path name = clean.filename();
  if (name == "..") return NormalPath(clean);
  return (NormalPath(clean.parent_path()) / name).string();
}

Result<std::string> PrepareDestination(const std::string& folder, bool planning) {
  const std::string absolute = AbsolutePath(folder);
  std::error_code error;
  if (!planning) fs::create_directories(absolute, error);
  // A dry run may plan into a folder that does not exist yet, not into a file.
  const bool usable = planning ? !fs::exists(absolute, error) || fs::is_directory(absolute, error)
                               : fs::is_directory(absolute, error);
  if (!usable) return Error{FormatText(texts::kCliDestinationNotFolder, folder), ErrorKind::Io};
  return NormalPath(absolute);
}

}  // namespace lumivo::cli
