#pragma once
// Everything lumivo-batch settles before the run starts: the settings, the
// watermark picture, the list of entries and the destination folder.

#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "core/bitmap.h"
#include "core/result.h"
#include "settings/settings_file.h"

namespace lumivo::cli {

// The settings file (or the first-start values), then the profile, then the
// options. A file or profile that was asked for and cannot be read is an error.
Result<SettingsState> LoadRunSettings(const CommandLine& line);

// The picture a picture watermark stamps; nothing when none is drawn. A
// picture named on the command line must load; one from the settings falls
// back to the program logo, as in the window.
Result<std::shared_ptr<const Bitmap>> LoadWatermarkPicture(const CommandLine& line,
                                                           const ConversionSettings& settings);

// The rows of FileTypeTable whose masks folder scans take.
std::vector<int> ScannedTypeRows(const CommandLine& line, const ProgramOptions& options);

struct CollectedEntries {
  std::vector<std::string> entries;  // absolute paths, in the order of the arguments
  // Per entry: the folder above the argument it came from, so that a folder
  // argument's own tree starts below the destination (--relative); a file
  // argument's own folder, so that it lands in the destination itself.
  std::vector<std::string> roots;
  std::vector<std::string> missing;  // arguments that name nothing
};

// Files are taken as they are; a folder contributes its tree, grouped by file
// type in table order as the window's folder command does. A file reached
// twice (through two arguments, a file and its folder, or a link) is taken
// once, where it comes first.
CollectedEntries CollectEntries(const std::vector<std::string>& paths, const std::vector<int>& typeRows);

// The path made absolute, without "." and ".." parts and doubled or
// trailing slashes; ".." is resolved as the system does, below links too.
// The last name is kept as given, even when it is a link.
std::string AbsolutePath(const std::string& path);

// The destination as a normalised absolute folder, created with its parents
// when missing, unless only `planning` (a dry run) it.
Result<std::string> PrepareDestination(const std::string& folder, bool planning = false);

}  // namespace lumivo::cli
