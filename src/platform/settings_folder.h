#pragma once
// The folder that holds "setup.xml" and the profile files.

#include <filesystem>
#include <string>

#include "core/result.h"

namespace lumivo::platform {

// Whether the caller writes settings (the window) or only reads them
// (lumivo-batch), in which case a missing folder is not created.
enum class FolderUse { ReadWrite, ReadOnly };

// LUMIVO_CONFIG_DIR when set; otherwise the executable's folder when it is
// writable; otherwise $XDG_CONFIG_HOME/lumivo/ (~/.config/lumivo/), created
// on demand for ReadWrite. The folder ends in "/".
Result<std::string> SettingsFolder(FolderUse use = FolderUse::ReadWrite);

// As above with the executable's folder given (tests, other front ends).
Result<std::string> SettingsFolder(const std::filesystem::path& executableFolder,
                                   FolderUse use = FolderUse::ReadWrite);

}  // namespace lumivo::platform
