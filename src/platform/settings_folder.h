#pragma once
// The folder that holds "setup.xml" and the profile files.

#include <filesystem>
#include <string>

#include "core/result.h"

namespace lumivo::platform {

// LUMIVO_CONFIG_DIR when set; otherwise the executable's folder when it is
// writable; otherwise $XDG_CONFIG_HOME/lumivo/ (~/.config/lumivo/), created
// on demand. The folder ends in "/".
Result<std::string> SettingsFolder();

// As above with the executable's folder given (tests, other front ends).
Result<std::string> SettingsFolder(const std::filesystem::path& executable_folder);

}  // namespace lumivo::platform
